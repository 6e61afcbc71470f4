#include "QPainterCanvas.h"

#include <QGlyphRun>
#include <QPaintDevice>

#include <cstdlib>

namespace platform {

QPainterCanvas::QPainterCanvas(QPaintDevice& device, Kind kind)
    : QPainterCanvas(device, kind, QRect(0, 0, device.width(), device.height()))
{
}

QPainterCanvas::QPainterCanvas(QPaintDevice& device, Kind kind, const QRect& area)
    : Canvas(QRect(QPoint(0, 0), area.size())),
      FPainter(&device),
      FKind(kind),
      FDpiX(device.logicalDpiX()),
      FDpiY(device.logicalDpiY())
{
    FPainter.translate(area.topLeft());
    FPainter.setRenderHint(QPainter::Antialiasing, false);
    FPainter.setClipRegion(clipRegion());
}

void QPainterCanvas::clipChanged() { FPainter.setClipRegion(clipRegion()); }

void QPainterCanvas::applyPen()
{
    if (!pen().color) {
        FPainter.setPen(Qt::NoPen);
        return;
    }
    QPen qpen(*pen().color, qMax(1, pen().width), pen().style, Qt::SquareCap, Qt::MiterJoin);
    FPainter.setPen(qpen);
}

void QPainterCanvas::applyBrush()
{
    FPainter.setBrush(brush() ? QBrush(*brush()) : QBrush(Qt::NoBrush));
}

// A one-pixel line stepped out pixel by pixel, end pixel left out: QPainter would include
// it, and its own stepping differs from the one the engine's coordinates were made for.
void QPainterCanvas::thinLine(QPoint from, QPoint to)
{
    const int adx = std::abs(to.x() - from.x());
    const int ady = std::abs(to.y() - from.y());
    const int sx = to.x() < from.x() ? -1 : 1;
    const int sy = to.y() < from.y() ? -1 : 1;
    const int steps = qMax(adx, ady);
    QList<QPoint> points;
    points.reserve(steps);
    int x = from.x();
    int y = from.y();
    int error = adx - ady;
    for (int i = 0; i < steps; ++i) {
        points.append(QPoint(x, y));
        const int twice = 2 * error;
        if (twice > -ady) {
            error -= ady;
            x += sx;
        }
        if (twice < adx) {
            error += adx;
            y += sy;
        }
    }
    FPainter.drawPoints(points.constData(), int(points.size()));
}

void QPainterCanvas::line(QPoint from, QPoint to)
{
    if (!pen().color)
        return;
    applyPen();
    if (pen().width <= 1 && pen().style == Qt::SolidLine) {
        thinLine(from, to);
        return;
    }
    QPen qpen = FPainter.pen();
    qpen.setCapStyle(Qt::FlatCap);
    FPainter.setPen(qpen);
    FPainter.drawLine(from, to);
}

void QPainterCanvas::polyline(const QList<QPoint>& points)
{
    for (qsizetype i = 1; i < points.size(); ++i)
        line(points[i - 1], points[i]);
}

void QPainterCanvas::polygon(const QList<QPoint>& points)
{
    applyPen();
    applyBrush();
    FPainter.drawPolygon(points.constData(), int(points.size()));
}

void QPainterCanvas::rectangle(const QRect& rect)
{
    applyBrush();
    if (brush())
        FPainter.fillRect(rect, *brush());
    if (!pen().color)
        return;
    applyPen();
    FPainter.setBrush(Qt::NoBrush);
    // QPainter outlines a QRect through its right and bottom pixels plus one; shrink by one
    // so the outline passes through the inclusive corners.
    FPainter.drawRect(rect.adjusted(0, 0, -1, -1));
}

void QPainterCanvas::fillRect(const QRect& rect, const QColor& color)
{
    FPainter.fillRect(rect, color);
}

void QPainterCanvas::textOut(QPoint topLeft, const FontSpec& font, const QColor& color,
    const QString& text, const QList<int>& advances, const std::optional<QRect>& clip)
{
    const FontMetrics& metrics = FontMetrics::of(font);
    const QList<quint32> glyphs = metrics.glyphs(text);
    QList<QPointF> positions;
    positions.reserve(glyphs.size());
    double x = topLeft.x();
    const double baseline = topLeft.y() + metrics.ascent();
    for (int advance : advances) {
        positions.append(QPointF(x, baseline));
        x += advance;
    }
#ifdef Q_OS_WIN
    // The Windows print engine hands a run of glyphs to the driver as outlines, and the job
    // loses its text; characters drawn one by one, each at its place, reach the driver as
    // text in the same face.
    if (FKind == Printer) {
        QFont face = metrics.font();
        face.setHintingPreference(QFont::PreferDefaultHinting);
        FPainter.save();
        if (clip)
            FPainter.setClipRegion(clipRegion().intersected(*clip));
        FPainter.setPen(color);
        FPainter.setFont(face);
        for (qsizetype i = 0; i < text.size() && i < positions.size(); ++i)
            FPainter.drawText(positions[i], QString(text[i]));
        FPainter.restore();
        return;
    }
#endif
    QGlyphRun run;
    run.setRawFont(metrics.rawFont());
    run.setGlyphIndexes(glyphs);
    run.setPositions(positions);
    run.setUnderline(font.underline);
    run.setStrikeOut(font.strikeOut);
    FPainter.save();
    if (clip)
        FPainter.setClipRegion(clipRegion().intersected(*clip));
    FPainter.setPen(color);
    FPainter.drawGlyphRun(QPointF(0, 0), run);
    FPainter.restore();
}

} // namespace platform
