#pragma once

#include "report/model/rpTypes.h"

#include "platform/core/Canvas.h"

class TrpView;

// A colour of the model (0x00BBGGRR) as the canvas takes it.
QColor rpColor(quint32 color);
Qt::PenStyle rpPenStyle(TrpFrameStyle style);

// Where one drawing of a view lands on the device. Every corner is rounded on its own, so
// a view's device width depends on where it sits, not only on its Width.
struct TrpDrawState {
    platform::Canvas* FCanvas = nullptr;
    double FScaleX = 1;
    double FScaleY = 1;
    double FOffsetX = 0;
    double FOffsetY = 0;
    int FX = 0;
    int FY = 0;
    int FX1 = 0;
    int FY1 = 0;
    int FDX = 0;
    int FDY = 0;
    int FFrameWidth = 0;
};

// The corners and frame width alone, without a canvas.
TrpDrawState rpViewCorners(
    const TrpView& view, double scaleX, double scaleY, double offsetX, double offsetY);
// Offsets are the device coordinates of the printable area's corner.
TrpDrawState BeginDraw(const TrpView& view, platform::Canvas& canvas, double scaleX, double scaleY,
    double offsetX, double offsetY);
void DrawBackground(const TrpView& view, const TrpDrawState& state);
void DrawFrame(const TrpView& view, const TrpDrawState& state);

// Fill and frame sides of a device rectangle (right and bottom corners inside), shared by
// views and the page background.
void rpFillArea(platform::Canvas& canvas, quint32 color, int x, int y, int x1, int y1);
void rpFrameArea(
    platform::Canvas& canvas, const TrpFrame& frame, int frameWidth, int x, int y, int x1, int y1);
