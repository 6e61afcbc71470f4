// The calibration as the test page describes it, on paper: margins found in the test page's
// preview move its rectangle, the same margins applied to all pages of the certificate's
// preview move the certificate for the rest of the run, and neither report's margins reach
// the other.

#include "PrintingFixture.h"

namespace {

using CalibrationFlow = PrintingTest;

TEST_F(CalibrationFlow, testPageMarginsMoveItsRectangleAndNotTheCertificate)
{
    fillTheForm();
    const RectangleLines before = rectangleLines(printTestPage());
    const QPointF printerError = misplacement(before);
    const FieldCentres certificate = fieldCentres(printCertificate(), printerError);

    inTestPagePreview([&](TrpPreviewForm& form) {
        applyMarginsToAllPages(form, "1,7", "1,3");
        print(form);
    });
    const RectangleLines after = rectangleLines(printedSheet());
    EXPECT_NEAR(after.left - before.left, 2, 0.1);
    EXPECT_NEAR(after.top - before.top, -2, 0.1);

    expectFieldsAt(fieldCentres(printCertificate(), printerError), certificate, {}, 0.01);
    EXPECT_TRUE(recorder.messages.isEmpty());
}

TEST_F(CalibrationFlow, certificateMarginsAppliedToAllPagesStayForTheRunAndNotForTheTestPage)
{
    fillTheForm();
    const RectangleLines testPage = rectangleLines(printTestPage());
    const QPointF printerError = misplacement(testPage);
    const FieldCentres before = fieldCentres(printCertificate(), printerError);

    const QPointF moved(-3, 4);
    inCertificatePreview([&](TrpPreviewForm& form) {
        applyMarginsToAllPages(form, "1,2", "1,9");
        print(form);
    });
    expectFieldsAt(fieldCentres(printedSheet(), printerError + moved), before, moved);
    // Closed and shown again, the certificate is prepared from its template anew.
    expectFieldsAt(fieldCentres(printCertificate(), printerError + moved), before, moved);

    const RectangleLines unchanged = rectangleLines(printTestPage());
    EXPECT_NEAR(unchanged.left, testPage.left, 0.01);
    EXPECT_NEAR(unchanged.top, testPage.top, 0.01);
    EXPECT_TRUE(recorder.messages.isEmpty());
}

} // namespace
