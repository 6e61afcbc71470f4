#pragma once

#include "report/model/rpPageGeometry.h"

// What a printer device reports of one paper in one orientation, in its own dots.
struct TrpDeviceCaps {
    int DpiX = 0;
    int DpiY = 0;
    int PhysicalWidth = 0; // the whole sheet
    int PhysicalHeight = 0;
    int PhysicalOffsetX = 0; // the printable region's corner from the sheet's corner
    int PhysicalOffsetY = 0;
    int HorzRes = 0; // the printable region
    int VertRes = 0;
};

// The sheet and its unprintable border in whole millimetres, as the engine keeps them: a
// paper with margins, like a page's.
using TrpPaperGeometry = TrpPageGeometry;

// Each length is rounded to the whole millimetre on its own (halves to even); the right and
// bottom borders are what remains of the rounded paper after the rounded printable region
// and the rounded offset. The resolution must not be 0.
TrpPaperGeometry rpPaperGeometry(const TrpDeviceCaps& caps);
