#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringView>

namespace platform {

// How a text file of the program is encoded: as its byte-order mark says; else UTF-16 where
// its bytes have UTF-16's pattern, UTF-8 where they are valid UTF-8 beyond plain ASCII (what
// Linux editors write); else the system's ANSI code page, Windows-1251.
enum class TextEncoding { Windows1251, Utf8, Utf16LE, Utf16BE };

struct DecodedText {
    TextEncoding encoding = TextEncoding::Windows1251;
    QString text;
    bool byteOrderMark = false;
};

DecodedText decodeText(const QByteArray& bytes);

// False for what no text editor writes: a zero character, or control characters other than
// tab and the line ends in more than one character of a hundred (the mark of binary data
// read as text).
bool looksLikeText(QStringView text);

// The text in that encoding, with the byte-order mark where the encoding has one.
QByteArray encodeText(const QString& text, TextEncoding encoding);

// One line of a text and the line end that closed it: CR LF, LF, CR, or nothing for a
// last line without one. Both view the text that was split.
struct TextLine {
    QStringView text;
    QStringView end;
};

QList<TextLine> splitLines(QStringView text);

} // namespace platform
