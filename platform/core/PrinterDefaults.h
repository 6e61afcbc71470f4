#pragma once

#include <functional>

namespace platform {

// Paper and orientation of the system's default printer, for pages that take printer
// defaults. A4 portrait when no printer is known.
struct PrinterDefaults {
    int paperCode = 9; // paper number of the printing interface; 256 for a size without one
    double paperWidthMm = 210; // portrait
    double paperHeightMm = 297;
    bool landscape = false;
};

// What the printer layer reports of the default printer; A4 portrait until a source is set.
PrinterDefaults printerDefaults();

// Where printerDefaults comes from: the printer layer sets it once at start-up.
void setPrinterDefaultsSource(std::function<PrinterDefaults()> query);

} // namespace platform
