#include "rpPrintJob.h"

#include "rpCustomPrinter.h"

#include "report/engine/rpPreviewPages.h"
#include "report/engine/rpReport.h"
#include "report/model/rpPages.h"
#include "report/model/rpRes.h"
#include "report/model/rpUnits.h"

#include "platform/core/MessageService.h"

#include <algorithm>
#include <cmath>
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
    if (FReport.PrintOptions().PrintMode == pmJoin)
        return printJoined(length, reverse);
    for (int i = 0; i < length; ++i)
        if (!PrintPage(reverse ? length - 1 - i : i))
            return false;
    return true;
}

int TrpPrintJob::pageIndexAt(int position) const
{
    const TrpPrintPages which = FReport.PrintOptions().PrintPages;
    const int index = FPageNumbers.isEmpty() ? position : FPageNumbers[position] - 1;
    if (index < 0 || index >= FReport.PreviewPages().Count())
        return -1;
    const bool odd = (index + 1) % 2 == 1;
    if ((which == ppOdd && !odd) || (which == ppEven && odd))
        return -1;
    return index;
}

bool TrpPrintJob::stopWhenTerminated()
{
    if (!FReport.Terminated())
        return false;
    if (FStarted)
        FPrinter.Abort();
    FStarted = false;
    return true;
}

int TrpPrintJob::binFor(const TrpReportPage& page)
{
    const int bin = page.Bin();
    if (FBinsPrinted.contains(bin))
        return page.BinOtherPages();
    FBinsPrinted.insert(bin);
    return bin;
}

TrpDuplexMode TrpPrintJob::duplexFor(const TrpReportPage& page) const
{
    return FDuplex != dmNone ? FDuplex : page.Duplex();
}

bool TrpPrintJob::PrintPage(int position)
{
    const int index = pageIndexAt(position);
    if (index < 0)
        return true;
    if (stopWhenTerminated())
        return false;

    TrpPreviewPages& pages = FReport.PreviewPages();
    const TrpReportPage& page = *pages.GetPage(index);
    const int bin = binFor(page);
    const TrpDuplexMode duplex = duplexFor(page);
    switch (FReport.PrintOptions().PrintMode) {
    case pmSplit:
        if (!printPieces(index, bin, duplex))
            return false;
        break;
    case pmScale: {
        beginSide(page, bin, duplex, poPortrait);
        const double kx = FSheetWidth / page.PaperWidth();
        const double ky = FSheetHeight / page.PaperHeight();
        pages.SetPrintScale(std::min(kx, ky));
        drawPage(index, kx, ky, 0, 0);
        endSide(index + 1);
        break;
    }
    default:
        beginSide(page, bin, duplex, page.Orientation());
        drawPage(index, 1, 1, 0, 0);
        endSide(index + 1);
        break;
    }
    notePrinted(index);
    pages.ClearCache();
    return true;
}

// Pieces as wide and high as the printable region, each starting the splicing line before
// the end of the one before it; a page that fits the sheet is one piece placed as usual.
bool TrpPrintJob::printPieces(int index, int bin, TrpDuplexMode duplex)
{
    TrpPreviewPages& pages = FReport.PreviewPages();
    const TrpReportPage& page = *pages.GetPage(index);
    const double width = page.PaperWidth();
    const double height = page.PaperHeight();
    if (width <= FSheetWidth && height <= FSheetHeight) {
        beginSide(page, bin, duplex, poPortrait);
        drawPage(index, 1, 1, 0, 0);
        endSide(index + 1);
        return true;
    }
    const double printableWidth = FPrinter.Geometry().PrintableWidth();
    const double printableHeight = FPrinter.Geometry().PrintableHeight();
    const double overlap = FReport.PrintOptions().SplicingLine;
    // An overlap as large as the printable region would never get across the page.
    const auto count = [overlap](double length, double printable) {
        const double step = printable - overlap;
        if (length <= printable || step <= 0)
            return 1;
        return 1 + int(std::ceil((length - printable) / step));
    };
    const int columns = count(width, printableWidth);
    const int rows = count(height, printableHeight);
    for (int row = 0; row < rows; ++row)
        for (int column = 0; column < columns; ++column) {
            if ((row > 0 || column > 0) && stopWhenTerminated())
                return false;
            const TrpReportPage& shown = *pages.GetPage(index);
            beginSide(shown, bin, duplex, poPortrait);
            drawPage(index, 1, 1,
                FPrinter.LeftMargin() - column * std::max(printableWidth - overlap, 0.0),
                FPrinter.TopMargin() - row * std::max(printableHeight - overlap, 0.0));
            endSide(index + 1);
        }
    return true;
}

namespace {

// How many pages of one size a sheet holds, upright or turned.
struct TrpJoinLayout {
    int Columns = 1;
    int Rows = 1;
    TrpPrinterOrientation Orientation = poPortrait;
};

TrpJoinLayout joinLayout(double pageWidth, double pageHeight, double sheetWidth, double sheetHeight)
{
    // Sizes are whole millimetres of different sources; a page exactly the sheet's fits.
    constexpr double slack = 1e-6;
    const auto fit = [](double sheet, double page) { return int((sheet + slack) / page); };
    const int columns = fit(sheetWidth, pageWidth);
    const int rows = fit(sheetHeight, pageHeight);
    const int turnedColumns = fit(sheetHeight, pageWidth);
    const int turnedRows = fit(sheetWidth, pageHeight);
    if (turnedColumns * turnedRows > columns * rows)
        return {turnedColumns, turnedRows, poLandscape};
    return {std::max(columns, 1), std::max(rows, 1), poPortrait};
}

} // namespace

bool TrpPrintJob::printJoined(int length, bool reverse)
{
    QList<int> sheet;
    int perSheet = 0;
    for (int i = 0; i < length; ++i) {
        const int index = pageIndexAt(reverse ? length - 1 - i : i);
        if (index < 0)
            continue;
        if (sheet.isEmpty()) {
            const TrpReportPage& first = *FReport.PreviewPages().GetPage(index);
            const TrpJoinLayout layout
                = joinLayout(first.PaperWidth(), first.PaperHeight(), FSheetWidth, FSheetHeight);
            perSheet = layout.Columns * layout.Rows;
        }
        sheet.append(index);
        if (sheet.size() == perSheet) {
            if (!printJoinedSheet(sheet))
                return false;
            sheet.clear();
        }
    }
    return sheet.isEmpty() || printJoinedSheet(sheet);
}

bool TrpPrintJob::printJoinedSheet(const QList<int>& indexes)
{
    if (stopWhenTerminated())
        return false;
    TrpPreviewPages& pages = FReport.PreviewPages();
    const TrpReportPage& first = *pages.GetPage(indexes.first());
    const double width = first.PaperWidth();
    const double height = first.PaperHeight();
    const TrpJoinLayout layout = joinLayout(width, height, FSheetWidth, FSheetHeight);
    beginSide(first, binFor(first), duplexFor(first), layout.Orientation);
    for (int i = 0; i < indexes.size(); ++i) {
        const int column = i % layout.Columns;
        const int row = i / layout.Columns;
        drawPage(indexes[i], 1, 1, column * width, row * height);
        notePrinted(indexes[i]);
        FReport.InternalOnProgress(ptPrinting, indexes[i] + 1);
    }
    FPrinter.EndPage();
    pages.ClearCache();
    return true;
}

void TrpPrintJob::beginSide(const TrpReportPage& page, int bin, TrpDuplexMode duplex,
    TrpPrinterOrientation sheetOrientation)
{
    if (duplex != FLastDuplex)
        FDuplexSide = false;
    if (duplex == dmVertical || duplex == dmHorizontal)
        FDuplexSide = !FDuplexSide;

    const TrpPrintOptions& options = FReport.PrintOptions();
    const bool ownPaper = options.PrintMode == pmDefault;
    const int paper = page.PaperSize();
    const long long width = rpRound(page.PaperWidth());
    const long long height = rpRound(page.PaperHeight());
    const bool paperChanged
        = ownPaper && (paper != FLastPaper || width != FLastWidth || height != FLastHeight);
    if (FSides == 0 || paperChanged || bin != FLastBin || sheetOrientation != FLastOrientation
        || duplex != FLastDuplex) {
        TrpPrintParams params;
        if (ownPaper) {
            params.Paper = paper;
            params.Width = page.PaperWidth();
            params.Height = page.PaperHeight();
        } else {
            const bool turned = sheetOrientation == poLandscape;
            params.Paper = FPrinter.Paper();
            params.Width = turned ? FSheetHeight : FSheetWidth;
            params.Height = turned ? FSheetWidth : FSheetHeight;
        }
        params.Orientation = sheetOrientation;
        params.Bin = bin;
        params.Duplex = duplex;
        params.Copies = options.Collate ? 1 : FCopies;
        FPrinter.SetPrintParams(params);
    }

    if (!FStarted) {
        FPrinter.BeginDoc();
        FStarted = true;
    }
    FPrinter.BeginPage();
    ++FSides;
    FLastPaper = paper;
    FLastWidth = width;
    FLastHeight = height;
    FLastBin = bin;
    FLastOrientation = sheetOrientation;
    FLastDuplex = duplex;
}

void TrpPrintJob::drawPage(int index, double kx, double ky, double x, double y)
{
    const TrpDeviceMapping at = FPrinter.Sheet().Mapping(x, y, kx, ky);
    FReport.PreviewPages().DrawPage(
        index, *FPrinter.Canvas(), at.ScaleX, at.ScaleY, at.OffsetX, at.OffsetY);
}

void TrpPrintJob::endSide(int pageNumber)
{
    FReport.InternalOnProgress(ptPrinting, pageNumber);
    FPrinter.EndPage();
}

void TrpPrintJob::notePrinted(int index)
{
    const int copies = FReport.PrintOptions().Collate ? 1 : FCopies;
    for (int copy = 0; copy < copies; ++copy)
        FSheets.append(index);
}

void TrpPrintJob::printEmptySide()
{
    if (!FStarted)
        return;
    FPrinter.BeginPage();
    FPrinter.EndPage();
}
