#include "FontSetup.h"

#include <QDir>
#include <QFontDatabase>
#include <QGuiApplication>
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

QString boldFaceFamily(const QString& family)
{
    // Wine's MS Sans Serif has one face only, and its Tahoma Bold is cut with the regular
    // strokes, so bold text of either reads as regular; Liberation Sans, on Arial's metrics
    // and a little narrower than Tahoma, has a bold face that is visibly bold.
    if (family == QLatin1String("MS Sans Serif") || family == QLatin1String("Tahoma"))
        return QStringLiteral("Liberation Sans");
    return family;
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
