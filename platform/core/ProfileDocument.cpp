#include "ProfileDocument.h"

#include "CodePage1251.h"

namespace platform {

namespace {

const QString kCrLf = QStringLiteral("\r\n");

// The blanks around names and values: space, tab, vertical tab, form feed, and the end-of-file
// mark (Ctrl+Z) that old editors leave.
bool isBlank(QChar c)
{
    const char16_t code = c.unicode();
    return code == u' ' || code == u'\t' || code == u'\v' || code == u'\f' || code == 0x1A;
}

QStringView withoutLeadingBlanks(QStringView text)
{
    qsizetype from = 0;
    while (from < text.size() && isBlank(text.at(from)))
        ++from;
    return text.mid(from);
}

QStringView trimBlanks(QStringView text)
{
    text = withoutLeadingBlanks(text);
    qsizetype to = text.size();
    while (to > 0 && isBlank(text.at(to - 1)))
        --to;
    return text.left(to);
}

// A header opens with "[" and holds a "]"; the name runs to the last "]", so that a header
// written for a name with "]" in it gives that name back.
std::optional<QStringView> sectionName(QStringView line)
{
    const QStringView trimmed = trimBlanks(line);
    if (!trimmed.startsWith(QLatin1Char('[')))
        return std::nullopt;
    const qsizetype close = trimmed.lastIndexOf(QLatin1Char(']'));
    if (close < 0)
        return std::nullopt;
    return trimBlanks(trimmed.mid(1, close - 1));
}

// Every other line of a section names a key: the text before "=", or the whole line when it
// has no "=" (a key without a value, which reads as missing and which a write completes).
// Comment lines are keys as well, whose names begin with ";".
struct KeyLine {
    QStringView key;
    std::optional<QStringView> value;
};

KeyLine keyLine(QStringView line)
{
    const QStringView trimmed = trimBlanks(line);
    const qsizetype equals = trimmed.indexOf(QLatin1Char('='));
    if (equals < 0)
        return {trimmed, std::nullopt};
    return {trimBlanks(trimmed.left(equals)), trimBlanks(trimmed.mid(equals + 1))};
}

// A line break in a written text would end its line early and let the rest make a key or a
// section of its own.
bool hasLineBreak(QStringView text)
{
    return text.contains(QLatin1Char('\r')) || text.contains(QLatin1Char('\n'));
}

bool sameName(QStringView a, QStringView b) { return a.compare(b, Qt::CaseInsensitive) == 0; }

QStringView unquoted(QStringView value)
{
    if (value.size() >= 2) {
        const QChar first = value.front();
        if ((first == QLatin1Char('"') || first == QLatin1Char('\'')) && value.back() == first)
            return value.mid(1, value.size() - 2);
    }
    return value;
}

// A default loses its trailing spaces (not its tabs).
QString withoutTrailingSpaces(QString text)
{
    while (text.endsWith(QLatin1Char(' ')))
        text.chop(1);
    return text;
}

} // namespace

QStringView trimProfileBlanks(QStringView text) { return trimBlanks(text); }

ProfileDocument ProfileDocument::parse(const QByteArray& bytes)
{
    ProfileDocument profile;
    DecodedText decoded = decodeText(bytes);
    profile.fText = std::move(decoded.text);
    profile.fIsText = looksLikeText(profile.fText);
    profile.fEncoding = decoded.encoding;
    // The desktop's profile services read a file without a byte-order mark in the code page,
    // so a file recognised as UTF-8 or UTF-16 by its bytes alone is written back whole in
    // the code page where every character fits, else as UTF-16LE with its mark; a save never
    // leaves two encodings in one file.
    if (!decoded.byteOrderMark && decoded.encoding != TextEncoding::Windows1251) {
        profile.fEncoding
            = fitsWindows1251(profile.fText) ? TextEncoding::Windows1251 : TextEncoding::Utf16LE;
    }

    const QList<TextLine> lines = splitLines(profile.fText);
    profile.fLines.assign(lines.begin(), lines.end());
    profile.fFileLines = profile.fLines.size();

    Section* current = nullptr;
    for (std::size_t i = 0; i < profile.fLines.size(); ++i) {
        const QStringView line = profile.fLines[i].text;
        if (const auto name = sectionName(line)) {
            current = &profile.fSections.emplace_back(Section {*name, {}, i + 1, {}, {}});
        } else if (current && !trimBlanks(line).isEmpty()) {
            current->insertAt = i + 1;
            current->keys.push_back({keyLine(line).key, i});
        }
    }
    return profile;
}

std::optional<std::size_t> ProfileDocument::findSection(QStringView name) const
{
    name = trimBlanks(name);
    for (std::size_t i = 0; i < fSections.size(); ++i) {
        if (sameName(fSections[i].name, name))
            return i;
    }
    return std::nullopt;
}

QString ProfileDocument::read(
    const QString& section, const QString& key, const QString& defaultValue) const
{
    QString result = withoutTrailingSpaces(defaultValue);
    if (const auto found = findSection(section)) {
        for (const Key& entry : fSections[*found].keys) {
            if (sameName(entry.name, trimBlanks(key))) {
                if (const auto value = keyLine(fLines[entry.line].text).value)
                    result = unquoted(*value).toString();
                break;
            }
        }
    }
    return result.left(kProfileValueLimit);
}

std::size_t ProfileDocument::addLine(const QString& text)
{
    keepEncodable(text);
    fLines.push_back({fWritten.emplace_back(text), kCrLf});
    return fLines.size() - 1;
}

void ProfileDocument::keepEncodable(const QString& text)
{
    if (fEncoding == TextEncoding::Windows1251 && !fitsWindows1251(text))
        fEncoding = TextEncoding::Utf16LE;
}

ProfileDocument::Section& ProfileDocument::sectionForWriting(const QString& name)
{
    if (const auto found = findSection(name))
        return fSections[*found];
    const std::size_t header
        = addLine(QLatin1Char('[') + withoutLeadingBlanks(name).toString() + QLatin1Char(']'));
    return fSections.emplace_back(
        Section {fLines[header].text.mid(1, trimBlanks(name).size()), {}, 0, header, {}});
}

bool ProfileDocument::write(const QString& section, const QString& key, const QString& value)
{
    if (hasLineBreak(section) || hasLineBreak(key) || hasLineBreak(value))
        return false;
    // What is written loses its leading blanks and keeps its trailing ones.
    const QStringView name = withoutLeadingBlanks(key);
    const QStringView text = withoutLeadingBlanks(value);
    Section& target = sectionForWriting(section);
    for (const Key& entry : target.keys) {
        if (sameName(entry.name, trimBlanks(name))) {
            const QString replaced = entry.name.toString() + QLatin1Char('=') + text.toString();
            keepEncodable(replaced);
            fLines[entry.line].text = fWritten.emplace_back(replaced);
            return true;
        }
    }
    const std::size_t line = addLine(name.toString() + QLatin1Char('=') + text.toString());
    target.keys.push_back({fLines[line].text.left(trimBlanks(name).size()), line});
    target.added.push_back(line);
    return true;
}

QByteArray ProfileDocument::bytes() const
{
    QString text;
    text.reserve(fText.size() + 1024);
    bool lineOpen = false;
    const auto append = [&](const Line& line) {
        if (lineOpen)
            text += kCrLf;
        text += line.text;
        text += line.end;
        lineOpen = line.end.isEmpty();
    };
    const auto appendAdded = [&](const Section& section) {
        for (const std::size_t line : section.added)
            append(fLines[line]);
    };

    auto next = fSections.begin();
    for (std::size_t i = 0; i <= fFileLines; ++i) {
        for (; next != fSections.end() && !next->newHeader && next->insertAt == i; ++next)
            appendAdded(*next);
        if (i < fFileLines)
            append(fLines[i]);
    }
    for (const Section& section : fSections) {
        if (section.newHeader) {
            append(fLines[*section.newHeader]);
            appendAdded(section);
        }
    }
    return encodeText(text, fEncoding);
}

} // namespace platform
