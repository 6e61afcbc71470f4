#include "rpPrinterDefaults.h"

#include "platform/core/PrinterDefaults.h"

#include <QPageSize>
#include <QPrinterInfo>

namespace {

platform::PrinterDefaults systemPrinterDefaults()
{
    platform::PrinterDefaults defaults;
    const QPrinterInfo printer = QPrinterInfo::defaultPrinter();
    if (printer.isNull())
        return defaults;
    const QPageSize page = printer.defaultPageSize();
    if (!page.isValid())
        return defaults;
    const QSizeF size = page.size(QPageSize::Millimeter);
    defaults.paperCode = page.windowsId() > 0 ? page.windowsId() : 256;
    defaults.paperWidthMm = qMin(size.width(), size.height());
    defaults.paperHeightMm = qMax(size.width(), size.height());
    return defaults;
}

} // namespace

void rpUseSystemPrinterDefaults() { platform::setPrinterDefaultsSource(systemPrinterDefaults); }
