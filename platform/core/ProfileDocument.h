#pragma once

#include "TextEncoding.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringView>

#include <deque>
#include <optional>
#include <vector>

namespace platform {

// The longest value a read returns; a longer stored value is cut there.
constexpr int kProfileValueLimit = 2047;

// A name or value without the blanks around it, as the profile reads it: spaces, tabs,
// vertical tabs, form feeds and the end-of-file mark (Ctrl+Z).
QStringView trimProfileBlanks(QStringView text);

// A profile file's text parsed once, for any number of reads and edits, written back in one
// piece. The rules are those of the desktop's profile services:
// - section and key names are matched without regard to letter case; the first section of a
//   name and the first key of a name within it count; lines before the first section belong
//   to none;
// - a header is a line that opens with "[" and holds a "]", the name running to the last
//   "]"; every other line names a key, by the text before its "=" or, without one, by the
//   whole line: a key without a value, read as missing and completed by a write; comment
//   lines are no exception (no name asked for begins with ";");
// - blanks around names and values, in the file and in the names asked for, are ignored; a
//   value in matching quotes is read without them; a write drops the leading blanks of the
//   names and the value it writes;
// - a new section goes at the end of the file, a new key at the end of its section (before
//   the blank lines that close it), an existing key is replaced in place; every other byte
//   stays as it was, and new lines end in CR LF;
// - the file keeps its encoding, except that a Windows-1251 file that is given a character
//   the code page cannot hold becomes UTF-16LE, so that nothing written is lost, and a file
//   in UTF-8 or UTF-16 without a byte-order mark is written back in Windows-1251 or, where
//   a character does not fit, in UTF-16LE with its mark;
// - no write puts a line break into a name or a value, so none can make a key or a section.
class ProfileDocument {
public:
    // An empty profile: a file that does not exist yet.
    ProfileDocument() = default;
    static ProfileDocument parse(const QByteArray& bytes);

    ProfileDocument(const ProfileDocument&) = delete;
    ProfileDocument& operator=(const ProfileDocument&) = delete;
    ProfileDocument(ProfileDocument&&) = default;
    ProfileDocument& operator=(ProfileDocument&&) = default;

    // The stored value, at most `kProfileValueLimit` characters, or the default without its
    // trailing spaces when the section or the key is missing or has no value.
    QString read(const QString& section, const QString& key, const QString& defaultValue) const;

    // Refused (false, the profile unchanged) when the section, the key or the value holds a
    // line break.
    [[nodiscard]] bool write(const QString& section, const QString& key, const QString& value);

    // False when the file holds binary data rather than text (see `looksLikeText`); what it
    // holds is read and kept all the same.
    bool isText() const { return fIsText; }
    TextEncoding encoding() const { return fEncoding; }
    QByteArray bytes() const;

private:
    using Line = TextLine;
    struct Key {
        QStringView name;
        std::size_t line;
    };
    struct Section {
        QStringView name;
        std::vector<Key> keys;
        // The file's line before which the section's new keys go; unused for a new section.
        std::size_t insertAt = 0;
        // Index into fLines of the header of a new section, which the file does not have yet.
        std::optional<std::size_t> newHeader;
        std::vector<std::size_t> added;
    };

    std::optional<std::size_t> findSection(QStringView name) const;
    Section& sectionForWriting(const QString& name);
    std::size_t addLine(const QString& text);
    void keepEncodable(const QString& text);

    TextEncoding fEncoding = TextEncoding::Windows1251;
    bool fIsText = true;
    // The decoded file, which the file's own lines view.
    QString fText;
    // Texts of written lines; a deque never moves what it holds, so views of them stay valid.
    std::deque<QString> fWritten;
    // The file's lines in order, then the lines that writes added.
    std::vector<Line> fLines;
    std::size_t fFileLines = 0;
    std::vector<Section> fSections;
};

} // namespace platform
