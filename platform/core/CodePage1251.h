#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>

namespace platform {

// Windows-1251, the ANSI code page of a system set up for Russian. Qt 6 carries no such
// codec, so the table is our own. Every byte decodes to one character (the one unassigned
// byte, 0x98, to U+0098), so decoding and encoding again gives back the same bytes.
QString decodeWindows1251(const QByteArray& bytes);

// Characters the code page cannot hold become its default character, "?".
QByteArray encodeWindows1251(QStringView text);

// The text as it comes back after writing it in the code page and reading it again: every
// character the code page cannot hold becomes "?", a surrogate pair counting as one character.
QString throughWindows1251(QStringView text);

// True when every character of the text survives encoding.
bool fitsWindows1251(QStringView text);

} // namespace platform
