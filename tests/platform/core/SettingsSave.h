#pragma once

#include "platform/core/ProfileFile.h"

#include <QList>

// The keys of one "save settings" command: the school's lines, the eleven hours and the
// margins, as `profile_writer` writes them and the tests expect them.
inline QList<platform::ProfileEntry> settingsSave()
{
    const auto text = [](const char* utf8) { return QString::fromUtf8(utf8); };
    QList<platform::ProfileEntry> entries {
        {text("Организация"), text("Название"), text("АНО ДПО \"Автошкола Новая\"")},
        {text("Организация"), text("Населенный_Пункт"), text("г. Вологда")},
        {text("Организация"), text("Директор"), text("Сидоров С.С.")},
    };
    for (int i = 1; i <= 11; ++i)
        entries.append({text("Часы"), QStringLiteral("_%1").arg(i), QString::number(i * 7)});
    entries.append({text("Страница"), text("Верхнее_поле"), text("12,5")});
    entries.append({text("Страница"), text("Левое_поле"), text("9")});
    return entries;
}
