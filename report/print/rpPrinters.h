#pragma once

#include "rpCustomPrinter.h"

#include <QStringList>

#include <memory>
#include <vector>

// The printers of the system, read once: the default printer current, or the virtual
// printer alone when the system has none.
class TrpPrinters {
public:
    TrpPrinters();
    ~TrpPrinters();
    TrpPrinters(const TrpPrinters&) = delete;
    TrpPrinters& operator=(const TrpPrinters&) = delete;

    QStringList Printers() const;
    int PrinterIndex() const { return FPrinterIndex; }
    // Makes the printer at that index current and initialises it.
    void SetPrinterIndex(int index);
    TrpCustomPrinter* Printer() const;
    bool HasPhysicalPrinters() const { return FHasPhysicalPrinters; }

private:
    std::vector<std::unique_ptr<TrpCustomPrinter>> FPrinters;
    int FPrinterIndex = -1;
    bool FHasPhysicalPrinters = false;
};

// The program's printer list, made on first use and kept until the application ends.
TrpPrinters& rpPrinters();

// Puts a printer list in place of the program's for as long as it lives, and the list before
// it back afterwards (tests). The list is read from the system when the scope begins, so it
// holds the queues the print service has then, with the default printer current.
class TrpPrintersScope {
public:
    TrpPrintersScope();
    ~TrpPrintersScope();
    TrpPrintersScope(const TrpPrintersScope&) = delete;
    TrpPrintersScope& operator=(const TrpPrintersScope&) = delete;

    TrpPrinters& Printers() const { return *FPrinters; }

private:
    std::unique_ptr<TrpPrinters> FPrinters;
    TrpPrinters* FPrevious;
};
