#include "rpRenderView.h"

#include "report/model/rpViews.h"

QColor rpColor(quint32 color)
{
    return QColor(int(color & 0xFF), int((color >> 8) & 0xFF), int((color >> 16) & 0xFF));
}

Qt::PenStyle rpPenStyle(TrpFrameStyle style)
{
    switch (style) {
    case fsDash:
        return Qt::DashLine;
    case fsDot:
        return Qt::DotLine;
    case fsDashDot:
        return Qt::DashDotLine;
    case fsDashDotDot:
        return Qt::DashDotDotLine;
    case fsSolid:
    case fsDouble:
        break;
    }
    return Qt::SolidLine;
}

TrpDrawState BeginDraw(const TrpView& view, platform::Canvas& canvas, double scaleX, double scaleY,
    double offsetX, double offsetY)
{
    TrpDrawState state = rpViewCorners(view, scaleX, scaleY, offsetX, offsetY);
    state.FCanvas = &canvas;
    return state;
}

TrpDrawState rpViewCorners(
    const TrpView& view, double scaleX, double scaleY, double offsetX, double offsetY)
{
    TrpDrawState state;
    state.FScaleX = scaleX;
    state.FScaleY = scaleY;
    state.FOffsetX = offsetX;
    state.FOffsetY = offsetY;
    const double left = view.AbsLeft();
    const double top = view.AbsTop();
    state.FX = int(rpRound(left * scaleX + offsetX));
    state.FY = int(rpRound(top * scaleY + offsetY));
    state.FX1 = int(rpRound((left + view.Width()) * scaleX + offsetX));
    state.FY1 = int(rpRound((top + view.Height()) * scaleY + offsetY));
    if (view.Frame().DropShadow) {
        state.FX1 -= int(rpRound(view.Frame().ShadowWidth * scaleX));
        state.FY1 -= int(rpRound(view.Frame().ShadowWidth * scaleY));
    }
    state.FDX = state.FX1 - state.FX;
    state.FDY = state.FY1 - state.FY;
    state.FFrameWidth = int(rpRound(view.Frame().Width * scaleX));
    return state;
}

void rpFillArea(platform::Canvas& canvas, quint32 color, int x, int y, int x1, int y1)
{
    if (color == clTransparent)
        return;
    canvas.fillRect(QRect(QPoint(x, y), QPoint(x1, y1)), rpColor(color));
}

void rpFrameArea(
    platform::Canvas& canvas, const TrpFrame& frame, int frameWidth, int x, int y, int x1, int y1)
{
    if (frame.Typ == 0 || frame.Color == clTransparent || frame.Width == 0)
        return;
    canvas.setPen({rpColor(frame.Color), qMax(1, frameWidth), rpPenStyle(frame.Style)});
    // Each side runs through both of its corners: the line's left-out end pixel lies one
    // beyond.
    if (frame.Typ & rpBit(ftLeft))
        canvas.line(QPoint(x, y), QPoint(x, y1 + 1));
    if (frame.Typ & rpBit(ftRight))
        canvas.line(QPoint(x1, y), QPoint(x1, y1 + 1));
    if (frame.Typ & rpBit(ftTop))
        canvas.line(QPoint(x, y), QPoint(x1 + 1, y));
    if (frame.Typ & rpBit(ftBottom))
        canvas.line(QPoint(x, y1), QPoint(x1 + 1, y1));
}

void DrawBackground(const TrpView& view, const TrpDrawState& state)
{
    rpFillArea(*state.FCanvas, view.Color(), state.FX, state.FY, state.FX1, state.FY1);
}

void DrawFrame(const TrpView& view, const TrpDrawState& state)
{
    rpFrameArea(
        *state.FCanvas, view.Frame(), state.FFrameWidth, state.FX, state.FY, state.FX1, state.FY1);
}
