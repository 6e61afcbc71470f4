// Calibration by measurement on a printer that misplaces its sheets, driven through the
// program's windows: one test print, two distances measured on it and typed in, and the
// certificate lands in the boxes of the blank.

#include "PrintingFixture.h"

#include <cmath>

namespace {

using CalibrationLoop = PrintingTest;

TEST_F(CalibrationLoop, oneTestPrintAndTwoMeasuredDistancesPutEveryFieldIntoItsBox)
{
    fillTheForm();
    const RectangleLines measured = rectangleLines(printTestPage());
    // The printer's error is well beyond what the calibration has to reach.
    EXPECT_GT(std::abs(measured.left - 15), 2);
    EXPECT_GT(std::abs(measured.top - 15), 1);

    calibrateByMeasurement(measured, Offer::Close);

    const QImage certificate = printCertificate();
    expectFieldsAt(fieldCentres(certificate), fieldCentres(lastCertificateAsItBelongs()));
    const RectangleLines again = rectangleLines(printTestPage());
    EXPECT_NEAR(again.left, 15, 0.1);
    EXPECT_NEAR(again.top, 15, 0.1);
    EXPECT_TRUE(recorder.messages.isEmpty());
}

TEST_F(CalibrationLoop, savedCalibrationPlacesTheCertificateAfterTheNextStart)
{
    calibrateByMeasurement(rectangleLines(printTestPage()), Offer::Save);
    fillTheForm();
    const FieldCentres calibrated = fieldCentres(printCertificate());

    startProgram();
    fillTheForm();
    const FieldCentres afterRestart = fieldCentres(printCertificate());
    expectFieldsAt(afterRestart, fieldCentres(lastCertificateAsItBelongs()));
    expectFieldsAt(afterRestart, calibrated, {}, 0.01);
    EXPECT_TRUE(recorder.messages.isEmpty());
}

} // namespace
