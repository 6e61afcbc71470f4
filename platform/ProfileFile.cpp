#include "ProfileFile.h"

#include "CodePage1251.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringList>

#include <optional>

namespace platform {

namespace {

enum class Encoding { Ansi, Utf16LE, Utf8 };

const QByteArray kUtf16LEMark("\xFF\xFE", 2);
const QByteArray kUtf8Mark("\xEF\xBB\xBF", 3);

// The file as lines, each with the line end it had, so that an unchanged file is written
// back byte for byte.
struct ProfileText {
    Encoding encoding = Encoding::Ansi;
    QStringList lines;
    QStringList ends;
};

ProfileText decode(const QByteArray& bytes)
{
    ProfileText result;
    QString text;
    if (bytes.startsWith(kUtf16LEMark)) {
        result.encoding = Encoding::Utf16LE;
        const QByteArray body = bytes.mid(kUtf16LEMark.size());
        text = QString::fromUtf16(reinterpret_cast<const char16_t*>(body.constData()),
                                  body.size() / 2);
    } else if (bytes.startsWith(kUtf8Mark)) {
        result.encoding = Encoding::Utf8;
        text = QString::fromUtf8(bytes.mid(kUtf8Mark.size()));
    } else {
        text = decodeWindows1251(bytes);
    }

    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c != QLatin1Char('\r') && c != QLatin1Char('\n'))
            continue;
        const qsizetype endLength
            = (c == QLatin1Char('\r') && i + 1 < text.size() && text.at(i + 1) == QLatin1Char('\n'))
            ? 2
            : 1;
        result.lines.append(text.mid(start, i - start));
        result.ends.append(text.mid(i, endLength));
        i += endLength - 1;
        start = i + 1;
    }
    if (start < text.size()) {
        result.lines.append(text.mid(start));
        result.ends.append(QString());
    }
    return result;
}

QByteArray encode(const ProfileText& profile)
{
    QString text;
    for (qsizetype i = 0; i < profile.lines.size(); ++i)
        text += profile.lines.at(i) + profile.ends.at(i);
    switch (profile.encoding) {
    case Encoding::Utf16LE: {
        QByteArray bytes = kUtf16LEMark;
        bytes.append(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
        return bytes;
    }
    case Encoding::Utf8: return kUtf8Mark + text.toUtf8();
    case Encoding::Ansi: break;
    }
    return encodeWindows1251(text);
}

bool isBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}

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
        return KeyLine{trimmed, QString()};
    return KeyLine{trimBlanks(QStringView(trimmed).left(equals)),
                   trimBlanks(QStringView(trimmed).mid(equals + 1))};
}

bool sameName(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// Index of the section's header line, or -1.
qsizetype findSection(const ProfileText& profile, const QString& section)
{
    for (qsizetype i = 0; i < profile.lines.size(); ++i) {
        const auto name = sectionName(profile.lines.at(i));
        if (name && sameName(*name, section))
            return i;
    }
    return -1;
}

// One past the section's last line: the next header or the end of the file.
qsizetype sectionEnd(const ProfileText& profile, qsizetype header)
{
    qsizetype i = header + 1;
    while (i < profile.lines.size() && !sectionName(profile.lines.at(i)))
        ++i;
    return i;
}

qsizetype findKey(const ProfileText& profile, qsizetype header, const QString& key)
{
    const qsizetype end = sectionEnd(profile, header);
    for (qsizetype i = header + 1; i < end; ++i) {
        const auto entry = keyLine(profile.lines.at(i));
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

const QString kCrLf = QStringLiteral("\r\n");

void insertLine(ProfileText& profile, qsizetype at, const QString& line)
{
    if (at > 0 && profile.ends.at(at - 1).isEmpty())
        profile.ends[at - 1] = kCrLf;
    profile.lines.insert(at, line);
    profile.ends.insert(at, kCrLf);
}

} // namespace

QString readProfileString(const QString& path, const QString& section, const QString& key,
                          const QString& defaultValue)
{
    QString result = withoutTrailingBlanks(defaultValue);
    QFile file(path);
    if (file.open(QIODevice::ReadOnly)) {
        const ProfileText profile = decode(file.readAll());
        const qsizetype header = findSection(profile, section);
        const qsizetype line = header < 0 ? -1 : findKey(profile, header, key);
        if (line >= 0)
            result = unquoted(keyLine(profile.lines.at(line))->value);
    }
    return result.left(kProfileValueLimit);
}

bool writeProfileString(const QString& path, const QString& section, const QString& key,
                        const QString& value)
{
    ProfileText profile;
    const QFileInfo info(path);
    if (info.exists()) {
        if (!info.isFile() || !info.isWritable())
            return false;
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return false;
        profile = decode(file.readAll());
    }

    const QString entry = key + QLatin1Char('=') + value;
    const qsizetype header = findSection(profile, section);
    if (header < 0) {
        insertLine(profile, profile.lines.size(), QLatin1Char('[') + section + QLatin1Char(']'));
        insertLine(profile, profile.lines.size(), entry);
    } else if (const qsizetype line = findKey(profile, header, key); line >= 0) {
        profile.lines[line] = keyLine(profile.lines.at(line))->key + QLatin1Char('=') + value;
    } else {
        qsizetype after = sectionEnd(profile, header);
        while (after > header + 1 && trimBlanks(profile.lines.at(after - 1)).isEmpty())
            --after;
        insertLine(profile, after, entry);
    }

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const QByteArray bytes = encode(profile);
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

} // namespace platform
