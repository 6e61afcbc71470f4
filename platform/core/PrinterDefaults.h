#pragma once

namespace platform {

// Paper and orientation of the system's default printer, for pages that take printer
// defaults. A4 portrait when no printer is known.
struct PrinterDefaults {
    int paperCode = 9; // paper number of the printing interface; 256 for a size without one
    double paperWidthMm = 210; // portrait
    double paperHeightMm = 297;
    bool landscape = false;
};

PrinterDefaults printerDefaults();

} // namespace platform
