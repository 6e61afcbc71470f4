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

QFont pixelFont(const QString& family, int pixelHeight, bool bold)
{
    QFont font(family);
    font.setPixelSize(pixelHeight);
    font.setBold(bold);
    return font;
}

QFont windowFont() { return pixelFont(QStringLiteral("Tahoma"), 11); }

} // namespace platform
