#include "rpPreviewIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {

const QColor kInk(64, 64, 64);
const QColor kAccent(42, 110, 187);
const QColor kPaper(Qt::white);

void sheet(QPainter& p, const QRect& r)
{
    p.setPen(kInk);
    p.setBrush(kPaper);
    p.drawRect(r);
}

void triangle(QPainter& p, QPoint a, QPoint b, QPoint c)
{
    p.setPen(Qt::NoPen);
    p.setBrush(kAccent);
    const QPoint points[] = {a, b, c};
    p.drawPolygon(points, 3);
}

void bar(QPainter& p, int x)
{
    p.setPen(Qt::NoPen);
    p.setBrush(kAccent);
    p.drawRect(x, 3, 2, 10);
}

void lens(QPainter& p)
{
    p.setPen(QPen(kInk, 1.5));
    p.setBrush(kPaper);
    p.drawEllipse(QRectF(1.5, 1.5, 9, 9));
    p.setPen(QPen(kInk, 2.5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(9.5, 9.5), QPointF(14, 14));
}

void textLines(QPainter& p, int left, int top, int right, int count)
{
    p.setPen(kAccent);
    for (int i = 0; i < count; ++i)
        p.drawLine(left, top + 2 * i, right, top + 2 * i);
}

void paint(QPainter& p, TrpPreviewIcon icon)
{
    switch (icon) {
    case piOpen:
        p.setPen(kInk);
        p.setBrush(QColor(236, 200, 90));
        p.drawRect(1, 4, 13, 9);
        p.drawRect(1, 3, 5, 1);
        triangle(p, QPoint(11, 1), QPoint(15, 5), QPoint(11, 9));
        break;
    case piSave:
        p.setPen(kInk);
        p.setBrush(kAccent);
        p.drawRect(1, 1, 13, 13);
        p.setBrush(kPaper);
        p.drawRect(4, 1, 7, 5);
        p.drawRect(3, 9, 9, 5);
        break;
    case piPrint:
        sheet(p, QRect(4, 1, 7, 5));
        p.setPen(kInk);
        p.setBrush(QColor(200, 200, 200));
        p.drawRect(1, 6, 13, 6);
        sheet(p, QRect(4, 10, 7, 5));
        p.setPen(kAccent);
        p.drawPoint(12, 8);
        break;
    case piFind:
        lens(p);
        break;
    case piThumbnails:
        sheet(p, QRect(1, 1, 5, 6));
        sheet(p, QRect(9, 1, 5, 6));
        sheet(p, QRect(1, 9, 5, 6));
        sheet(p, QRect(9, 9, 5, 6));
        break;
    case piPageSettings:
        sheet(p, QRect(2, 1, 11, 14));
        p.setPen(QPen(kAccent, 1, Qt::DotLine));
        p.setBrush(Qt::NoBrush);
        p.drawRect(4, 3, 7, 10);
        break;
    case piFirst:
        bar(p, 3);
        triangle(p, QPoint(12, 3), QPoint(12, 13), QPoint(6, 8));
        break;
    case piPrior:
        triangle(p, QPoint(11, 3), QPoint(11, 13), QPoint(5, 8));
        break;
    case piNext:
        triangle(p, QPoint(5, 3), QPoint(5, 13), QPoint(11, 8));
        break;
    case piLast:
        triangle(p, QPoint(4, 3), QPoint(4, 13), QPoint(10, 8));
        bar(p, 11);
        break;
    case piOutline:
        p.setPen(kInk);
        p.drawLine(3, 3, 3, 12);
        p.drawLine(3, 7, 6, 7);
        p.drawLine(3, 12, 6, 12);
        p.setPen(Qt::NoPen);
        p.setBrush(kAccent);
        p.drawRect(1, 1, 5, 3);
        p.drawRect(7, 6, 7, 3);
        p.drawRect(7, 11, 7, 3);
        break;
    case piZoomIn:
    case piZoomOut:
        lens(p);
        p.setPen(QPen(kAccent, 1.5));
        p.drawLine(QPointF(4, 6), QPointF(8, 6));
        if (icon == piZoomIn)
            p.drawLine(QPointF(6, 4), QPointF(6, 8));
        break;
    case piEdit:
        sheet(p, QRect(1, 1, 10, 14));
        textLines(p, 3, 4, 8, 4);
        p.setPen(QPen(kInk, 2.5, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(14, 5), QPointF(8, 13));
        break;
    case piFullScreen:
        p.setPen(QPen(kInk, 1.5));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(1.5, 2.5, 13, 11));
        triangle(p, QPoint(3, 4), QPoint(7, 4), QPoint(3, 8));
        triangle(p, QPoint(13, 12), QPoint(9, 12), QPoint(13, 8));
        break;
    case piEmail:
        p.setPen(kInk);
        p.setBrush(kPaper);
        p.drawRect(1, 3, 13, 10);
        p.setPen(kAccent);
        p.drawLine(1, 3, 8, 9);
        p.drawLine(8, 9, 14, 3);
        break;
    case piPdf:
        sheet(p, QRect(2, 1, 11, 14));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(200, 40, 40));
        p.drawRect(2, 9, 12, 5);
        break;
    }
}

} // namespace

QIcon rpPreviewIcon(TrpPreviewIcon icon)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing, true);
    paint(painter, icon);
    painter.end();
    return QIcon(pixmap);
}
