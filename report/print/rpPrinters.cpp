#include "rpPrinters.h"

#include "rpPrinter.h"
#include "rpVirtualPrinter.h"

#include <QCoreApplication>
#include <QPrinterInfo>

TrpPrinters::TrpPrinters()
{
    // Queues are known by name alone; their device is the print service's business.
    for (const QString& name : QPrinterInfo::availablePrinterNames())
        FPrinters.push_back(std::make_unique<TrpPrinter>(name, QString()));
    FHasPhysicalPrinters = !FPrinters.empty();
    if (!FHasPhysicalPrinters) {
        FPrinters.push_back(std::make_unique<TrpVirtualPrinter>());
        SetPrinterIndex(0);
        return;
    }
    const QString defaultName = QPrinterInfo::defaultPrinterName();
    int index = 0;
    for (int i = 0; i < int(FPrinters.size()); ++i)
        if (FPrinters[i]->Name().compare(defaultName, Qt::CaseInsensitive) == 0) {
            index = i;
            break;
        }
    SetPrinterIndex(index);
}

TrpPrinters::~TrpPrinters() = default;

QStringList TrpPrinters::Printers() const
{
    QStringList names;
    for (const auto& printer : FPrinters)
        names.append(printer->Name());
    return names;
}

void TrpPrinters::SetPrinterIndex(int index)
{
    if (index < 0 || index >= int(FPrinters.size()))
        return;
    FPrinterIndex = index;
    FPrinters[index]->Init();
}

TrpCustomPrinter* TrpPrinters::Printer() const
{
    return FPrinterIndex < 0 ? nullptr : FPrinters[FPrinterIndex].get();
}

namespace {

// The list made on first use and kept until the application ends.
std::unique_ptr<TrpPrinters>& programPrinters()
{
    static std::unique_ptr<TrpPrinters> printers;
    return printers;
}

// The list a scope has put in place; none outside scopes.
TrpPrinters*& scopedPrinters()
{
    static TrpPrinters* printers = nullptr;
    return printers;
}

// The printers hold print devices that must go before the application does.
void releasePrinters() { programPrinters().reset(); }

} // namespace

TrpPrinters& rpPrinters()
{
    if (TrpPrinters* scoped = scopedPrinters())
        return *scoped;
    if (!programPrinters()) {
        programPrinters() = std::make_unique<TrpPrinters>();
        qAddPostRoutine(releasePrinters);
    }
    return *programPrinters();
}

TrpPrintersScope::TrpPrintersScope()
    : FPrinters(std::make_unique<TrpPrinters>()), FPrevious(scopedPrinters())
{
    scopedPrinters() = FPrinters.get();
}

TrpPrintersScope::~TrpPrintersScope() { scopedPrinters() = FPrevious; }
