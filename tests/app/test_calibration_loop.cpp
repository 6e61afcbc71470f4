// Calibration by measurement on a printer that misplaces its sheets, driven through the
// program's windows: one test print, two distances measured on it and typed in, and the
// certificate lands in the boxes of the blank.

#include "PrintingFixture.h"

#include "app/calibration/fmCalibration.h"
#include "support/ModalSession.h"
#include "support/ReportTestHelpers.h"

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

    calibrateByMeasurement(measured);

    const QImage certificate = printCertificate();
    expectFieldsAt(fieldCentres(certificate), fieldCentres(lastCertificateAsItBelongs()));
    const RectangleLines again = rectangleLines(printTestPage());
    EXPECT_NEAR(again.left, 15, 0.1);
    EXPECT_NEAR(again.top, 15, 0.1);
    EXPECT_TRUE(recorder.messages.isEmpty());
}

TEST_F(CalibrationLoop, savedCalibrationPlacesTheCertificateAfterTheNextStart)
{
    calibrateByMeasurement(rectangleLines(printTestPage()));
    chooseFromMenu(main().menuFile, main().N1);
    fillTheForm();
    const FieldCentres calibrated = fieldCentres(printCertificate());

    startProgram();
    fillTheForm();
    const FieldCentres afterRestart = fieldCentres(printCertificate());
    expectFieldsAt(afterRestart, fieldCentres(lastCertificateAsItBelongs()));
    expectFieldsAt(afterRestart, calibrated, {}, 0.01);
    EXPECT_TRUE(recorder.messages.isEmpty());
}

// A measurement belongs to the sheet it was taken from. Once the margins have changed since
// that print (here by the calibration itself), the same distances entered again in a later
// preview would correct the printer twice: the program asks for a new test print instead.
TEST_F(CalibrationLoop, aMeasuredPrintIsNotMeasuredAgainInALaterPreviewAfterTheMarginsChanged)
{
    calibrateByMeasurement(rectangleLines(printTestPage()));
    const double left = page1(*main().rpReport1)->LeftMargin();
    const double top = page1(*main().rpReport1)->TopMargin();

    inTestPagePreview([&](TrpPreviewForm& form) {
        whileNoModalOpens<TfmCalibration>([&] { clickCalibrationCommand(form); });
    });
    ASSERT_EQ(recorder.messages.size(), 1);
    EXPECT_TRUE(
        recorder.messages[0].text.startsWith(u("Поля тестовой страницы изменены после её печати")));
    EXPECT_EQ(page1(*main().rpReport1)->LeftMargin(), left);
    EXPECT_EQ(page1(*main().rpReport1)->TopMargin(), top);

    // A new test print is what the next measurement refers to: it finds the printer in place.
    calibrateByMeasurement(rectangleLines(printTestPage()));
    EXPECT_NEAR(page1(*main().rpReport1)->LeftMargin(), left, 0.1);
    EXPECT_NEAR(page1(*main().rpReport1)->TopMargin(), top, 0.1);
    EXPECT_EQ(recorder.messages.size(), 1);
}

} // namespace
