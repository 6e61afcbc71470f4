#include "platform/core/FontSetup.h"
#include "support/Faces.h"

#include <QFontInfo>
#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

namespace {

// How much ink a line of the windows' texts leaves, in pixels' worth of black.
int inkOf(const QFont& font)
{
    QImage image(400, 40, QImage::Format_Grayscale8);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setFont(font);
    painter.drawText(4, 28, QStringLiteral("Серия бланка, Оценка: Bold 123"));
    painter.end();
    long long ink = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            ink += 255 - qGray(image.pixel(x, y));
    return int(ink / 255);
}

struct BoldCase {
    const char* family;
};

class BoldFace : public ::testing::TestWithParam<BoldCase> { };

// Bold text is drawn with a bold face that looks bold: Wine's Tahoma Bold leaves no more ink
// than its regular face, and MS Sans Serif has no bold face at all.
TEST_P(BoldFace, IsVisiblyBold)
{
    const QString family = QString::fromLatin1(GetParam().family);
    if (family == u"MS Sans Serif" && !hasMsSansSerif())
        GTEST_SKIP() << "no MS Sans Serif here";
    EXPECT_EQ(platform::boldFaceFamily(family), boldWindowFace());
    const QFont boldFont = platform::pixelFont(family, 11, true);
    const QFontInfo bold(boldFont);
    EXPECT_TRUE(bold.bold());
    EXPECT_EQ(bold.family(), boldWindowFace());
    const QFont regularFont = platform::pixelFont(family, 11);
    EXPECT_FALSE(QFontInfo(regularFont).bold());
    EXPECT_GT(inkOf(boldFont), inkOf(regularFont) * 5 / 4);
}

INSTANTIATE_TEST_SUITE_P(Families, BoldFace,
    ::testing::Values(BoldCase {"MS Sans Serif"}, BoldCase {"Tahoma"}),
    [](const ::testing::TestParamInfo<BoldCase>& info) {
        std::string name = info.param.family;
        std::erase(name, ' ');
        return name;
    });

TEST(BoldFace, TheRegularFaceKeepsItsFamily)
{
    if (hasMsSansSerif()) {
        EXPECT_EQ(QFontInfo(platform::pixelFont(QStringLiteral("MS Sans Serif"), 11)).family(),
            QStringLiteral("MS Sans Serif"));
    }
    EXPECT_EQ(QFontInfo(platform::pixelFont(QStringLiteral("Tahoma"), 11)).family(),
        QStringLiteral("Tahoma"));
}

} // namespace
