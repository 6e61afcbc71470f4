#pragma once

#include "ProfileFile.h"

#include <QList>
#include <QString>

#include <optional>

namespace platform {

// An INI file accessor for one load or one save, on top of the profile-file service. The
// file is parsed at the first read and that profile serves every later read, until a write.
class TIniFile {
public:
    explicit TIniFile(QString fileName);

    const QString& FileName() const { return fFileName; }

    // The stored text, at most 2047 characters, or the default.
    QString ReadString(
        const QString& section, const QString& ident, const QString& defaultValue) const;
    // Throws platform::Exception "Unable to write to <file>" when the file cannot be written.
    void WriteString(const QString& section, const QString& ident, const QString& value);
    // All the keys in one replacement of the file: written all together or, with the same
    // exception, not at all.
    void WriteStrings(const QList<ProfileEntry>& entries);

    // An empty or unconvertible stored text gives the default, without a message.
    double ReadFloat(const QString& section, const QString& ident, double defaultValue) const;

    // False when the file holds binary data instead of text; a missing file counts as text.
    bool HoldsText() const;

private:
    const ProfileDocument& loaded() const;

    QString fFileName;
    mutable std::optional<ProfileDocument> fLoaded;
};

} // namespace platform
