#include "CodePage1251.h"

#include <array>
#include <cstdint>

namespace platform {

namespace {

// Bytes 0x80 to 0xBF; 0xC0 to 0xFF are U+0410 to U+044F in order, below 0x80 is ASCII.
const std::array<char16_t, 64> kHighHalf = {
    0x0402,
    0x0403,
    0x201A,
    0x0453,
    0x201E,
    0x2026,
    0x2020,
    0x2021,
    0x20AC,
    0x2030,
    0x0409,
    0x2039,
    0x040A,
    0x040C,
    0x040B,
    0x040F,
    0x0452,
    0x2018,
    0x2019,
    0x201C,
    0x201D,
    0x2022,
    0x2013,
    0x2014,
    0x0098,
    0x2122,
    0x0459,
    0x203A,
    0x045A,
    0x045C,
    0x045B,
    0x045F,
    0x00A0,
    0x040E,
    0x045E,
    0x0408,
    0x00A4,
    0x0490,
    0x00A6,
    0x00A7,
    0x0401,
    0x00A9,
    0x0404,
    0x00AB,
    0x00AC,
    0x00AD,
    0x00AE,
    0x0407,
    0x00B0,
    0x00B1,
    0x0406,
    0x0456,
    0x0491,
    0x00B5,
    0x00B6,
    0x00B7,
    0x0451,
    0x2116,
    0x0454,
    0x00BB,
    0x0458,
    0x0405,
    0x0455,
    0x0457,
};

char16_t decodeByte(unsigned char byte)
{
    if (byte < 0x80)
        return byte;
    if (byte >= 0xC0)
        return char16_t(0x0410 + (byte - 0xC0));
    return kHighHalf[byte - 0x80];
}

// Every byte's character at once, for whole files.
const std::array<char16_t, 256> kDecoded = [] {
    std::array<char16_t, 256> table {};
    for (std::size_t byte = 0; byte < table.size(); ++byte)
        table[byte] = decodeByte(static_cast<unsigned char>(byte));
    return table;
}();

// Returns -1 for a character the code page cannot hold.
int encodeChar(char16_t c)
{
    if (c < 0x80)
        return c;
    if (c >= 0x0410 && c <= 0x044F)
        return 0xC0 + (c - 0x0410);
    for (std::size_t i = 0; i < kHighHalf.size(); ++i) {
        if (kHighHalf[i] == c)
            return int(0x80 + i);
    }
    return -1;
}

// The bytes of the characters below U+0460 (ASCII, the Latin-1 signs, all of Cyrillic), the
// characters that make up nearly all of a file; -1 where the code page has none.
const std::array<std::int16_t, 0x460> kEncodedLow = [] {
    std::array<std::int16_t, 0x460> table {};
    for (std::size_t c = 0; c < table.size(); ++c)
        table[c] = std::int16_t(encodeChar(char16_t(c)));
    return table;
}();

} // namespace

QString decodeWindows1251(const QByteArray& bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    char16_t* out = reinterpret_cast<char16_t*>(text.data());
    for (char byte : bytes)
        *out++ = kDecoded[static_cast<unsigned char>(byte)];
    return text;
}

QByteArray encodeWindows1251(QStringView text)
{
    QByteArray bytes(text.size(), Qt::Uninitialized);
    char* out = bytes.data();
    for (QChar c : text) {
        const int code
            = c.unicode() < kEncodedLow.size() ? kEncodedLow[c.unicode()] : encodeChar(c.unicode());
        *out++ = code < 0 ? '?' : char(code);
    }
    return bytes;
}

QString throughWindows1251(QStringView text)
{
    QString result;
    result.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            result.append(QLatin1Char('?'));
            ++i;
            continue;
        }
        const int code = encodeChar(c.unicode());
        result.append(code < 0 ? QChar(u'?') : QChar(decodeByte(static_cast<unsigned char>(code))));
    }
    return result;
}

bool fitsWindows1251(QStringView text)
{
    for (QChar c : text) {
        if (encodeChar(c.unicode()) < 0)
            return false;
    }
    return true;
}

} // namespace platform
