#include "app/AppIcon.h"

#include <QPainter>
#include <QPainterPath>

QImage appEmblemImage(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 48.0, size / 48.0);

    // The certificate blank: a pale sheet with a folded corner.
    QPainterPath sheet;
    sheet.moveTo(6, 3);
    sheet.lineTo(34, 3);
    sheet.lineTo(42, 11);
    sheet.lineTo(42, 45);
    sheet.lineTo(6, 45);
    sheet.closeSubpath();
    p.setPen(QPen(QColor(40, 70, 120), 1.5));
    p.setBrush(QColor(235, 242, 252));
    p.drawPath(sheet);

    // The steering wheel.
    const QPointF centre(24, 26);
    p.setPen(QPen(QColor(180, 30, 30), 4));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(centre, 13, 13);
    p.setPen(QPen(QColor(180, 30, 30), 3));
    p.drawLine(centre, QPointF(24, 39));
    p.drawLine(centre, QPointF(12.5, 22));
    p.drawLine(centre, QPointF(35.5, 22));
    p.setBrush(QColor(180, 30, 30));
    p.drawEllipse(centre, 3.5, 3.5);
    p.end();
    return image;
}

QPixmap appEmblem() { return QPixmap::fromImage(appEmblemImage(48)); }

QIcon appIcon()
{
    QIcon icon;
    for (const int size : {16, 32, 48, 64})
        icon.addPixmap(QPixmap::fromImage(appEmblemImage(size)));
    return icon;
}
