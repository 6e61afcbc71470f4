#pragma once

#include <QString>

namespace platform {

// Reads a whole number from a per-user settings store named as the report engine names it:
// "\Software\<Company>[\<Product>…]" is the user's own store (the registry key under the
// current user on Windows, the user's configuration folder elsewhere); any other name is an
// INI file. A missing store, section or key, or a value that is not a number, gives the
// default.
int readUserSettingInt(
    const QString& store, const QString& section, const QString& key, int defaultValue);

} // namespace platform
