#pragma once

#include "platform/core/ProfileFile.h"
#include "register/RegisterLocation.h"

#include <QList>

// The register's SQLite file; like the settings file it lives in the current folder.
inline const char* const kRegisterFileName = "register.sqlite";

// Where the register lives, as the settings file's section "Журнал" says: the PostgreSQL
// database it names when it names a server ("Сервер", "Порт", "База_данных",
// "Пользователь"; the password comes from the user's password file, never from the settings
// file), otherwise the SQLite file beside the settings file.
RegisterLocation registerLocation();

// The settings file's keys of the section "Журнал" that hold a text: what a reset of the
// settings writes back, so that a desk on a shared register stays on it.
QList<platform::ProfileEntry> registerLocationEntries();
