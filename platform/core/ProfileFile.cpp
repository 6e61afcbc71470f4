#include "ProfileFile.h"

#include "FileSystem.h"

#include <QFile>
#include <QFileInfo>

namespace platform {

ProfileDocument loadProfile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return ProfileDocument::parse(file.readAll());
}

QString readProfileString(
    const QString& path, const QString& section, const QString& key, const QString& defaultValue)
{
    return loadProfile(path).read(section, key, defaultValue);
}

bool writeProfileStrings(const QString& path, const QList<ProfileEntry>& entries)
{
    ProfileDocument profile;
    const QFileInfo info(path);
    if (info.exists()) {
        if (!info.isFile() || !info.isWritable())
            return false;
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return false;
        profile = ProfileDocument::parse(file.readAll());
    }
    for (const ProfileEntry& entry : entries) {
        if (!profile.write(entry.section, entry.key, entry.value))
            return false;
    }
    return replaceFileContents(path, profile.bytes());
}

bool writeProfileString(
    const QString& path, const QString& section, const QString& key, const QString& value)
{
    return writeProfileStrings(path, {{section, key, value}});
}

} // namespace platform
