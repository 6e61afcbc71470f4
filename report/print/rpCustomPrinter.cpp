#include "rpCustomPrinter.h"

#include "report/model/rpPaper.h"
#include "report/model/rpRes.h"

#include <utility>

namespace {

int indexOfCode(const QList<TrpPrinterItem>& items, int code)
{
    for (int i = 0; i < items.size(); ++i)
        if (items[i].Code == code)
            return i;
    return -1;
}

int codeOfName(const QList<TrpPrinterItem>& items, const QString& name)
{
    for (const TrpPrinterItem& item : items)
        if (item.Name == name)
            return item.Code;
    return items.isEmpty() ? -1 : items.first().Code;
}

} // namespace

TrpCustomPrinter::TrpCustomPrinter(QString name, QString port)
    : FName(std::move(name)), FPort(std::move(port))
{
    resetLists();
}

TrpCustomPrinter::~TrpCustomPrinter() = default;

void TrpCustomPrinter::resetLists()
{
    FPapers = {{rpGet(QStringLiteral("prtCustomPaper")), rpCustomPaper}};
    FBins = {{rpGet(QStringLiteral("prtDefaultBin")), TrpDeviceMode::AutoSource}};
}

int TrpCustomPrinter::PaperIndex(int code) const { return indexOfCode(FPapers, code); }
int TrpCustomPrinter::PaperNameToNumber(const QString& name) const
{
    return codeOfName(FPapers, name);
}
int TrpCustomPrinter::BinIndex(int code) const { return indexOfCode(FBins, code); }
int TrpCustomPrinter::BinNameToNumber(const QString& name) const { return codeOfName(FBins, name); }
