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
