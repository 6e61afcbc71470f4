#include "rpRenderShape.h"

#include "report/model/rpViews.h"
#include "rpRenderView.h"

#include <cmath>

namespace {

QPoint rounded(QPointF point) { return QPoint(int(rpRound(point.x())), int(rpRound(point.y()))); }

bool outside(double value, double a, double b)
{
    return (value > a && value > b) || (value < a && value < b);
}

void drawArrow(const TrpCustomLineView& line, platform::Canvas& canvas, double scaleX, QPoint tip,
    QPoint shaftEnd)
{
    const QList<QPointF> head
        = rpArrowHead(tip, shaftEnd, line.ArrowWidth() * scaleX, line.ArrowLength() * scaleX);
    const TrpFrame& frame = line.Frame();
    if (line.ArrowSolid()) {
        canvas.setBrush(rpColor(frame.Color));
        canvas.polygon({rounded(head[1]), rounded(head[0]), rounded(head[2])});
        return;
    }
    platform::CanvasPen pen = canvas.pen();
    pen.width = int(rpRound(frame.Width * scaleX));
    canvas.setPen(pen);
    canvas.polyline({rounded(head[0]), rounded(head[1]), rounded(head[2])});
}

} // namespace

QList<QPointF> rpArrowHead(QPointF tip, QPointF shaftEnd, double width, double length)
{
    const double x1 = shaftEnd.x();
    const double y1 = shaftEnd.y();
    const double x2 = tip.x();
    const double y2 = tip.y();
    if (std::abs(x2 - x1) <= 8) {
        double yp = y2 - length;
        if (outside(yp, y1, y2))
            yp = y2 + length;
        return {QPointF(x2 - width, yp), tip, QPointF(x2 + width, yp)};
    }
    // The line is y = k x + c0; (xp, yp) is where it meets the circle of radius `length`
    // around the tip.
    const double k = (y2 - y1) / (x2 - x1);
    const double c0 = (x2 * y1 - x1 * y2) / (x2 - x1);
    const double a = k * k + 1;
    const double b = 2 * (k * (c0 - y2) - x2);
    const double c = c0 * c0 + x2 * x2 + y2 * y2 - length * length - 2 * y2 * c0;
    // The line passes through the circle's centre, so the discriminant is never negative;
    // rounding can still take it a hair below zero.
    const double root = std::sqrt(std::max(0.0, b * b - 4 * a * c));
    double xp = (root - b) / (2 * a);
    if (outside(xp, x1, x2))
        xp = (-root - b) / (2 * a);
    const double yp = k * xp + c0;
    if (y2 == y1)
        return {QPointF(xp, yp - width), tip, QPointF(xp, yp + width)};
    const double theta = std::atan(k);
    return {QPointF(xp + width * std::sin(theta), yp - width * std::cos(theta)), tip,
        QPointF(xp - width * std::sin(theta), yp + width * std::cos(theta))};
}

void rpDrawShape(const TrpShapeView& shape, platform::Canvas& canvas, double scaleX, double scaleY,
    double offsetX, double offsetY)
{
    if (shape.Shape() != skRectangle)
        return;
    const TrpDrawState state = BeginDraw(shape, canvas, scaleX, scaleY, offsetX, offsetY);
    const TrpFrame& frame = shape.Frame();
    platform::CanvasPen pen;
    if (frame.Color == clTransparent)
        pen.color.reset();
    else
        pen.color = rpColor(frame.Color);
    pen.width = state.FFrameWidth;
    pen.style = rpPenStyle(frame.Style);
    canvas.setPen(pen);
    canvas.setBrush(
        shape.Color() == clTransparent ? std::nullopt : std::optional(rpColor(shape.Color())));
    canvas.rectangle(QRect(QPoint(state.FX, state.FY), QPoint(state.FX1, state.FY1)));
}

void rpDrawLine(const TrpCustomLineView& line, platform::Canvas& canvas, double scaleX,
    double scaleY, double offsetX, double offsetY)
{
    const TrpFrame& frame = line.Frame();
    if (frame.Color == clTransparent || frame.Width == 0)
        return;
    TrpDrawState state = BeginDraw(line, canvas, scaleX, scaleY, offsetX, offsetY);
    if (!line.Diagonal()) {
        if (line.Height() >= line.Width())
            state.FX1 = state.FX;
        else
            state.FY1 = state.FY;
    }
    canvas.setPen({rpColor(frame.Color), 1, rpPenStyle(frame.Style)});
    canvas.setBrush(
        line.Color() == clTransparent ? std::nullopt : std::optional(rpColor(line.Color())));
    // A thick line is drawn as parallel one-pixel lines, shifted across its main direction.
    const int width = qMax(1, state.FFrameWidth);
    const bool flat = std::abs(state.FX1 - state.FX) > std::abs(state.FY1 - state.FY);
    for (int t = -width / 2; t <= width / 2 - (width % 2 == 0 ? 1 : 0); ++t) {
        const QPoint shift = flat ? QPoint(0, t) : QPoint(t, 0);
        canvas.line(QPoint(state.FX, state.FY) + shift, QPoint(state.FX1, state.FY1) + shift);
    }
    const QPoint start(state.FX, state.FY);
    const QPoint end(state.FX1, state.FY1);
    if (line.ArrowStart())
        drawArrow(line, canvas, scaleX, start, end);
    if (line.ArrowEnd())
        drawArrow(line, canvas, scaleX, end, start);
}
