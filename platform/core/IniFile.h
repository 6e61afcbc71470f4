#pragma once

#include <QString>

namespace platform {

// An INI file accessor for one load or one save, on top of the profile-file service.
class TIniFile {
public:
    explicit TIniFile(QString fileName);

    const QString& FileName() const { return fFileName; }

    // The stored text, at most 2047 characters, or the default.
    QString ReadString(
        const QString& section, const QString& ident, const QString& defaultValue) const;
    // Throws platform::Exception "Unable to write to <file>" when the file cannot be written.
    void WriteString(const QString& section, const QString& ident, const QString& value);

    // An empty or unconvertible stored text gives the default, without a message.
    double ReadFloat(const QString& section, const QString& ident, double defaultValue) const;
    // General number format with 15 significant digits and the program's decimal separator.
    void WriteFloat(const QString& section, const QString& ident, double value);

private:
    QString fFileName;
};

} // namespace platform
