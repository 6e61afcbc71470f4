#pragma once

#include <QString>

namespace platform {

// INI ("profile") files read and written the way the Windows profile services do it, so
// that a file written by either side loads on the other:
// - a file that starts with a UTF-16LE byte-order mark is UTF-16LE and stays so; a file
//   with a UTF-8 byte-order mark stays UTF-8; any other file is Windows-1251 text;
// - section and key names are matched without regard to letter case, blanks around names
//   and values are ignored, and a value in matching quotes is read without them;
// - a new section goes at the end of the file, a new key at the end of its section, an
//   existing key is replaced in place; every other byte of the file stays as it was;
// - new lines end in CR LF.

// The longest value a read returns; a longer stored value is cut there.
constexpr int kProfileValueLimit = 2047;

// The stored value, or the default (without trailing blanks) when the file, the section or
// the key is missing.
QString readProfileString(
    const QString& path, const QString& section, const QString& key, const QString& defaultValue);

// Writes one key, creating the file and the section as needed. The file is replaced
// atomically: a failed write leaves the old file whole. Returns false when the file could
// not be written (a read-only file, a missing or read-only folder, a full disk).
bool writeProfileString(
    const QString& path, const QString& section, const QString& key, const QString& value);

} // namespace platform
