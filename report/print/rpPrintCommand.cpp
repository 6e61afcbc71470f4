#include "rpPrintCommand.h"

#include "rpPageNumbers.h"
#include "rpPrintJob.h"
#include "rpPrinters.h"

#include "platform/core/MessageService.h"
#include "report/engine/rpPreviewPages.h"
#include "report/engine/rpReport.h"
#include "report/model/rpRes.h"

#include <algorithm>

namespace {

// Puts the report's print options back when the command ends, however it ends.
class KeepPrintOptions {
public:
    explicit KeepPrintOptions(TrpReport& report) : FReport(report), FKept(report.PrintOptions()) { }
    ~KeepPrintOptions()
    {
        FReport.PreviewPages().SetCopyNo(0);
        FReport.PrintOptions() = FKept;
    }
    KeepPrintOptions(const KeepPrintOptions&) = delete;
    KeepPrintOptions& operator=(const KeepPrintOptions&) = delete;

private:
    TrpReport& FReport;
    TrpPrintOptions FKept;
};

void selectPrinterByName(TrpPrinters& printers, const QString& name)
{
    const QStringList names = printers.Printers();
    for (int i = 0; i < names.size(); ++i)
        if (names[i].compare(name, Qt::CaseInsensitive) == 0) {
            if (i != printers.PrinterIndex())
                printers.SetPrinterIndex(i);
            return;
        }
}

// Whether the job would print any page: a listed number within the report, or any page for
// an empty list, of the parity chosen.
bool selectsAPage(const QList<int>& pageNumbers, int pageCount, TrpPrintPages which)
{
    const auto printable
        = [which](int number) { return which == ppAll || (which == ppOdd) == (number % 2 == 1); };
    if (pageNumbers.isEmpty()) {
        for (int number = 1; number <= std::min(pageCount, 2); ++number)
            if (printable(number))
                return true;
        return false;
    }
    return std::any_of(pageNumbers.begin(), pageNumbers.end(),
        [&](int number) { return number >= 1 && number <= pageCount && printable(number); });
}

} // namespace

bool rpPrintPreparedPages(
    TrpReport& report, const TrpPrintDialogRunner& dialog, const TrpJobAccepted& accepted)
{
    TrpPrinters& printers = rpPrinters();
    if (!printers.HasPhysicalPrinters()) {
        platform::showEngineError(rpGet(QStringLiteral("prtNoPrinters")));
        return false;
    }
    TrpPreviewPages& pages = report.PreviewPages();
    pages.SetPrintScale(1);
    TrpDuplexMode duplex = report.PrintOptions().Duplex;

    selectPrinterByName(printers, report.PrintOptions().Printer);
    TrpCustomPrinter* printer = printers.Printer();
    printer->FileName = report.PrintOptions().PrnOutFileName;

    KeepPrintOptions keep(report);
    if (report.PrintOptions().ShowDialog && dialog) {
        if (!dialog(report, duplex))
            return false;
        report.PrintOptions().Duplex = duplex;
        printer = printers.Printer();
    }

    const TrpPrintOptions& options = report.PrintOptions();
    double sheetWidth = 0;
    double sheetHeight = 0;
    if (options.PrintMode != pmDefault) {
        const int sheet = options.PrintOnSheet == 256 ? printer->Paper() : options.PrintOnSheet;
        printer->SetViewParams(sheet, printer->PaperWidth(), printer->PaperHeight(), poPortrait);
        sheetWidth = printer->PaperWidth();
        sheetHeight = printer->PaperHeight();
    }

    if (!printer->Initialized()) {
        platform::showEngineError(rpGet(QStringLiteral("prtNotValid")));
        return true;
    }
    QList<int> pageNumbers = rpParsePageNumbers(options.PageNumbers, pages.Count());
    // Only an empty list means every page: a list that selects none prints nothing, and the
    // operator is told so rather than left waiting for sheets.
    if (!selectsAPage(pageNumbers, pages.Count(), options.PrintPages)) {
        const QString typed = options.PageNumbers.trimmed();
        platform::showEngineError(typed.isEmpty()
                ? rpGet(QStringLiteral("prnNoPage"))
                : rpGet(QStringLiteral("prnNoListedPage")).replace(QStringLiteral("%s"), typed));
        return false;
    }
    pages.ClearCache();
    TrpPrintJob job(report, *printer, std::move(pageNumbers), duplex, sheetWidth, sheetHeight);
    job.DoPrint();
    if (accepted && job.Ended() && !job.Sheets().isEmpty() && printer->FileName.isEmpty())
        accepted({printer->Name(), job.Sheets()});
    return true;
}
