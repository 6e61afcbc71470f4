#include "report/preview/rpPageList.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct LayoutCase {
    const char* name;
    int usableWidth;
    std::vector<QSize> pages;
    std::vector<QPoint> expected; // top-left corner of each page
    QSize range;
};

class PageLayout : public ::testing::TestWithParam<LayoutCase> { };

TEST_P(PageLayout, PlacesPagesInCentredRows)
{
    const LayoutCase& c = GetParam();
    TrpPageList list;
    for (const QSize& size : c.pages)
        list.AddPage(size.width(), size.height());
    list.CalcBounds(c.usableWidth);
    ASSERT_EQ(list.Count(), int(c.expected.size()));
    for (int i = 0; i < list.Count(); ++i)
        EXPECT_EQ(list.PageRect(i).topLeft(), c.expected[size_t(i)]) << "page " << i;
    EXPECT_EQ(list.ScrollRange(), c.range);
}

INSTANTIATE_TEST_SUITE_P(Cases, PageLayout,
    ::testing::Values(
        // An A5 page at 100 %: (1000 - 559) div 2 + 10.
        LayoutCase {"A5InWideArea", 1000, {{559, 794}}, {{230, 10}}, {799, 814}},
        // Narrower than the page: it keeps 10 pixels on the left and the area scrolls.
        LayoutCase {"A5InNarrowArea", 500, {{559, 794}}, {{10, 10}}, {579, 814}},
        // Two pages fit one row (559 + 10 + 559 = 1128): the pair is centred as one.
        LayoutCase {
            "TwoInOneRow", 1200, {{559, 794}, {559, 794}}, {{46, 10}, {615, 10}}, {1184, 814}},
        // The second page would end beyond the usable width: it starts a row below the
        // tallest page of the first.
        LayoutCase {"SecondRowBelowTallest", 1000, {{559, 794}, {500, 200}},
            {{230, 10}, {260, 814}}, {799, 1024}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PageLayout, FindsThePageAtAScrollOffsetAndUnderAPoint)
{
    TrpPageList list;
    EXPECT_EQ(list.FindPage(0), -1);
    for (int i = 0; i < 3; ++i)
        list.AddPage(559, 794);
    list.CalcBounds(600);
    // Rows at 10, 814, 1618; a page is at the top until its bottom leaves the view.
    EXPECT_EQ(list.FindPage(0), 0);
    EXPECT_EQ(list.FindPage(803), 0);
    EXPECT_EQ(list.FindPage(804), 1);
    EXPECT_EQ(list.FindPage(100000), 2);
    EXPECT_EQ(list.PageAt(QPoint(30, 820)), 1);
    EXPECT_EQ(list.PageAt(QPoint(30, 808)), -1); // the gap between two pages
}

} // namespace
