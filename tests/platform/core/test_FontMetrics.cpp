#include "platform/core/FontMetrics.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

using platform::FontMetrics;

namespace {

struct FamilyCase {
    std::string name;
    QString requested;
    QString resolved;
};

class FontFamily : public ::testing::TestWithParam<FamilyCase> { };

TEST_P(FontFamily, resolvesToAMetricCompatibleFace)
{
    EXPECT_EQ(FontMetrics::of({GetParam().requested, 75}).resolvedFamily(), GetParam().resolved);
}

INSTANTIATE_TEST_SUITE_P(Faces, FontFamily,
    ::testing::Values(FamilyCase {"times_new_roman", "Times New Roman", "Liberation Serif"},
        FamilyCase {"arial", "Arial", "Liberation Sans"}, FamilyCase {"tahoma", "Tahoma", "Tahoma"},
        FamilyCase {"ms_sans_serif", "MS Sans Serif", "MS Sans Serif"}),
    [](const auto& info) { return info.param.name; });

// Unhinted design advances scale with the height (up to the 1/64 pixel the rasteriser
// reports them in), so widths measured at the reference height are the same on every
// machine.
TEST(FontMetrics, advancesScaleLinearlyWithoutHinting)
{
    const FontMetrics& small
        = FontMetrics::of({QStringLiteral("Times New Roman"), 75, false, true});
    const FontMetrics& large
        = FontMetrics::of({QStringLiteral("Times New Roman"), 600, false, true});
    for (QChar c : QStringLiteral("aЖ1 .")) {
        EXPECT_GT(small.advance(c), 0);
        EXPECT_NEAR(large.advance(c), 8 * small.advance(c), 8.0 / 64);
        EXPECT_EQ(small.advance(c) * 64, std::round(small.advance(c) * 64));
    }
    EXPECT_NE(small.advance(u'a'), std::round(small.advance(u'a')));
}

} // namespace
