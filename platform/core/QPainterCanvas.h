#pragma once

#include "Canvas.h"

#include <QPainter>

class QPaintDevice;

namespace platform {

// The canvas over a QPainter: an image, a widget, a PDF file or a printer. Lines and
// outlines are drawn without antialiasing so that every pixel lands where the canvas rules
// put it; text is drawn as glyph runs at the given advances.
class QPainterCanvas : public Canvas {
public:
    enum Kind { Screen, Printer };

    // Paints on the device until destroyed; a printer canvas reports the device's
    // resolution.
    explicit QPainterCanvas(QPaintDevice& device, Kind kind = Screen);
    // Paints on a part of the device only, with the part's corner as the origin: a printer
    // sheet seen from its printable region, as a printer's device context has it.
    QPainterCanvas(QPaintDevice& device, Kind kind, const QRect& area);

    bool isPrinter() const override { return FKind == Printer; }
    int logPixelsX() const override { return FDpiX; }
    int logPixelsY() const override { return FDpiY; }

    void line(QPoint from, QPoint to) override;
    void polyline(const QList<QPoint>& points) override;
    void polygon(const QList<QPoint>& points) override;
    void rectangle(const QRect& rect) override;
    void fillRect(const QRect& rect, const QColor& color) override;
    void textOut(QPoint topLeft, const FontSpec& font, const QColor& color, const QString& text,
        const QList<int>& advances, const std::optional<QRect>& clip) override;

protected:
    void clipChanged() override;

private:
    void applyPen();
    void applyBrush();
    void thinLine(QPoint from, QPoint to);

    QPainter FPainter;
    Kind FKind;
    int FDpiX;
    int FDpiY;
};

} // namespace platform
