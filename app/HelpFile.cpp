#include "app/HelpFile.h"

#include "platform/core/Exception.h"
#include "platform/core/FileSystem.h"
#include "platform/core/TextEncoding.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

QString helpFileName() { return QString::fromUtf8("Помощь.txt"); }

} // namespace

QString shippedGuideText()
{
    QFile guide(QStringLiteral(":/help/OperatorGuide.txt"));
    if (!guide.open(QIODevice::ReadOnly))
        throw platform::Exception(QStringLiteral("The operator's guide is missing"));
    return QString::fromUtf8(guide.readAll());
}

QString helpFileToOpen()
{
    if (QFileInfo::exists(platform::currentDirectoryFile(helpFileName())))
        return helpFileName();
    // A file of the program's own, so an editor can open it under its usual name; the
    // byte-order mark tells every editor, and the program's own reader, it is UTF-8.
    const QString folder = QDir::temp().filePath(QStringLiteral("vorsela-help"));
    QDir().mkpath(folder);
    QString path = QDir(folder).filePath(helpFileName());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)
        || file.write(platform::encodeText(shippedGuideText(), platform::TextEncoding::Utf8)) < 0
        || !file.commit())
        throw platform::Exception(QStringLiteral("Cannot write the help file %1").arg(path));
    return path;
}
