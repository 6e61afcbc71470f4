#include "app/RegisterSettings.h"

#include "app/SettingsFile.h"
#include "platform/core/FileSystem.h"
#include "platform/core/IniFile.h"

using namespace Qt::Literals::StringLiterals;

namespace {

const QString kSection = u"Журнал"_s;

} // namespace

RegisterLocation registerLocation()
{
    const platform::TIniFile ini(settingsFilePath());
    const QString& section = kSection;
    const QString host = ini.ReadString(section, u"Сервер"_s, QString()).trimmed();
    if (host.isEmpty())
        return RegisterLocation::sqliteFile(
            platform::currentDirectoryFile(QString::fromLatin1(kRegisterFileName)));
    RegisterLocation location;
    location.kind = RegisterLocation::Kind::PostgreSQL;
    location.host = host;
    bool isNumber = false;
    const int port = ini.ReadString(section, u"Порт"_s, QString()).trimmed().toInt(&isNumber);
    if (isNumber)
        location.port = port;
    location.database = ini.ReadString(section, u"База_данных"_s, QString()).trimmed();
    location.user = ini.ReadString(section, u"Пользователь"_s, QString()).trimmed();
    return location;
}

QList<platform::ProfileEntry> registerLocationEntries()
{
    const platform::TIniFile ini(settingsFilePath());
    QList<platform::ProfileEntry> entries;
    for (const QString& key : {u"Сервер"_s, u"Порт"_s, u"База_данных"_s, u"Пользователь"_s}) {
        const QString value = ini.ReadString(kSection, key, QString());
        if (!value.isEmpty())
            entries.append({kSection, key, value});
    }
    return entries;
}
