// Writes the program's emblem as PNG files for the desktop's icon theme:
//   vorsela_write_icons FOLDER SIZE... → FOLDER/SIZExSIZE/apps/vorsela.png
#include "app/AppIcon.h"

#include <QDir>
#include <QGuiApplication>

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fputs("usage: vorsela_write_icons FOLDER SIZE...\n", stderr);
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    const QDir root(QString::fromLocal8Bit(argv[1]));
    for (int i = 2; i < argc; ++i) {
        const int size = QString::fromLatin1(argv[i]).toInt();
        const QString folder = QStringLiteral("%1x%1/apps").arg(size);
        if (size <= 0 || !root.mkpath(folder)
            || !appEmblemImage(size).save(root.filePath(folder + QStringLiteral("/vorsela.png")))) {
            std::fprintf(stderr, "vorsela_write_icons: cannot write the %s icon\n", argv[i]);
            return 1;
        }
    }
    return 0;
}
