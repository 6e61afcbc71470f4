#include "platform/core/FontMetrics.h"
#include "support/Faces.h"

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
    if (GetParam().requested == u"MS Sans Serif" && !hasMsSansSerif())
        GTEST_SKIP() << "no MS Sans Serif here";
    EXPECT_EQ(FontMetrics::of({GetParam().requested, 75}).resolvedFamily(), GetParam().resolved);
}

INSTANTIATE_TEST_SUITE_P(Faces, FontFamily,
    ::testing::Values(FamilyCase {"times_new_roman", "Times New Roman", serifFace()},
        FamilyCase {"arial", "Arial", sansFace()}, FamilyCase {"tahoma", "Tahoma", "Tahoma"},
        FamilyCase {"ms_sans_serif", "MS Sans Serif", "MS Sans Serif"}),
    [](const auto& info) { return info.param.name; });

// Whatever face answers for Times New Roman and Arial has their widths, the design advances
// of Windows' own faces (in 2048ths of the height), so a text measured here wraps as it does
// at the schools.
TEST(FontFamily, answersWithTheWindowsFacesWidths)
{
    struct Widths {
        const char* family;
        QList<double> advances; // "aWЖ1 "
    };
    for (const Widths& face : {Widths {"Times New Roman", {909, 1933, 1835, 1024, 512}},
             Widths {"Arial", {1139, 1933, 1891, 1139, 569}}}) {
        SCOPED_TRACE(face.family);
        const FontMetrics& metrics = FontMetrics::of({QString::fromLatin1(face.family), 2048});
        QList<double> advances;
        for (QChar c : QStringLiteral("aWЖ1 "))
            advances.append(metrics.advance(c));
        EXPECT_EQ(advances, face.advances);
    }
}

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
