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

struct DotsCase {
    const char* why;
    int dpi;
    double mm;
    int dots;
};

TEST(SheetGeometry, millimetresBecomeWholeDotsWithTiesToEven)
{
    // 254 dpi makes 10 dots a millimetre, so the halves below are exact.
    const DotsCase cases[] = {
        {"a 12 pt border at 600 dpi", 600, 12 * 25.4 / 72, 100},
        {"a 14.16 pt border at 600 dpi", 600, 14.16 * 25.4 / 72, 118},
        {"an 18 pt border at 300 dpi", 300, 18 * 25.4 / 72, 75},
        {"2.5 dots go down to the even 2, not up to 3", 254, 0.25, 2},
        {"3.5 dots go up to the even 4", 254, 0.35, 4},
        {"12.5 dots go down to 12", 254, 1.25, 12},
    };
    for (const DotsCase& c : cases) {
        SCOPED_TRACE(c.why);
        const TrpSheetGeometry sheet({c.dpi, c.dpi}, {}, {}, {});
        EXPECT_EQ(sheet.ToDotsX(c.mm), c.dots);
        EXPECT_EQ(sheet.ToDotsY(c.mm), c.dots);
        const TrpSheetGeometry bordered = TrpSheetGeometry::withBorder(
            {c.dpi, c.dpi}, {1000, 2000}, QMarginsF(c.mm, c.mm, c.mm, 0));
        EXPECT_EQ(bordered.Offset(), QPoint(c.dots, c.dots));
        EXPECT_EQ(bordered.Printable(), QSize(1000 - 2 * c.dots, 2000 - c.dots));
    }
}

struct PaperCase {
    const char* why;
    TrpSheetGeometry sheet;
    TrpPageGeometry expected;
};

TEST(SheetGeometry, paperRoundsEachLengthToWholeMillimetres)
{
    // A5 at 600 dpi is 3496 x 4961 dots; at 254 dpi the halves are exact.
    const PaperCase cases[] = {
        {"offset 100 dots at 600 dpi is 4.233 mm, rounded down",
            {{600, 600}, {3496, 4961}, {100, 125}, {3296, 4711}}, {148, 210, 4, 5, 4, 6}},
        {"offset 118 dots is 4.995 mm, rounded up",
            {{600, 600}, {3496, 4961}, {118, 125}, {3260, 4711}}, {148, 210, 5, 5, 5, 6}},
        {"halves go to the even neighbour", {{254, 254}, {1480, 2100}, {5, 15}, {1450, 2060}},
            {148, 210, 0, 2, 3, 2}},
        {"2.5 mm goes down to 2", {{254, 254}, {1480, 2100}, {25, 25}, {1430, 2045}},
            {148, 210, 2, 2, 3, 4}},
    };
    for (const PaperCase& c : cases) {
        SCOPED_TRACE(c.why);
        const TrpPageGeometry g = c.sheet.Paper();
        EXPECT_EQ(g.PaperWidth, c.expected.PaperWidth);
        EXPECT_EQ(g.PaperHeight, c.expected.PaperHeight);
        EXPECT_EQ(g.LeftMargin, c.expected.LeftMargin);
        EXPECT_EQ(g.TopMargin, c.expected.TopMargin);
        EXPECT_EQ(g.RightMargin, c.expected.RightMargin);
        EXPECT_EQ(g.BottomMargin, c.expected.BottomMargin);
    }
}

struct PlacementCase {
    const char* why;
    int offset; // dots at 600 dpi
    double landsAt; // mm from the sheet's edge
};

// A page margin of 15 mm, drawn from the printable region's corner: the offset counts in
// whole millimetres, so the margin lands as far off as the offset is from its rounding.
TEST(SheetGeometry, aPageMarginLandsByTheWholeMillimetreOffset)
{
    const PlacementCase cases[] = {
        {"100 dots are 4.233 mm, counted as 4", 100, 15.233},
        {"118 dots are 4.995 mm, counted as 5", 118, 14.995},
    };
    for (const PlacementCase& c : cases) {
        SCOPED_TRACE(c.why);
        const TrpSheetGeometry sheet(
            {600, 600}, {3496, 4961}, {c.offset, c.offset}, {3496 - 2 * c.offset, 4711});
        const TrpDeviceMapping page = sheet.Mapping(0, 0);
        EXPECT_EQ(page.ScaleX, 6.25);
        const double dotsFromSheetEdge = page.MmX(15) + c.offset;
        EXPECT_NEAR(dotsFromSheetEdge / 600 * 25.4, c.landsAt, 0.0005);
    }
}

} // namespace
