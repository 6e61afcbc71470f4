#include "FontSetup.h"

#include <QDir>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QStringList>

#include <algorithm>

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
    const QStringList styles = QFontDatabase::styles(family);
    const bool hasBold = std::any_of(styles.begin(), styles.end(),
        [](const QString& style) { return style.contains(QLatin1String("Bold")); });
    // Wine's MS Sans Serif has one face only, and a bold request would draw it regular; Tahoma
    // is cut on the same metrics and has a bold face.
    if (!hasBold && family == QLatin1String("MS Sans Serif"))
        return QStringLiteral("Tahoma");
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
