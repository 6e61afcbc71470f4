#include "app/HelpFile.h"

#include "platform/core/Exception.h"
#include "platform/core/FileSystem.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

using namespace Qt::Literals::StringLiterals;

namespace {

QString helpFileName() { return u"Помощь.txt"_s; }

} // namespace

QString shippedGuideText()
{
    QFile guide(u":/help/OperatorGuide.txt"_s);
    if (!guide.open(QIODevice::ReadOnly))
        throw platform::Exception(u"Руководство оператора не найдено в программе."_s);
    return QString::fromUtf8(guide.readAll());
}

QString printingChapterHeading() { return u"2. Печать свидетельства"_s; }

QString installedGuidePath()
{
    return QDir::cleanPath(
        QCoreApplication::applicationDirPath() + u"/../share/doc/vorsela/"_s + helpFileName());
}

QString helpFileToOpen()
{
    if (QFileInfo::exists(platform::currentDirectoryFile(helpFileName())))
        return helpFileName();
    if (QFileInfo::exists(installedGuidePath()))
        return installedGuidePath();
    return {};
}
