#include "platform/core/CodePage1251.h"

#include <gtest/gtest.h>

namespace {

TEST(CodePage1251, EveryByteRoundTrips)
{
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(char(b));
    EXPECT_EQ(platform::encodeWindows1251(platform::decodeWindows1251(all)), all);
}

TEST(CodePage1251, CyrillicAndPunctuation)
{
    const QString text = QString::fromUtf8("Ёё Аа Яя № «» — €");
    const QByteArray bytes("\xA8\xB8\x20\xC0\xE0\x20\xDF\xFF\x20\xB9\x20\xAB\xBB\x20\x97\x20\x88");
    EXPECT_EQ(platform::encodeWindows1251(text), bytes);
    EXPECT_EQ(platform::decodeWindows1251(bytes), text);
    EXPECT_TRUE(platform::fitsWindows1251(text));
}

TEST(CodePage1251, CharactersOutsideBecomeQuestionMark)
{
    EXPECT_EQ(platform::encodeWindows1251(QString::fromUtf8("é中ß")), QByteArray("???"));
    EXPECT_FALSE(platform::fitsWindows1251(QString::fromUtf8("é")));
}

TEST(CodePage1251, throughTheCodePageUnknownCharactersBecomeOneQuestionMark)
{
    EXPECT_EQ(platform::throughWindows1251(QStringLiteral("Ёж№€ 中😀")), QStringLiteral("Ёж№€ ??"));
}

} // namespace
