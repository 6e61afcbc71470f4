#include "app/logic/RegisterSettings.h"

#include "app/logic/SettingsFile.h"
#include "app/logic/SettingsLayout.h"
#include "platform/core/FileSystem.h"
#include "platform/core/IniFile.h"

RegisterLocation registerLocation()
{
    const platform::TIniFile ini(settingsFilePath());
    const QString& section = settings::kRegister;
    const QString host = ini.ReadString(section, settings::kServer, QString()).trimmed();
    if (host.isEmpty())
        return RegisterLocation::sqliteFile(
            platform::currentDirectoryFile(QString::fromLatin1(kRegisterFileName)));
    RegisterLocation location;
    location.kind = RegisterLocation::Kind::PostgreSQL;
    location.host = host;
    bool isNumber = false;
    const int port = ini.ReadString(section, settings::kPort, QString()).trimmed().toInt(&isNumber);
    if (isNumber)
        location.port = port;
    location.database = ini.ReadString(section, settings::kDatabase, QString()).trimmed();
    location.user = ini.ReadString(section, settings::kUser, QString()).trimmed();
    return location;
}

QList<platform::ProfileEntry> registerLocationEntries()
{
    const platform::TIniFile ini(settingsFilePath());
    QList<platform::ProfileEntry> entries;
    for (const QString& key : settings::registerKeys()) {
        const QString value = ini.ReadString(settings::kRegister, key, QString());
        if (!value.isEmpty())
            entries.append({settings::kRegister, key, value});
    }
    return entries;
}
