#include "RecordingCanvas.h"

namespace platform {

RecordingCanvas::RecordingCanvas(const QRect& bounds, bool printer, int dpi)
    : Canvas(bounds), FPrinter(printer), FDpi(dpi)
{
}

QList<CanvasCall> RecordingCanvas::calls(CanvasCall::Kind kind) const
{
    QList<CanvasCall> list;
    for (const CanvasCall& call : FCalls) {
        if (call.kind == kind)
            list.append(call);
    }
    return list;
}

CanvasCall& RecordingCanvas::record(CanvasCall::Kind kind, const QList<QPoint>& points)
{
    CanvasCall& call = FCalls.emplaceBack();
    call.kind = kind;
    call.points = points;
    call.pen = pen();
    call.brush = brush();
    call.clip = clipRegion();
    return call;
}

void RecordingCanvas::line(QPoint from, QPoint to) { record(CanvasCall::Line, {from, to}); }

void RecordingCanvas::polyline(const QList<QPoint>& points)
{
    record(CanvasCall::Polyline, points);
}

void RecordingCanvas::polygon(const QList<QPoint>& points) { record(CanvasCall::Polygon, points); }

void RecordingCanvas::rectangle(const QRect& rect)
{
    record(CanvasCall::Rectangle, {rect.topLeft(), rect.bottomRight()});
}

void RecordingCanvas::fillRect(const QRect& rect, const QColor& color)
{
    record(CanvasCall::FillRect, {rect.topLeft(), rect.bottomRight()}).color = color;
}

void RecordingCanvas::textOut(QPoint topLeft, const FontSpec& font, const QColor& color,
    const QString& text, const QList<int>& advances, const std::optional<QRect>& clip)
{
    CanvasCall& call = record(CanvasCall::Text, {topLeft});
    call.font = font;
    call.color = color;
    call.text = text;
    call.advances = advances;
    call.textClip = clip;
}

} // namespace platform
