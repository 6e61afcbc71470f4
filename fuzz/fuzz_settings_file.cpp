// libFuzzer target: arbitrary bytes as the settings file (platform::ProfileDocument, as
// TIniFile uses it). The input's length picks one of the keys the program stores and a
// value, so that the seeds are settings files as they stand.
//
// The file is decoded and parsed, every section and key its lines name is read, and then, as
// a save does, several keys go into one profile: the picked key and a second one of its
// section, and the picked value into the first key the file names (an edit in place). The
// new bytes, parsed again, must give back every written value when the file held text. A file of
// binary data is written too and keeps its bytes, but the encoding of such bytes is a guess that
// the written keys may turn (zero bytes read as UTF-16), so that only its reads and writes are
// fuzzed, not what they read back.

#include "FuzzCheck.h"
#include "platform/core/ProfileDocument.h"
#include "platform/core/TextEncoding.h"

#include <QStringList>

#include <array>
#include <cstdint>
#include <optional>

using namespace Qt::Literals::StringLiterals;

namespace {

struct StoredKey {
    QString section;
    QString key;
};

// Keys as the form's settings, the page margins and the register's location store them.
const std::array<StoredKey, 4> kKeys {{
    {u"Организация"_s, u"Название"_s},
    {u"Часы"_s, u"_11"_s},
    {u"Страница"_s, u"Верхнее_поле"_s},
    {u"Журнал"_s, u"Сервер"_s},
}};

// Values a read gives back as they are (no blanks at the ends, no enclosing quotes, no line
// break): empty, a number, a Cyrillic text, and one the code page cannot hold, which turns a
// Windows-1251 file into UTF-16LE.
const std::array<QString, 4> kValues {
    QString(), u"14,995"_s, u"АНО ДПО \"Автошкола\" №1"_s, u"Łódź — 5 ½"_s};

// The names the file's lines give as the profile reads them: a section header's name (a line
// that opens with "[" and holds a "]", the name running to the last one), and the text before
// "=" in any other line. A bounded number of each keeps a run fast.
struct Names {
    QStringList sections;
    QStringList keys;
};

Names namesIn(const QByteArray& bytes)
{
    constexpr qsizetype kMost = 32;
    Names names;
    const QString text = platform::decodeText(bytes).text;
    for (const platform::TextLine& line : platform::splitLines(text)) {
        const QStringView trimmed = platform::trimProfileBlanks(line.text);
        const qsizetype close = trimmed.lastIndexOf(u']');
        if (trimmed.startsWith(u'[') && close > 0) {
            if (names.sections.size() < kMost)
                names.sections.append(
                    platform::trimProfileBlanks(trimmed.mid(1, close - 1)).toString());
        } else if (const qsizetype equals = trimmed.indexOf(u'=');
                   equals >= 0 && names.keys.size() < kMost) {
            names.keys.append(platform::trimProfileBlanks(trimmed.left(equals)).toString());
        }
    }
    return names;
}

bool sameName(const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) == 0; }

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const StoredKey& stored = kKeys[size % kKeys.size()];
    const QString& value = kValues[(size / kKeys.size()) % kValues.size()];
    const QByteArray file = fuzzBytes(data, size);

    platform::ProfileDocument profile = platform::ProfileDocument::parse(file);
    const Names names = namesIn(file);
    for (const QString& section : names.sections) {
        for (const QString& key : names.keys)
            fuzzCheck(profile.read(section, key, u"x"_s).size() <= platform::kProfileValueLimit);
    }

    // A save writes several keys of a section into one profile.
    const QString nextKey = stored.key + u"_2"_s;
    fuzzCheck(profile.write(stored.section, stored.key, value));
    fuzzCheck(profile.write(stored.section, nextKey, value));
    std::optional<StoredKey> edited;
    if (!names.sections.isEmpty() && !names.keys.isEmpty()) {
        edited = StoredKey {names.sections.front(), names.keys.front()};
        fuzzCheck(profile.write(edited->section, edited->key, value + u'!'));
    }

    if (!profile.isText())
        return 0;
    const platform::ProfileDocument again = platform::ProfileDocument::parse(profile.bytes());
    const bool overwritten
        = edited && sameName(edited->section, stored.section) && sameName(edited->key, stored.key);
    fuzzCheck(
        again.read(stored.section, stored.key, u"x"_s) == (overwritten ? value + u'!' : value));
    fuzzCheck(again.read(stored.section, nextKey, u"x"_s) == value);
    if (edited)
        fuzzCheck(again.read(edited->section, edited->key, u"x"_s) == value + u'!');
    return 0;
}
