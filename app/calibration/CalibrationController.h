#pragma once

#include <functional>
#include <optional>

class TrpPreviewForm;
class TrpReport;
class TrpReportPage;

// Calibration by measurement: the operator measures where the test page's rectangle landed
// and the program works out the margins, instead of trial prints.
class CalibrationController {
public:
    // `saveMargins` stores the certificate's margins in the settings file.
    CalibrationController(
        TrpReport& certificate, TrpReport& testPage, std::function<void()> saveMargins);

    // Offers "Калибровка по измерению…" in a preview window of the test page.
    void addCommand(TrpPreviewForm& form);
    // The margins the test page was printed with, to which a measurement refers.
    void recordTestPrint(const TrpReportPage& page);
    // Asks for the measured distances, puts the new left and top margins into the
    // certificate's and the test page's templates and offers to save.
    void calibrateByMeasurement(TrpPreviewForm& form);

private:
    struct PrintedMargins {
        double left;
        double top;
    };

    TrpReport& fCertificate;
    TrpReport& fTestPage;
    std::function<void()> fSaveMargins;
    std::optional<PrintedMargins> fTestPrint;
};
