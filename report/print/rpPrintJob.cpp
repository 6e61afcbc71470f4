#include "rpPrintJob.h"

#include "rpCustomPrinter.h"

#include "report/engine/rpPreviewPages.h"
#include "report/engine/rpReport.h"
#include "report/model/rpPages.h"
#include "report/model/rpRes.h"
#include "report/model/rpUnits.h"

#include "platform/core/MessageService.h"

#include <algorithm>
#include <utility>

TrpPrintJob::TrpPrintJob(TrpReport& report, TrpCustomPrinter& printer, QList<int> pageNumbers,
    TrpDuplexMode duplex, double sheetWidth, double sheetHeight)
    : FReport(report),
      FPrinter(printer),
      FPageNumbers(std::move(pageNumbers)),
      FDuplex(duplex),
      FSheetWidth(sheetWidth),
      FSheetHeight(sheetHeight)
{
}

void TrpPrintJob::DoPrint()
{
    const TrpPrintOptions& options = FReport.PrintOptions();
    TrpPreviewPages& pages = FReport.PreviewPages();
    FReport.SetTerminated(false);
    FReport.InternalOnProgressStart(ptPrinting);
    FPrinter.Title = FReport.ReportOptions().Name;
    FCopies = std::max(options.Copies, 1);
    FDuplexSide = false;
    FLastDuplex = dmNone;

    if (options.Collate) {
        for (FCopyNo = 1; FCopyNo <= FCopies; ++FCopyNo) {
            pages.SetCopyNo(FCopyNo);
            PrintPages();
            if (FDuplexSide) {
                FDuplexSide = false;
                printEmptySide();
            }
            if (FReport.Terminated())
                break;
        }
    } else {
        FCopyNo = 1;
        pages.SetCopyNo(FCopyNo);
        PrintPages();
    }

    if (FStarted)
        FPrinter.EndDoc();
    FEnded = FStarted && FPrinter.Refusal().isEmpty();
    FReport.InternalOnProgressStop(ptPrinting);
    if (FStarted && !FPrinter.Refusal().isEmpty())
        platform::showEngineError(rpGet(QStringLiteral("prtJobRefused"))
                                      .replace(QStringLiteral("%s"), FPrinter.Refusal()));
}

bool TrpPrintJob::PrintPages()
{
    const int length = FPageNumbers.isEmpty() ? FReport.PreviewPages().Count()
                                              : static_cast<int>(FPageNumbers.size());
    const bool reverse = FReport.PrintOptions().Reverse;
    for (int i = 0; i < length; ++i)
        if (!PrintPage(reverse ? length - 1 - i : i))
            return false;
    return true;
}

bool TrpPrintJob::PrintPage(int position)
{
    const TrpPrintOptions& options = FReport.PrintOptions();
    TrpPreviewPages& pages = FReport.PreviewPages();
    const int index = FPageNumbers.isEmpty() ? position : FPageNumbers[position] - 1;
    if (index < 0 || index >= pages.Count())
        return true;
    const bool odd = (index + 1) % 2 == 1;
    if ((options.PrintPages == ppOdd && !odd) || (options.PrintPages == ppEven && odd))
        return true;

    if (FReport.Terminated()) {
        if (FStarted)
            FPrinter.Abort();
        FStarted = false;
        return false;
    }

    const TrpReportPage* page = pages.GetPage(index);
    const int copies = options.Collate ? 1 : FCopies;

    int bin = page->Bin();
    if (FBinsPrinted.contains(bin))
        bin = page->BinOtherPages();
    else
        FBinsPrinted.insert(bin);

    const TrpDuplexMode duplex = FDuplex != dmNone ? FDuplex : page->Duplex();
    if (duplex != FLastDuplex)
        FDuplexSide = false;
    if (duplex == dmVertical || duplex == dmHorizontal)
        FDuplexSide = !FDuplexSide;

    const bool ownPaper = options.PrintMode == pmDefault;
    const int paper = page->PaperSize();
    const long long width = rpRound(page->PaperWidth());
    const long long height = rpRound(page->PaperHeight());
    const TrpPrinterOrientation orientation = ownPaper ? page->Orientation() : poPortrait;
    const bool paperChanged
        = ownPaper && (paper != FLastPaper || width != FLastWidth || height != FLastHeight);
    if (FPagesPrinted == 0 || paperChanged || bin != FLastBin || orientation != FLastOrientation
        || duplex != FLastDuplex) {
        TrpPrintParams params;
        if (ownPaper) {
            params.Paper = paper;
            params.Width = page->PaperWidth();
            params.Height = page->PaperHeight();
        } else {
            params.Paper = FPrinter.Paper();
            params.Width = FSheetWidth;
            params.Height = FSheetHeight;
        }
        params.Orientation = orientation;
        params.Bin = bin;
        params.Duplex = duplex;
        params.Copies = copies;
        FPrinter.SetPrintParams(params);
    }

    if (!FStarted)
        FPrinter.BeginDoc();
    FPrinter.BeginPage();

    double kx = 1;
    double ky = 1;
    if (!ownPaper) {
        kx = FSheetWidth / page->PaperWidth();
        ky = FSheetHeight / page->PaperHeight();
        pages.SetPrintScale(std::min(kx, ky));
    }
    const QPoint dpi = FPrinter.DPI();
    pages.DrawPage(index, *FPrinter.Canvas(), dpi.x() / 96.0 * kx, dpi.y() / 96.0 * ky,
        -FPrinter.LeftMargin() * dpi.x() / 25.4, -FPrinter.TopMargin() * dpi.y() / 25.4);

    FReport.InternalOnProgress(ptPrinting, index + 1);
    FPrinter.EndPage();

    FStarted = true;
    ++FPagesPrinted;
    for (int copy = 0; copy < copies; ++copy)
        FSheets.append(index);
    FLastPaper = paper;
    FLastWidth = width;
    FLastHeight = height;
    FLastBin = bin;
    FLastOrientation = orientation;
    FLastDuplex = duplex;
    pages.ClearCache();
    return true;
}

void TrpPrintJob::printEmptySide()
{
    if (!FStarted)
        return;
    FPrinter.BeginPage();
    FPrinter.EndPage();
}
