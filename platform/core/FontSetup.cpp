#include "FontSetup.h"

#include <QDir>
#include <QFontDatabase>
#include <QFontInfo>
#include <QGuiApplication>
#include <QHash>
#include <QImage>
#include <QPainter>
#include <QStringList>

namespace platform {

namespace {

const char* const kWineFontFolder = "/usr/share/wine/fonts";

struct FallbackFamily {
    const char* family;
    QStringList files;
};

} // namespace

void registerFallbackFonts()
{
    const FallbackFamily families[] = {
        {"Tahoma", {QStringLiteral("tahoma.ttf"), QStringLiteral("tahomabd.ttf")}},
        {"MS Sans Serif", {QStringLiteral("ms_sans_serif.ttf")}},
    };
    const QDir folder(QString::fromLatin1(kWineFontFolder));
    for (const FallbackFamily& entry : families) {
        if (QFontDatabase::hasFamily(QString::fromLatin1(entry.family)))
            continue;
        for (const QString& file : entry.files) {
            const QString path = folder.filePath(file);
            if (QFile::exists(path))
                QFontDatabase::addApplicationFont(path);
        }
    }
}

void setUpProgramFonts()
{
    registerFallbackFonts();
    QGuiApplication::setFont(windowFont());
}

namespace {

// How much ink a line of the windows' texts leaves, in pixels' worth of black.
qint64 inkOf(const QFont& font)
{
    QImage image(400, 40, QImage::Format_Grayscale8);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setFont(font);
    painter.drawText(4, 28, QStringLiteral("Серия бланка, Оценка: Bold 123"));
    painter.end();
    qint64 ink = 0;
    for (int y = 0; y < image.height(); ++y) {
        const uchar* row = image.constScanLine(y);
        for (int x = 0; x < image.width(); ++x)
            ink += 255 - row[x];
    }
    return ink / 255;
}

// A bold face reads as bold when its strokes leave a quarter more ink than the regular ones.
bool drawsVisiblyBold(const QString& family)
{
    QFont regular(family);
    regular.setPixelSize(11);
    QFont bold = regular;
    bold.setBold(true);
    return inkOf(bold) * 4 > inkOf(regular) * 5;
}

} // namespace

QString boldFaceFamily(const QString& family)
{
    // Wine's MS Sans Serif has one face only, and its Tahoma Bold is cut with the regular
    // strokes, so bold text of either reads as regular; Arial (on Linux its metric twin
    // Liberation Sans), a little narrower than Tahoma, has a bold face that is visibly bold.
    // Windows' own Tahoma keeps its bold. The answer is measured once a family.
    static QHash<QString, QString> measured;
    auto found = measured.constFind(family);
    if (found != measured.constEnd())
        return *found;
    QString answer = family;
    if (!drawsVisiblyBold(family))
        answer = QFontInfo(QFont(QStringLiteral("Arial"))).family();
    measured.insert(family, answer);
    return answer;
}

QFont pixelFont(const QString& family, int pixelHeight, bool bold)
{
    QFont font(bold ? boldFaceFamily(family) : family);
    font.setPixelSize(pixelHeight);
    font.setBold(bold);
    return font;
}

QFont windowFont() { return pixelFont(QStringLiteral("Tahoma"), 11); }

} // namespace platform
