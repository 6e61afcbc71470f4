#include "PrinterDefaults.h"

namespace platform {

namespace {

std::function<PrinterDefaults()>& source()
{
    static std::function<PrinterDefaults()> query;
    return query;
}

} // namespace

void setPrinterDefaultsSource(std::function<PrinterDefaults()> query)
{
    source() = std::move(query);
}

PrinterDefaults printerDefaults() { return source() ? source()() : PrinterDefaults {}; }

} // namespace platform
