#pragma once

#include "report/model/rpTypes.h"

#include <QList>
#include <QSet>

class TrpCustomPrinter;
class TrpReport;
class TrpReportPage;

// One print job: the report's prepared pages onto the current printer, as the report's print
// options say (copies, collate, order, odd or even pages, print mode, duplex). The document
// is begun with the first page actually printed, so a job whose pages are all skipped
// begins none; the driver is reconfigured only when a page asks for another paper, source,
// orientation or duplex than the page before it. Cancel (the report's Terminated) aborts
// the document before the next sheet side.
//
// The print modes other than pmDefault print onto the sheet the printer was set to:
// pmScale stretches each page to the sheet, horizontally and vertically by their own
// factors; pmSplit prints a page larger than the sheet in pieces over as many sheets as
// needed, each piece filling the printable region and overlapping the one before it by
// SplicingLine millimetres; pmJoin places as many consecutive pages of the first one's
// size side by side on one sheet as fit, turning the sheet when that fits more.
class TrpPrintJob {
public:
    // pageNumbers: the page list (1-based, rpParsePageNumbers); empty = every page. For a
    // print mode other than pmDefault, sheetWidth and sheetHeight (mm) are the sheet the
    // printer was set to.
    TrpPrintJob(TrpReport& report, TrpCustomPrinter& printer, QList<int> pageNumbers,
        TrpDuplexMode duplex, double sheetWidth = 0, double sheetHeight = 0);

    void DoPrint();
    // Prints the page at a position of the sequence; false stops the sequence.
    bool PrintPage(int position);

    // The document ended and went to the printer: begun, not aborted, not refused.
    bool Ended() const { return FEnded; }
    // The prepared pages by index in the order printed, a page once for every sheet that
    // comes out with it (the driver's copies included).
    const QList<int>& Sheets() const { return FSheets; }

private:
    bool PrintPages();
    bool printJoined(int length, bool reverse);
    bool printJoinedSheet(const QList<int>& indexes);
    bool printPieces(int index, int bin, TrpDuplexMode duplex);
    // The page index at a position of the sequence; -1 when the position is skipped.
    int pageIndexAt(int position) const;
    // Aborts the document when the operator cancelled; true then.
    bool stopWhenTerminated();
    int binFor(const TrpReportPage& page);
    TrpDuplexMode duplexFor(const TrpReportPage& page) const;
    // Sets the driver up for the side when anything differs from the side before, begins
    // the document with the first side, then the side itself.
    void beginSide(const TrpReportPage& page, int bin, TrpDuplexMode duplex,
        TrpPrinterOrientation sheetOrientation);
    // Draws the page with its paper's corner at (x, y) mm from the sheet's corner, scaled.
    void drawPage(int index, double kx, double ky, double x, double y);
    void endSide(int pageNumber);
    // A page has come out: once on its sheet, or as many times as the driver copies it.
    void notePrinted(int index);
    void printEmptySide();

    TrpReport& FReport;
    TrpCustomPrinter& FPrinter;
    QList<int> FPageNumbers;
    TrpDuplexMode FDuplex;
    double FSheetWidth;
    double FSheetHeight;

    int FCopies = 1;
    int FCopyNo = 1;
    bool FStarted = false;
    int FSides = 0;
    bool FEnded = false;
    QList<int> FSheets;
    bool FDuplexSide = false;
    TrpDuplexMode FLastDuplex = dmNone;
    int FLastPaper = 0;
    long long FLastWidth = 0;
    long long FLastHeight = 0;
    int FLastBin = 0;
    TrpPrinterOrientation FLastOrientation = poPortrait;
    QSet<int> FBinsPrinted;
};
