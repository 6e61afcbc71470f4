#include "IniFile.h"

#include "Exception.h"
#include "NumberFormat.h"

namespace platform {

TIniFile::TIniFile(QString fileName) : fFileName(std::move(fileName)) { }

const ProfileDocument& TIniFile::loaded() const
{
    if (!fLoaded)
        fLoaded = loadProfile(fFileName);
    return *fLoaded;
}

QString TIniFile::ReadString(
    const QString& section, const QString& ident, const QString& defaultValue) const
{
    return loaded().read(section, ident, defaultValue);
}

bool TIniFile::HoldsText() const { return loaded().isText(); }

void TIniFile::WriteString(const QString& section, const QString& ident, const QString& value)
{
    WriteStrings({{section, ident, value}});
}

void TIniFile::WriteStrings(const QList<ProfileEntry>& entries)
{
    fLoaded.reset();
    if (!writeProfileStrings(fFileName, entries))
        throw Exception(QStringLiteral("Unable to write to %1").arg(fFileName));
}

double TIniFile::ReadFloat(const QString& section, const QString& ident, double defaultValue) const
{
    const QString text = ReadString(section, ident, QString());
    double value = defaultValue;
    if (text.isEmpty() || !TryStrToFloat(text, value))
        return defaultValue;
    return value;
}

} // namespace platform
