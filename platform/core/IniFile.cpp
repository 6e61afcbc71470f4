#include "IniFile.h"

#include "Exception.h"
#include "NumberFormat.h"
#include "ProfileFile.h"

namespace platform {

TIniFile::TIniFile(QString fileName) : fFileName(std::move(fileName)) { }

QString TIniFile::ReadString(
    const QString& section, const QString& ident, const QString& defaultValue) const
{
    return readProfileString(fFileName, section, ident, defaultValue);
}

void TIniFile::WriteString(const QString& section, const QString& ident, const QString& value)
{
    if (!writeProfileString(fFileName, section, ident, value))
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

void TIniFile::WriteFloat(const QString& section, const QString& ident, double value)
{
    WriteString(section, ident, FloatToStr(value));
}

} // namespace platform
