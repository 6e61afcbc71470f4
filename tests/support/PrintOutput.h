#pragma once

#include "HostCommand.h"

#include <QFile>
#include <QImage>
#include <QList>
#include <QPointF>
#include <QRect>
#include <QSizeF>
#include <QString>
#include <QStringList>

#include <optional>

// A printer-ready file as a PDF, for poppler to read (on the machine's own terms): a
// PostScript one, as a Windows driver writes it, goes through Ghostscript first, into a PDF
// beside it.
inline QString readableJob(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || !file.peek(4).startsWith("%!"))
        return hostPath(path);
    const QString pdf = hostPath(path) + QStringLiteral(".pdf");
    runOnHost(QStringLiteral("ps2pdf"), {hostPath(path), pdf});
    return pdf;
}

// A job's output read back with poppler: the first page's size in points, a field of its
// document information, and the page rasterised at 600 dpi in grey.
inline QString pdfInfo(const QString& pdf)
{
    return QString::fromUtf8(runOnHost(QStringLiteral("pdfinfo"), {readableJob(pdf)}).out);
}

inline QString pdfInfoField(const QString& pdf, const QString& field)
{
    for (const QString& line : pdfInfo(pdf).split(u'\n'))
        if (line.startsWith(field + u':'))
            return line.mid(field.size() + 1).trimmed();
    return {};
}

inline QSizeF pdfPageSize(const QString& pdf)
{
    const QStringList parts = pdfInfoField(pdf, QStringLiteral("Page size")).split(u' ');
    return parts.size() >= 3 ? QSizeF(parts[0].toDouble(), parts[2].toDouble()) : QSizeF();
}

inline QImage rasterAt600(const QString& pdf, int page = 1)
{
    const HostOutput raster = runOnHost(QStringLiteral("pdftoppm"),
        {QStringLiteral("-r"), QStringLiteral("600"), QStringLiteral("-gray"), QStringLiteral("-f"),
            QString::number(page), QStringLiteral("-l"), QString::number(page), readableJob(pdf)});
    return QImage::fromData(raster.out, "PGM");
}

// The text of one page of a document, as poppler reads it.
inline QString pageText(const QString& pdf, int page)
{
    return QString::fromUtf8(runOnHost(QStringLiteral("pdftotext"),
        {QStringLiteral("-f"), QString::number(page), QStringLiteral("-l"), QString::number(page),
            readableJob(pdf), QStringLiteral("-")})
                                 .out);
}

// The text of every page of a document, one entry a page, its white space simplified.
inline QStringList pageTexts(const QString& pdf)
{
    QStringList pages = QString::fromUtf8(
        runOnHost(QStringLiteral("pdftotext"), {readableJob(pdf), QStringLiteral("-")}).out)
                            .split(u'\f');
    pages.removeLast();
    for (QString& page : pages)
        page = page.simplified();
    return pages;
}

// The first dark column of a row, -1 when the row holds no ink.
inline int firstInkColumn(const QImage& image, int row)
{
    for (int x = 0; x < image.width(); ++x)
        if (qGray(image.pixel(x, row)) < 128)
            return x;
    return -1;
}

inline int firstInkRow(const QImage& image, int column)
{
    for (int y = 0; y < image.height(); ++y)
        if (qGray(image.pixel(column, y)) < 128)
            return y;
    return -1;
}

// Where the first line met from the sheet's left edge along a row (from the top edge down a
// column) lies, in pixels from that edge: the middle of its run of ink, as a ruler is read
// against a line of some width. Empty when the row holds no ink.
inline std::optional<double> firstLineAlongRow(const QImage& image, int row)
{
    const int start = firstInkColumn(image, row);
    if (start < 0)
        return {};
    int end = start;
    while (end + 1 < image.width() && qGray(image.pixel(end + 1, row)) < 128)
        ++end;
    return (start + end + 1) / 2.0;
}

inline std::optional<double> firstLineDownColumn(const QImage& image, int column)
{
    const int start = firstInkRow(image, column);
    if (start < 0)
        return {};
    int end = start;
    while (end + 1 < image.height() && qGray(image.pixel(column, end + 1)) < 128)
        ++end;
    return (start + end + 1) / 2.0;
}

// The centre of the ink inside an area of the sheet, each pixel weighted by its darkness, in
// pixels from the sheet's corner. Unlike the edges of the ink it does not move with the way a
// rasteriser smooths the outlines of glyphs. Empty when the area holds no ink.
inline std::optional<QPointF> inkCentre(const QImage& image, const QRect& area)
{
    const QImage grey = image.convertToFormat(QImage::Format_Grayscale8);
    const QRect inside = area & grey.rect();
    double weight = 0;
    double x = 0;
    double y = 0;
    for (int row = inside.top(); row <= inside.bottom(); ++row) {
        const uchar* line = grey.constScanLine(row);
        for (int column = inside.left(); column <= inside.right(); ++column) {
            const double ink = 255 - line[column];
            weight += ink;
            x += ink * (column + 0.5);
            y += ink * (row + 0.5);
        }
    }
    if (weight < 255)
        return {};
    return QPointF(x / weight, y / weight);
}

// Where the ink of a sheet rasterised at 600 dpi fell among boxes of it: the dark pixels in
// each box, and those in none.
struct InkInBoxes {
    QList<int> perBox;
    int stray = 0;
};

inline InkInBoxes inkInBoxes(const QImage& image, const QList<QRect>& boxes)
{
    const QImage sheet = image.convertToFormat(QImage::Format_Grayscale8);
    InkInBoxes ink;
    ink.perBox = QList<int>(boxes.size(), 0);
    for (int y = 0; y < sheet.height(); ++y) {
        const uchar* row = sheet.constScanLine(y);
        for (int x = 0; x < sheet.width(); ++x) {
            if (row[x] >= 128)
                continue;
            bool inside = false;
            for (qsizetype i = 0; i < boxes.size(); ++i)
                if (boxes[i].contains(x, y)) {
                    ++ink.perBox[i];
                    inside = true;
                }
            ink.stray += inside ? 0 : 1;
        }
    }
    return ink;
}
