#pragma once

#include "Canvas.h"

namespace platform {

// One drawing call as the recording canvas kept it.
struct CanvasCall {
    enum Kind { Line, Polyline, Polygon, Rectangle, FillRect, Text };

    Kind kind = Line;
    // Line: from, to; Polyline and Polygon: the points; Rectangle and FillRect: the top-left and
    // bottom-right pixels (both inside); Text: the top-left of the first character cell.
    QList<QPoint> points;
    CanvasPen pen;
    std::optional<QColor> brush;
    QRegion clip;
    // Text only.
    FontSpec font;
    QColor color;
    QString text;
    QList<int> advances;
    std::optional<QRect> textClip;
};

// A canvas that draws nothing and keeps every call with its integer coordinates, so tests
// and benchmarks can see exactly what a page would put on a device.
class RecordingCanvas : public Canvas {
public:
    // A screen-like canvas, or a printer canvas of the given resolution.
    explicit RecordingCanvas(const QRect& bounds, bool printer = false, int dpi = 96);

    bool isPrinter() const override { return FPrinter; }
    int logPixelsX() const override { return FDpi; }
    int logPixelsY() const override { return FDpi; }

    const QList<CanvasCall>& calls() const { return FCalls; }
    QList<CanvasCall> calls(CanvasCall::Kind kind) const;
    void clear() { FCalls.clear(); }

    void line(QPoint from, QPoint to) override;
    void polyline(const QList<QPoint>& points) override;
    void polygon(const QList<QPoint>& points) override;
    void rectangle(const QRect& rect) override;
    void fillRect(const QRect& rect, const QColor& color) override;
    void textOut(QPoint topLeft, const FontSpec& font, const QColor& color, const QString& text,
        const QList<int>& advances, const std::optional<QRect>& clip) override;

private:
    CanvasCall& record(CanvasCall::Kind kind, const QList<QPoint>& points);

    bool FPrinter;
    int FDpi;
    QList<CanvasCall> FCalls;
};

} // namespace platform
