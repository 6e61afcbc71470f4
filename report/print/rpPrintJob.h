#pragma once

#include "report/model/rpTypes.h"

#include <QList>
#include <QSet>

class TrpCustomPrinter;
class TrpReport;

// One print job: the report's prepared pages onto the current printer, as the report's print
// options say (copies, collate, order, odd or even pages, print mode, duplex). The document
// is begun with the first page actually printed, so a job whose pages are all skipped
// begins none; the driver is reconfigured only when a page asks for another paper, source,
// orientation or duplex than the page before it. Cancel (the report's Terminated) aborts
// the document before the next page.
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

    int PagesPrinted() const { return FPagesPrinted; }
    // The document ended and went to the printer: begun, not aborted.
    bool Ended() const { return FEnded; }
    // The prepared pages by index in the order printed, a page once for every sheet that
    // comes out with it (the driver's copies included).
    const QList<int>& Sheets() const { return FSheets; }

private:
    bool PrintPages();
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
    bool FEnded = false;
    int FPagesPrinted = 0;
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
