#pragma once

#include "ProfileDocument.h"

#include <QList>
#include <QString>

namespace platform {

// INI ("profile") files read and written the way the Windows profile services do it, so
// that a file written by either side loads on the other (the rules are those of
// `ProfileDocument`, the encoding is recognised as `decodeText` does it).

// The file parsed once, for any number of reads; an empty profile when the file is missing
// or cannot be read.
ProfileDocument loadProfile(const QString& path);

// The stored value, or the default (without trailing spaces) when the file, the section or
// the key is missing.
QString readProfileString(
    const QString& path, const QString& section, const QString& key, const QString& defaultValue);

struct ProfileEntry {
    QString section;
    QString key;
    QString value;
};

// Writes the keys in order, creating the file and the sections as needed, with one read of
// the file and one replacement of it (`replaceFileContents`): the file afterwards holds
// either all of the keys or, when the write fails, exactly what it held before. Returns
// false when the file could not be written (a folder in its place, a missing folder, a full
// disk, a file that may not be written) or a key's value holds a line break.
bool writeProfileStrings(const QString& path, const QList<ProfileEntry>& entries);

bool writeProfileString(
    const QString& path, const QString& section, const QString& key, const QString& value);

} // namespace platform
