#pragma once

#include "rpRenderMemo.h"

#include "platform/core/Canvas.h"

class TrpReportPage;

// What the prepared-pages store passes on to the objects of a page.
using TrpDrawOptions = TrpMemoDrawContext;

// Draws one page onto a canvas. OffsetX/OffsetY are the device coordinates of the paper's
// top-left corner; ScaleX/ScaleY device pixels per report pixel (the zoom factor on screen,
// resolution / 96 on a printer). Objects are drawn in AllObjects order at any depth, so a
// page whose objects sit inside a container draws the same. On a non-printer canvas the
// drawing is clipped to the paper and the canvas's clip region is restored afterwards.
// With MirrorMargins the left and right margins change places on odd page indexes.
void rpDrawPage(const TrpReportPage& page, int pageIndex, platform::Canvas& canvas, double ScaleX,
    double ScaleY, double OffsetX, double OffsetY, const TrpDrawOptions& options);
