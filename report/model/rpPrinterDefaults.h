#pragma once

#include "rpPaper.h"
#include "rpTypes.h"

// Paper and orientation of the default printer, which a page takes for its defaults
// (TrpReportPage::SetDefaults). A4 portrait when no printer is known.
struct TrpPrinterDefaults {
    int PaperCode = rpPaperA4; // the paper table's number; rpCustomPaper for a size without one
    double PaperWidth = 210; // millimetres, portrait
    double PaperHeight = 297;
    TrpPrinterOrientation Orientation = poPortrait;
};
