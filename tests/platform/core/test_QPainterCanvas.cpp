#include "platform/core/QPainterCanvas.h"

#include <QImage>

#include <gtest/gtest.h>

using platform::QPainterCanvas;

namespace {

QImage whiteImage()
{
    QImage image(20, 20, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

bool black(const QImage& image, int x, int y) { return image.pixel(x, y) == qRgb(0, 0, 0); }

TEST(QPainterCanvas, lineLeavesOutItsEndPixel)
{
    QImage image = whiteImage();
    {
        QPainterCanvas canvas(image);
        canvas.line(QPoint(2, 3), QPoint(8, 3));
        canvas.line(QPoint(2, 6), QPoint(8, 12));
    }
    EXPECT_TRUE(black(image, 2, 3));
    EXPECT_TRUE(black(image, 7, 3));
    EXPECT_FALSE(black(image, 8, 3));
    EXPECT_TRUE(black(image, 7, 11));
    EXPECT_FALSE(black(image, 8, 12));
}

TEST(QPainterCanvas, rectangleOutlinePassesThroughBothCorners)
{
    QImage image = whiteImage();
    {
        QPainterCanvas canvas(image);
        canvas.setBrush(std::nullopt);
        canvas.rectangle(QRect(QPoint(2, 2), QPoint(9, 7)));
    }
    EXPECT_TRUE(black(image, 2, 2));
    EXPECT_TRUE(black(image, 9, 7));
    EXPECT_FALSE(black(image, 10, 8));
    EXPECT_FALSE(black(image, 5, 5));
}

TEST(QPainterCanvas, clipNarrowsAndIsRestored)
{
    QImage image = whiteImage();
    {
        QPainterCanvas canvas(image);
        const QRegion whole = canvas.clipRegion();
        canvas.intersectClipRect(QRect(0, 0, 10, 20));
        canvas.line(QPoint(0, 5), QPoint(20, 5));
        canvas.setClipRegion(whole);
        canvas.line(QPoint(0, 8), QPoint(20, 8));
    }
    EXPECT_TRUE(black(image, 9, 5));
    EXPECT_FALSE(black(image, 10, 5));
    EXPECT_TRUE(black(image, 15, 8));
}

TEST(QPainterCanvas, textStartsAtTheCellTopAndStaysInItsClip)
{
    QImage image(60, 30, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainterCanvas canvas(image);
        canvas.textOut(QPoint(5, 5), {QStringLiteral("Arial"), 16}, Qt::black,
            QStringLiteral("ЖЖЖ"), {20, 20, 20}, QRect(0, 0, 35, 30));
    }
    int top = 30;
    int right = 0;
    for (int y = 0; y < 30; ++y) {
        for (int x = 0; x < 60; ++x) {
            if (qGray(image.pixel(x, y)) < 128) {
                top = qMin(top, y);
                right = qMax(right, x);
            }
        }
    }
    // The cell's internal leading lies above the capital.
    EXPECT_GE(top, 6);
    EXPECT_LE(top, 10);
    // The second character starts at 25; the clip cuts it at 35.
    EXPECT_EQ(right, 34);
}

} // namespace
