#include "TextEncoding.h"

#include "CodePage1251.h"

#include <QStringDecoder>

#include <algorithm>
#include <cstring>
#include <optional>
#include <utility>

namespace platform {

namespace {

const QByteArray kUtf8Mark("\xEF\xBB\xBF", 3);
const QByteArray kUtf16LEMark("\xFF\xFE", 2);
const QByteArray kUtf16BEMark("\xFE\xFF", 2);

QByteArray swappedPairs(QByteArray bytes)
{
    for (qsizetype i = 0; i + 1 < bytes.size(); i += 2)
        std::swap(bytes[i], bytes[i + 1]);
    return bytes;
}

// The characters as they stand: a mark inside the text is a character of it, never an order
// to swap the rest (QString::fromUtf16 would take one at the start for a byte-order mark).
QString fromUtf16LE(const QByteArray& body)
{
    QString text(body.size() / 2, Qt::Uninitialized);
    std::memcpy(text.data(), body.constData(), static_cast<std::size_t>(text.size()) * 2);
    return text;
}

QByteArray toUtf16LE(const QString& text)
{
    return QByteArray(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
}

bool isAscii(const QByteArray& bytes)
{
    return std::all_of(bytes.begin(), bytes.end(), [](char c) { return (c & 0x80) == 0; });
}

// Text in the code page or in UTF-8 holds no zero byte, while UTF-16 holds one in every
// Latin letter, digit, bracket, equals sign and line end; the zeros sit in the high byte of
// each pair, which tells the byte order. The text is taken for UTF-16 only when most of its
// characters are Latin or Cyrillic, as the names and punctuation of a profile are.
std::optional<DecodedText> unmarkedUtf16(const QByteArray& bytes)
{
    if (bytes.size() < 2 || bytes.size() % 2 != 0 || !bytes.contains('\0'))
        return std::nullopt;
    qsizetype zerosFirst = 0;
    qsizetype zerosSecond = 0;
    for (qsizetype i = 0; i < bytes.size(); i += 2) {
        zerosFirst += bytes[i] == 0;
        zerosSecond += bytes[i + 1] == 0;
    }
    const bool littleEndian = zerosSecond >= zerosFirst;
    QString text = fromUtf16LE(littleEndian ? bytes : swappedPairs(bytes));
    const auto latinOrCyrillic
        = std::count_if(text.cbegin(), text.cend(), [](QChar c) { return c.unicode() < 0x0530; });
    if (!text.isValidUtf16() || !looksLikeText(text) || latinOrCyrillic * 2 < text.size())
        return std::nullopt;
    return DecodedText {
        littleEndian ? TextEncoding::Utf16LE : TextEncoding::Utf16BE, std::move(text), false};
}

} // namespace

DecodedText decodeText(const QByteArray& bytes)
{
    if (bytes.startsWith(kUtf8Mark))
        return {TextEncoding::Utf8, QString::fromUtf8(bytes.mid(kUtf8Mark.size())), true};
    if (bytes.startsWith(kUtf16LEMark))
        return {TextEncoding::Utf16LE, fromUtf16LE(bytes.mid(kUtf16LEMark.size())), true};
    if (bytes.startsWith(kUtf16BEMark)) {
        return {
            TextEncoding::Utf16BE, fromUtf16LE(swappedPairs(bytes.mid(kUtf16BEMark.size()))), true};
    }
    if (auto utf16 = unmarkedUtf16(bytes))
        return std::move(*utf16);
    if (!isAscii(bytes)) {
        QStringDecoder utf8(QStringDecoder::Utf8);
        QString text = utf8(bytes);
        if (!utf8.hasError())
            return {TextEncoding::Utf8, std::move(text), false};
    }
    return {TextEncoding::Windows1251, decodeWindows1251(bytes), false};
}

bool looksLikeText(QStringView text)
{
    qsizetype controls = 0;
    for (const QChar c : text) {
        const char16_t code = c.unicode();
        if (code == 0)
            return false;
        if (code < 0x20 && code != u'\t' && code != u'\n' && code != u'\r')
            ++controls;
    }
    return controls * 100 <= text.size();
}

QByteArray encodeText(const QString& text, TextEncoding encoding)
{
    switch (encoding) {
    case TextEncoding::Utf8:
        return kUtf8Mark + text.toUtf8();
    case TextEncoding::Utf16LE:
        return kUtf16LEMark + toUtf16LE(text);
    case TextEncoding::Utf16BE:
        return kUtf16BEMark + swappedPairs(toUtf16LE(text));
    case TextEncoding::Windows1251:
        break;
    }
    return encodeWindows1251(text);
}

QList<TextLine> splitLines(QStringView text)
{
    QList<TextLine> lines;
    const char16_t* const end = text.utf16() + text.size();
    const char16_t* start = text.utf16();
    for (const char16_t* c = start; c < end; ++c) {
        // One comparison for nearly every character: both line ends lie below the blank.
        if (*c > u'\r' || (*c != u'\r' && *c != u'\n'))
            continue;
        const qsizetype endLength = (*c == u'\r' && c + 1 < end && c[1] == u'\n') ? 2 : 1;
        lines.append({QStringView(start, c), QStringView(c, endLength)});
        c += endLength - 1;
        start = c + 1;
    }
    if (start < end)
        lines.append({QStringView(start, end), QStringView()});
    return lines;
}

} // namespace platform
