#include "platform/core/FontSetup.h"

#include <QFontInfo>

#include <gtest/gtest.h>

namespace {

struct BoldCase {
    const char* family;
    const char* drawnBoldWith;
};

class BoldFace : public ::testing::TestWithParam<BoldCase> { };

// Bold text is drawn with a real bold face: a family without one takes a stand-in's.
TEST_P(BoldFace, IsARealBoldFace)
{
    const QString family = QString::fromLatin1(GetParam().family);
    EXPECT_EQ(platform::boldFaceFamily(family), QString::fromLatin1(GetParam().drawnBoldWith));
    const QFontInfo bold(platform::pixelFont(family, 11, true));
    EXPECT_TRUE(bold.bold());
    EXPECT_EQ(bold.family(), QString::fromLatin1(GetParam().drawnBoldWith));
    const QFontInfo regular(platform::pixelFont(family, 11));
    EXPECT_FALSE(regular.bold());
}

INSTANTIATE_TEST_SUITE_P(Families, BoldFace,
    ::testing::Values(BoldCase {"MS Sans Serif", "Tahoma"}, BoldCase {"Tahoma", "Tahoma"}),
    [](const ::testing::TestParamInfo<BoldCase>& info) {
        return std::string(info.param.family[0] == 'M' ? "MsSansSerif" : "Tahoma");
    });

TEST(BoldFace, TheRegularFaceKeepsItsFamily)
{
    EXPECT_EQ(QFontInfo(platform::pixelFont(QStringLiteral("MS Sans Serif"), 11)).family(),
        QStringLiteral("MS Sans Serif"));
}

} // namespace
