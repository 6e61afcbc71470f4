#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringView>

namespace platform {

// How a text file of the program is encoded: as its byte-order mark says, else in the
// system's ANSI code page, Windows-1251.
enum class TextEncoding { Windows1251, Utf8, Utf16LE, Utf16BE };

struct DecodedText {
    TextEncoding encoding = TextEncoding::Windows1251;
    QString text;
};

DecodedText decodeText(const QByteArray& bytes);

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
