#pragma once

#include "FontMetrics.h"

#include <QColor>
#include <QList>
#include <QPoint>
#include <QRect>
#include <QRegion>

#include <optional>

namespace platform {

// The outline pen; without a colour nothing is outlined.
struct CanvasPen {
    std::optional<QColor> color = QColor(Qt::black);
    int width = 1;
    Qt::PenStyle style = Qt::SolidLine;

    bool operator==(const CanvasPen&) const = default;
};

// A drawing surface in whole device pixels, x to the right and y downwards, with the
// drawing rules the report engine was written for:
// - a line leaves out its end pixel, and a polyline its last point;
// - a rectangle (left, top, right, bottom) has exclusive right and bottom edges, so its
//   outline runs through (left, top) and (right - 1, bottom - 1);
// - text starts at the top of the character cell and each character advances by the width
//   given for it, whatever the font would advance by itself;
// - drawing is limited to the clip region, which callers narrow and later restore.
class Canvas {
public:
    // The clip region starts as the whole device.
    explicit Canvas(const QRect& bounds);
    virtual ~Canvas() = default;
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    // A printer canvas prints in dots of its own resolution; every other canvas (screen,
    // image, PDF preview) works in report pixels times the scale it is given.
    virtual bool isPrinter() const { return false; }
    virtual int logPixelsX() const { return 96; }
    virtual int logPixelsY() const { return 96; }

    const QRect& bounds() const { return FBounds; }
    const QRegion& clipRegion() const { return FClip; }
    void setClipRegion(const QRegion& region);
    void intersectClipRect(const QRect& rect);

    const CanvasPen& pen() const { return FPen; }
    void setPen(const CanvasPen& pen) { FPen = pen; }
    // The fill of polygons and rectangles; without a colour their inside stays untouched.
    const std::optional<QColor>& brush() const { return FBrush; }
    void setBrush(const std::optional<QColor>& color) { FBrush = color; }

    virtual void line(QPoint from, QPoint to) = 0;
    virtual void polyline(const QList<QPoint>& points) = 0;
    virtual void polygon(const QList<QPoint>& points) = 0;
    virtual void rectangle(const QRect& rect) = 0;
    virtual void fillRect(const QRect& rect, const QColor& color) = 0;
    // One character per advance; the characters are drawn with a transparent background,
    // clipped to `clip` as well when it is given.
    virtual void textOut(QPoint topLeft, const FontSpec& font, const QColor& color,
        const QString& text, const QList<int>& advances, const std::optional<QRect>& clip)
        = 0;

protected:
    virtual void clipChanged() { }

private:
    QRect FBounds;
    QRegion FClip;
    CanvasPen FPen;
    std::optional<QColor> FBrush;
};

} // namespace platform
