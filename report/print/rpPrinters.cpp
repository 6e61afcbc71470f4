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

TrpPrinters*& instance()
{
    static TrpPrinters* printers = nullptr;
    return printers;
}

// The printers hold print devices that must go before the application does.
void releasePrinters()
{
    delete instance();
    instance() = nullptr;
}

} // namespace

TrpPrinters& rpPrinters()
{
    if (!instance()) {
        instance() = new TrpPrinters;
        qAddPostRoutine(releasePrinters);
    }
    return *instance();
}
