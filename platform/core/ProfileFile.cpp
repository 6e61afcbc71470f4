#include "ProfileFile.h"

#include "TextEncoding.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <optional>

namespace platform {

namespace {

const QString kCrLf = QStringLiteral("\r\n");

// The file as lines, each with the line end it had, so that an unchanged file is written
// back byte for byte.
struct ProfileText {
    TextEncoding encoding = TextEncoding::Windows1251;
    QList<TextLine> lines;
};

ProfileText decodeProfile(const QByteArray& bytes)
{
    const DecodedText decoded = decodeText(bytes);
    return {decoded.encoding, splitLines(decoded.text)};
}

QByteArray encodeProfile(const ProfileText& profile)
{
    QString text;
    for (const TextLine& line : profile.lines)
        text += line.text + line.end;
    return encodeText(text, profile.encoding);
}

bool isBlank(QChar c) { return c == QLatin1Char(' ') || c == QLatin1Char('\t'); }

QString trimBlanks(QStringView text)
{
    qsizetype from = 0;
    qsizetype to = text.size();
    while (from < to && isBlank(text.at(from)))
        ++from;
    while (to > from && isBlank(text.at(to - 1)))
        --to;
    return text.mid(from, to - from).toString();
}

std::optional<QString> sectionName(const QString& line)
{
    const QString trimmed = trimBlanks(line);
    if (!trimmed.startsWith(QLatin1Char('[')))
        return std::nullopt;
    const qsizetype close = trimmed.indexOf(QLatin1Char(']'));
    return trimBlanks(QStringView(trimmed).mid(1, close < 0 ? -1 : close - 1));
}

struct KeyLine {
    QString key;
    QString value;
};

std::optional<KeyLine> keyLine(const QString& line)
{
    const QString trimmed = trimBlanks(line);
    if (trimmed.isEmpty() || trimmed.startsWith(QLatin1Char(';')))
        return std::nullopt;
    const qsizetype equals = trimmed.indexOf(QLatin1Char('='));
    if (equals < 0)
        return KeyLine {trimmed, QString()};
    return KeyLine {trimBlanks(QStringView(trimmed).left(equals)),
        trimBlanks(QStringView(trimmed).mid(equals + 1))};
}

bool sameName(const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) == 0; }

// Index of the section's header line, or -1.
qsizetype findSection(const ProfileText& profile, const QString& section)
{
    for (qsizetype i = 0; i < profile.lines.size(); ++i) {
        const auto name = sectionName(profile.lines.at(i).text);
        if (name && sameName(*name, section))
            return i;
    }
    return -1;
}

// One past the section's last line: the next header or the end of the file.
qsizetype sectionEnd(const ProfileText& profile, qsizetype header)
{
    qsizetype i = header + 1;
    while (i < profile.lines.size() && !sectionName(profile.lines.at(i).text))
        ++i;
    return i;
}

qsizetype findKey(const ProfileText& profile, qsizetype header, const QString& key)
{
    const qsizetype end = sectionEnd(profile, header);
    for (qsizetype i = header + 1; i < end; ++i) {
        const auto entry = keyLine(profile.lines.at(i).text);
        if (entry && sameName(entry->key, key))
            return i;
    }
    return -1;
}

QString unquoted(const QString& value)
{
    if (value.size() >= 2) {
        const QChar first = value.front();
        if ((first == QLatin1Char('"') || first == QLatin1Char('\'')) && value.back() == first)
            return value.mid(1, value.size() - 2);
    }
    return value;
}

QString withoutTrailingBlanks(QString text)
{
    while (!text.isEmpty() && isBlank(text.back()))
        text.chop(1);
    return text;
}

void insertLine(ProfileText& profile, qsizetype at, const QString& line)
{
    if (at > 0 && profile.lines.at(at - 1).end.isEmpty())
        profile.lines[at - 1].end = kCrLf;
    profile.lines.insert(at, TextLine {line, kCrLf});
}

} // namespace

QString readProfileString(
    const QString& path, const QString& section, const QString& key, const QString& defaultValue)
{
    QString result = withoutTrailingBlanks(defaultValue);
    QFile file(path);
    if (file.open(QIODevice::ReadOnly)) {
        const ProfileText profile = decodeProfile(file.readAll());
        const qsizetype header = findSection(profile, section);
        const qsizetype line = header < 0 ? -1 : findKey(profile, header, key);
        if (line >= 0)
            result = unquoted(keyLine(profile.lines.at(line).text)->value);
    }
    return result.left(kProfileValueLimit);
}

bool writeProfileString(
    const QString& path, const QString& section, const QString& key, const QString& value)
{
    ProfileText profile;
    const QFileInfo info(path);
    if (info.exists()) {
        if (!info.isFile() || !info.isWritable())
            return false;
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return false;
        profile = decodeProfile(file.readAll());
    }

    const QString entry = key + QLatin1Char('=') + value;
    const qsizetype header = findSection(profile, section);
    if (header < 0) {
        insertLine(profile, profile.lines.size(), QLatin1Char('[') + section + QLatin1Char(']'));
        insertLine(profile, profile.lines.size(), entry);
    } else if (const qsizetype line = findKey(profile, header, key); line >= 0) {
        profile.lines[line].text
            = keyLine(profile.lines.at(line).text)->key + QLatin1Char('=') + value;
    } else {
        qsizetype after = sectionEnd(profile, header);
        while (after > header + 1 && trimBlanks(profile.lines.at(after - 1).text).isEmpty())
            --after;
        insertLine(profile, after, entry);
    }

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const QByteArray bytes = encodeProfile(profile);
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

} // namespace platform
