#include "app/calibration/CalibrationController.h"

#include "app/calibration/fmCalibration.h"
#include "app/calibration/fmCalibrationSave.h"
#include "app/logic/Calibration.h"
#include "platform/core/EventBoundary.h"
#include "platform/core/MessageService.h"
#include "report/engine/rpEngine.h"
#include "report/engine/rpPreviewPages.h"
#include "report/engine/rpReport.h"
#include "report/model/rpPageGeometry.h"
#include "report/model/rpPages.h"
#include "report/preview/rpPreview.h"
#include "report/preview/rpPreviewForm.h"

#include <QAction>

#include <cmath>

namespace {

QString u(const char* text) { return QString::fromUtf8(text); }

// As "Apply to all pages" would: every report page of the template.
void setLeftTopMargins(TrpReport& report, double left, double top)
{
    for (int i = 0; i < report.PagesCount(); ++i) {
        if (auto* page = dynamic_cast<TrpReportPage*>(report.Pages(i))) {
            page->SetLeftMargin(left);
            page->SetTopMargin(top);
        }
    }
}

// What is wrong with the first report page that the new left and top margins would leave
// without a printable area; empty when every page takes them.
QString leftTopMarginsProblem(const TrpReport& report, double left, double top)
{
    for (int i = 0; i < report.PagesCount(); ++i) {
        if (const auto* page = dynamic_cast<const TrpReportPage*>(report.Pages(i))) {
            TrpPageGeometry geometry = rpPageGeometry(*page);
            geometry.LeftMargin = left;
            geometry.TopMargin = top;
            if (QString problem = rpPageGeometryProblem(geometry); !problem.isEmpty())
                return problem;
        }
    }
    return {};
}

QString signedMillimetres(double value)
{
    QString text = calibrationMargin(std::abs(value));
    if (value > 0)
        return QLatin1Char('+') + text;
    if (value < 0)
        return QChar(0x2212) + text;
    return text;
}

} // namespace

CalibrationController::CalibrationController(
    TrpReport& certificate, TrpReport& testPage, std::function<void()> saveMargins)
    : fCertificate(certificate), fTestPage(testPage), fSaveMargins(std::move(saveMargins))
{
}

void CalibrationController::addCommand(TrpPreviewForm& form)
{
    QAction* command = form.AddCommand(u("Калибровка по измерению…"));
    QObject::connect(command, &QAction::triggered, command,
        platform::guarded([this, &form] { calibrateByMeasurement(form); }));
    // Until the test page is printed in this run, it counts as printed with the margins it
    // was first prepared with. A later window must not replace what was printed: a
    // measurement of that sheet does not refer to margins changed since.
    QObject::connect(form.Preview, &TrpPreview::StateChanged, form.Preview, [this, &form] {
        if (fTestPrint || form.Preview->Running())
            return;
        if (const TrpReportPage* page = fTestPage.PreviewPages().GetPage(0))
            recordTestPrint(*page);
    });
}

void CalibrationController::recordTestPrint(const TrpReportPage& page)
{
    fTestPrint = PrintedMargins {page.LeftMargin(), page.TopMargin()};
}

void CalibrationController::calibrateByMeasurement(TrpPreviewForm& form)
{
    TrpPreview& preview = *form.Preview;
    if (preview.Running() || fTestPage.Engine().Running())
        return;
    const TrpReportPage* shown = fTestPage.PreviewPages().GetPage(preview.PageNo() - 1);
    if (!shown || !fTestPrint)
        return;
    if (shown->LeftMargin() != fTestPrint->left || shown->TopMargin() != fTestPrint->top) {
        platform::ShowMessage(u("Поля тестовой страницы изменены после её печати, и измерение "
                                "к ним не относится. Распечатайте тестовую страницу заново и "
                                "измерьте её."));
        return;
    }
    TfmCalibration dialog(fTestPrint->left, fTestPrint->top);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const CalibrationResult& result = dialog.Result();
    const double leftChange = result.LeftMargin - fTestPrint->left;
    const double topChange = result.TopMargin - fTestPrint->top;
    for (const TrpReport* report : {&fCertificate, &fTestPage}) {
        const QString problem = leftTopMarginsProblem(*report, result.LeftMargin, result.TopMargin);
        if (!problem.isEmpty()) {
            platform::ShowMessage(u("С такими измерениями на листе не осталось бы места для "
                                    "печати, поля не изменены. Проверьте измерение. ")
                + problem);
            return;
        }
    }
    setLeftTopMargins(fCertificate, result.LeftMargin, result.TopMargin);
    setLeftTopMargins(fTestPage, result.LeftMargin, result.TopMargin);
    fTestPage.PrepareReport(true);

    TfmCalibrationSave offer(
        u("Новые поля бланка и тестовой страницы:\n"
          "левое %1 мм (%2 мм), верхнее %3 мм (%4 мм).\n"
          "Поля тестовой страницы действуют до выхода из программы.\n"
          "Сохранить поля бланка в файле настроек сейчас?")
            .arg(calibrationMargin(result.LeftMargin), signedMillimetres(leftChange),
                calibrationMargin(result.TopMargin), signedMillimetres(topChange)));
    if (offer.exec() == QDialog::Accepted)
        fSaveMargins();
}
