#include "platform/core/NumberFormat.h"
#include "report/model/rpPageGeometry.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

// A5 with the certificate's 15 mm margins, changed by each case.
TrpPageGeometry a5(double left = 15, double top = 15, double right = 15, double bottom = 15)
{
    return {148, 210, left, top, right, bottom};
}

struct GeometryCase {
    const char* name;
    TrpPageGeometry geometry;
    const char* problem; // empty: the page is sound
};

TEST(PageGeometry, aPageMustLeaveSomethingToPrintOnTheSheet)
{
    const platform::ScopedNumberFormat comma {QLatin1Char(',')};
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const GeometryCase cases[] = {
        {"theCertificate", a5(), ""},
        {"noMargins", a5(0, 0, 0, 0), ""},
        {"aSliverLeft", a5(74, 15, 73.5, 15), ""},
        {"leftAsTypedInCentimetresForMillimetres", a5(150),
            "The left margin (150 mm) must be at least 0 mm and less than the paper width "
            "(148 mm)."},
        {"tenMetres", a5(10000),
            "The left margin (10000 mm) must be at least 0 mm and less than the paper width "
            "(148 mm)."},
        {"farBeyondAnyPaper", a5(15, 1e308),
            "The top margin (1E308 mm) must be at least 0 mm and less than the paper height "
            "(210 mm)."},
        {"negative", a5(15, 15, -1e5),
            "The right margin (-100000 mm) must be at least 0 mm and less than the paper width "
            "(148 mm)."},
        {"notANumber", a5(15, 15, 15, nan),
            "The bottom margin (?) must be at least 0 mm and less than the paper height "
            "(210 mm)."},
        {"bothSidesMeet", a5(74, 15, 74, 15),
            "The left and right margins (74 mm and 74 mm) leave nothing to print on the paper "
            "width (148 mm)."},
        {"topAndBottomOverlap", a5(15, 150, 15, 60.5),
            "The top and bottom margins (150 mm and 60,5 mm) leave nothing to print on the "
            "paper height (210 mm)."},
        {"noPaper", {0, 210, 0, 0, 0, 0},
            "The paper size (0 mm × 210 mm) must be more than 0 and at most 5000 mm on each "
            "side."},
        {"endlessPaper", {148, inf, 15, 15, 15, 15},
            "The paper size (148 mm × ?) must be more than 0 and at most 5000 mm on each side."},
        {"fiveMetresAndABit", {5000.5, 210, 15, 15, 15, 15},
            "The paper size (5000,5 mm × 210 mm) must be more than 0 and at most 5000 mm on "
            "each side."},
    };
    for (const GeometryCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(rpPageGeometryProblem(c.geometry), QString::fromUtf8(c.problem));
    }
}

} // namespace
