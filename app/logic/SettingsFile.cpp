#include "app/logic/SettingsFile.h"

#include "platform/core/FileSystem.h"

QString settingsFilePath()
{
    return platform::currentDirectoryFile(QString::fromLatin1(kSettingsFileName));
}
