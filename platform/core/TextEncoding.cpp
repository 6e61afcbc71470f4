#include "TextEncoding.h"

#include "CodePage1251.h"

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

QString fromUtf16LE(const QByteArray& body)
{
    return QString::fromUtf16(reinterpret_cast<const char16_t*>(body.constData()), body.size() / 2);
}

QByteArray toUtf16LE(const QString& text)
{
    return QByteArray(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
}

} // namespace

DecodedText decodeText(const QByteArray& bytes)
{
    if (bytes.startsWith(kUtf8Mark))
        return {TextEncoding::Utf8, QString::fromUtf8(bytes.mid(kUtf8Mark.size()))};
    if (bytes.startsWith(kUtf16LEMark))
        return {TextEncoding::Utf16LE, fromUtf16LE(bytes.mid(kUtf16LEMark.size()))};
    if (bytes.startsWith(kUtf16BEMark))
        return {TextEncoding::Utf16BE, fromUtf16LE(swappedPairs(bytes.mid(kUtf16BEMark.size())))};
    return {TextEncoding::Windows1251, decodeWindows1251(bytes)};
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
