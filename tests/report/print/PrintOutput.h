#pragma once

#include <QImage>
#include <QProcess>
#include <QSizeF>
#include <QString>
#include <QStringList>

// A job's output read back with poppler: the first page's size in points, a field of its
// document information, and the page rasterised at 600 dpi in grey.
inline QString pdfInfo(const QString& pdf)
{
    QProcess process;
    process.start(QStringLiteral("pdfinfo"), {pdf});
    process.waitForFinished(30000);
    return QString::fromLocal8Bit(process.readAllStandardOutput());
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

inline QImage rasterAt600(const QString& pdf)
{
    QProcess process;
    process.start(QStringLiteral("pdftoppm"),
        {QStringLiteral("-r"), QStringLiteral("600"), QStringLiteral("-gray"), QStringLiteral("-f"),
            QStringLiteral("1"), QStringLiteral("-l"), QStringLiteral("1"), pdf});
    process.waitForFinished(60000);
    return QImage::fromData(process.readAllStandardOutput(), "PGM");
}

// The text of every page of a document, one entry a page, its white space simplified.
inline QStringList pageTexts(const QString& pdf)
{
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
    process.waitForFinished(30000);
    QStringList pages = QString::fromUtf8(process.readAllStandardOutput()).split(u'\f');
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
