#include "report/model/rpClass.h"

#include "report/model/rpPrinterDefaults.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

TEST(rpUnits, MillimetresUseTheStoredConstantExactly)
{
    EXPECT_DOUBLE_EQ(15 * rp01cm, 56.69295);
    EXPECT_DOUBLE_EQ(210 * rp01cm, 793.7013);
    EXPECT_DOUBLE_EQ(5 * rp01cm, 18.89765);
    EXPECT_DOUBLE_EQ(rp1cm, 10 * rp01cm);
}

struct RoundCase {
    const char* name;
    double value;
    long long rounded;
};

class rpRoundTable : public ::testing::TestWithParam<RoundCase> { };

TEST_P(rpRoundTable, TiesGoToEven) { EXPECT_EQ(rpRound(GetParam().value), GetParam().rounded); }

INSTANTIATE_TEST_SUITE_P(Cases, rpRoundTable,
    ::testing::Values(RoundCase {"HalfToZero", 0.5, 0}, RoundCase {"OneAndHalfUp", 1.5, 2},
        RoundCase {"TwoAndHalfDown", 2.5, 2}, RoundCase {"NegativeHalf", -0.5, 0},
        RoundCase {"NegativeOneAndHalf", -1.5, -2}, RoundCase {"BelowHalf", 2.4999, 2},
        RoundCase {"A5Width", 148 * rp01cm, 559}, RoundCase {"A5Height", 210 * rp01cm, 794},
        RoundCase {"A4Height", 297 * rp01cm, 1123},
        RoundCase {"HugeSaturates", 1e300, std::numeric_limits<long long>::max()},
        RoundCase {"HugeNegativeSaturates", -1e300, std::numeric_limits<long long>::min()},
        RoundCase {"NotANumberGivesZero", std::nan(""), 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(rpPaper, TableHoldsSixtySixCodesWithoutFortyEightAndFortyNine)
{
    const QList<int> codes = rpPaperCodes();
    ASSERT_EQ(codes.size(), 66);
    EXPECT_EQ(codes.front(), 1);
    EXPECT_EQ(codes.back(), 68);
    EXPECT_FALSE(codes.contains(48));
    EXPECT_FALSE(codes.contains(49));
    const auto a4 = rpGetPaperDimensions(9);
    ASSERT_TRUE(a4);
    EXPECT_DOUBLE_EQ(a4->width, 210);
    EXPECT_DOUBLE_EQ(a4->height, 297);
    const auto a5 = rpGetPaperDimensions(11);
    ASSERT_TRUE(a5);
    EXPECT_DOUBLE_EQ(a5->width, 148);
    EXPECT_DOUBLE_EQ(a5->height, 210);
    const auto tabloid = rpGetPaperDimensions(3);
    ASSERT_TRUE(tabloid);
    EXPECT_DOUBLE_EQ(tabloid->width, 279.4);
    EXPECT_FALSE(rpGetPaperDimensions(256));
    EXPECT_FALSE(rpGetPaperDimensions(48));
    EXPECT_FALSE(rpGetPaperDimensions(0));
}

TEST(TrpReportPage, PageCreatedInCodeIsA4PortraitWithZeroMargins)
{
    TrpReportPage page;
    EXPECT_EQ(page.PaperSize(), 9);
    EXPECT_EQ(page.PaperWidth(), 210);
    EXPECT_EQ(page.PaperHeight(), 297);
    EXPECT_EQ(page.Orientation(), poPortrait);
    EXPECT_EQ(page.Width(), 794);
    EXPECT_EQ(page.Height(), 1123);
    EXPECT_EQ(page.LeftMargin(), 0);
    EXPECT_EQ(page.TopMargin(), 0);
    EXPECT_EQ(page.RightMargin(), 0);
    EXPECT_EQ(page.BottomMargin(), 0);
    EXPECT_EQ(page.Bin(), 7);
    EXPECT_EQ(page.PageCount(), 1);
}

TEST(TrpReportPage, OrientationRotatesMarginsAndTurnsBack)
{
    TrpReportPage page;
    page.SetPaperSize(11);
    page.SetLeftMargin(15);
    page.SetRightMargin(10);
    page.SetTopMargin(5);
    page.SetBottomMargin(20);

    page.SetOrientation(poLandscape);
    EXPECT_EQ(page.PaperWidth(), 210);
    EXPECT_EQ(page.PaperHeight(), 148);
    EXPECT_EQ(page.Width(), 794);
    EXPECT_EQ(page.Height(), 559);
    EXPECT_EQ(page.LeftMargin(), 5);
    EXPECT_EQ(page.RightMargin(), 20);
    EXPECT_EQ(page.TopMargin(), 10);
    EXPECT_EQ(page.BottomMargin(), 15);

    page.SetOrientation(poLandscape);
    EXPECT_EQ(page.LeftMargin(), 5) << "setting the orientation it has changes nothing";

    page.SetOrientation(poPortrait);
    EXPECT_EQ(page.PaperWidth(), 148);
    EXPECT_EQ(page.PaperHeight(), 210);
    EXPECT_EQ(page.LeftMargin(), 15);
    EXPECT_EQ(page.RightMargin(), 10);
    EXPECT_EQ(page.TopMargin(), 5);
    EXPECT_EQ(page.BottomMargin(), 20);
    EXPECT_EQ(page.PaperSize(), 11);
}

TEST(TrpReportPage, PaperSizeFollowsOrientationAndUnknownCodesKeepTheSize)
{
    TrpReportPage page;
    page.SetOrientation(poLandscape);
    page.SetPaperSize(11);
    EXPECT_EQ(page.PaperWidth(), 210);
    EXPECT_EQ(page.PaperHeight(), 148);

    page.SetPaperSize(48);
    EXPECT_EQ(page.PaperSize(), 48);
    EXPECT_EQ(page.PaperWidth(), 210);
    page.SetPaperSize(256);
    EXPECT_EQ(page.PaperHeight(), 148);
}

TEST(TrpReportPage, WritingWidthOrHeightMakesTheSizeCustomRoundedToEightDecimals)
{
    TrpReportPage page;
    page.SetPaperSize(11);
    page.SetPaperWidth(100.123456789);
    EXPECT_EQ(page.PaperSize(), 256);
    EXPECT_DOUBLE_EQ(page.PaperWidth(), 100.12345679);
    EXPECT_EQ(page.Width(), rpRound(100.12345679 * rp01cm));
    page.SetPaperSize(11);
    page.SetPaperHeight(200);
    EXPECT_EQ(page.PaperSize(), 256);
    EXPECT_EQ(page.Height(), 756);
}

struct DefaultsCase {
    const char* why;
    TrpPrinterDefaults printer;
    int paper;
    double width;
    double height;
};

TEST(TrpReportPage, SetDefaultsTakesTheDefaultPrinterPaperAndTenMillimetreMargins)
{
    const DefaultsCase cases[] = {
        {"no printer: A4 portrait", {}, 9, 210, 297},
        {"A5 of the paper table, turned", {11, 148, 210, poLandscape}, 11, 210, 148},
        {"a size without a paper number, turned", {256, 100, 150, poLandscape}, 256, 150, 100},
    };
    for (const DefaultsCase& c : cases) {
        SCOPED_TRACE(c.why);
        TrpReportPage page;
        page.SetLeftMargin(15);
        page.SetDefaults(c.printer);
        EXPECT_EQ(page.LeftMargin(), 10);
        EXPECT_EQ(page.RightMargin(), 10);
        EXPECT_EQ(page.TopMargin(), 10);
        EXPECT_EQ(page.BottomMargin(), 10);
        EXPECT_EQ(page.Orientation(), c.printer.Orientation);
        EXPECT_EQ(page.PaperSize(), c.paper);
        EXPECT_DOUBLE_EQ(page.PaperWidth(), c.width);
        EXPECT_DOUBLE_EQ(page.PaperHeight(), c.height);
    }
}

struct SplitCase {
    const char* name;
    QString value;
    QStringList lines;
};

class SetTextSplitting : public ::testing::TestWithParam<SplitCase> { };

TEST_P(SetTextSplitting, EndsLinesAtCrLfAndLineSeparator)
{
    TrpMemoView memo;
    memo.SetText(QStringLiteral("old"));
    memo.SetText(GetParam().value);
    EXPECT_EQ(memo.Memo(), GetParam().lines);
}

INSTANTIATE_TEST_SUITE_P(Cases, SetTextSplitting,
    ::testing::Values(SplitCase {"Empty", QString(), {}},
        SplitCase {"OneLine", QStringLiteral("a"), {"a"}},
        SplitCase {"CrLf", QStringLiteral("a\r\nb"), {"a", "b"}},
        SplitCase {"LoneCr", QStringLiteral("a\rb"), {"a", "b"}},
        SplitCase {"LoneLf", QStringLiteral("a\nb"), {"a", "b"}},
        SplitCase {"LfCrGivesEmptyLineBetween", QStringLiteral("a\n\rb"), {"a", "", "b"}},
        SplitCase {"LineSeparator", QStringLiteral("a\u2028b"), {"a", "b"}},
        SplitCase {"CrLfThenSeparatorIsOneBreak", QStringLiteral("a\r\n\u2028b"), {"a", "b"}},
        SplitCase {"TwoLfGiveEmptyLine", QStringLiteral("a\n\nb"), {"a", "", "b"}},
        SplitCase {"BreakAtEndAddsNoLine", QStringLiteral("a\r\n"), {"a"}},
        SplitCase {"OnlyBreak", QStringLiteral("\n"), {""}},
        SplitCase {"BlanksKept", QStringLiteral(" a \r\n b "), {" a ", " b "}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TrpMemoView, TextEndsEveryLineWithCrLf)
{
    TrpMemoView memo;
    EXPECT_EQ(memo.Text(), QString());
    memo.SetText(QStringLiteral("x"));
    EXPECT_EQ(memo.Text(), QStringLiteral("x\r\n"));
    memo.SetText(QStringLiteral("a\nb"));
    EXPECT_EQ(memo.Text(), QStringLiteral("a\r\nb\r\n"));
}

TEST(TrpComponent, NewComponentDefaults)
{
    TrpMemoView memo;
    EXPECT_EQ(memo.Font().Name, QStringLiteral("Arial"));
    EXPECT_EQ(memo.Font().Height, -13);
    EXPECT_EQ(memo.Font().Size(), 10);
    EXPECT_EQ(memo.Font().Charset, rpCharset);
    EXPECT_EQ(memo.Font().Color, clBlack);
    EXPECT_TRUE(memo.ParentFont());
    EXPECT_TRUE(memo.Visible());
    EXPECT_EQ(memo.Color(), clTransparent);
    EXPECT_EQ(memo.Frame().Typ, 0);
    EXPECT_EQ(memo.GapX(), 2);
    EXPECT_EQ(memo.GapY(), 1);
    EXPECT_EQ(memo.LineSpacing(), 2);
    EXPECT_EQ(memo.ExpressionDelimiters(), QStringLiteral("[,]"));
    EXPECT_TRUE(memo.WordWrap());
    EXPECT_EQ(memo.BaseName(), QStringLiteral("Memo"));
    EXPECT_EQ(TrpLineView().BaseName(), QStringLiteral("Line"));
    EXPECT_EQ(TrpShapeView().BaseName(), QStringLiteral("Shape"));
    EXPECT_EQ(TrpReportPage().BaseName(), QStringLiteral("Page"));
    EXPECT_EQ(TrpDataPage().Width(), 1000);
}

struct FontCase {
    const char* name;
    int height;
    int points;
};

class FontPoints : public ::testing::TestWithParam<FontCase> { };

TEST_P(FontPoints, HeightGivesWholePointsHalvesAwayFromZero)
{
    TrpFont font;
    font.Height = GetParam().height;
    EXPECT_EQ(font.Size(), GetParam().points);
}

INSTANTIATE_TEST_SUITE_P(Cases, FontPoints,
    ::testing::Values(FontCase {"Minus11", -11, 8}, FontCase {"Minus12", -12, 9},
        FontCase {"Minus13IsTenNotNineAndThreeQuarters", -13, 10}, FontCase {"Minus16", -16, 12},
        FontCase {"Minus19", -19, 14}, FontCase {"Minus14HalfUp", -14, 11},
        FontCase {"Plus14HalfAwayFromZero", 14, -11}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TrpComponent, ParentFontFollowsTheContainerUntilAnOwnFontIsGiven)
{
    TrpCustomReport report;
    auto* page = new TrpReportPage(&report);
    auto* memo = new TrpMemoView(page);
    TrpFont times;
    times.Name = QStringLiteral("Times New Roman");
    times.Height = -11;
    page->SetFont(times);
    EXPECT_FALSE(page->ParentFont());
    EXPECT_EQ(memo->Font(), times);

    TrpFont own;
    own.Height = -19;
    memo->SetFont(own);
    EXPECT_FALSE(memo->ParentFont());
    page->SetFont(TrpFont());
    EXPECT_EQ(memo->Font().Height, -19);

    memo->SetParentFont(true);
    EXPECT_EQ(memo->Font(), TrpFont());

    auto* late = new TrpMemoView;
    late->SetParent(page);
    EXPECT_EQ(late->Font(), page->Font());
}

TEST(TrpComponent, NamesAreUniqueInTheirReportComparedLikeFindObject)
{
    TrpCustomReport report;
    auto* page = new TrpReportPage(&report);
    page->SetName(QStringLiteral("Page1"));
    auto* memo1 = new TrpMemoView(page);
    memo1->SetName(QStringLiteral("Memo1"));
    auto* memo2 = new TrpMemoView(page);
    memo2->SetName(QStringLiteral("Memo2"));

    EXPECT_THROW(memo2->SetName(QStringLiteral("MEMO1")), EDuplicateName);
    EXPECT_EQ(memo2->Name(), QStringLiteral("Memo2"));
    EXPECT_THROW(memo2->SetName(QStringLiteral("page1")), EDuplicateName);
    memo1->SetName(QStringLiteral("memo1"));
    EXPECT_EQ(memo1->Name(), QStringLiteral("memo1")) << "renaming to its own name is fine";

    TrpCustomReport other;
    auto* otherPage = new TrpReportPage(&other);
    otherPage->SetName(QStringLiteral("Page1"));
    auto* otherMemo = new TrpMemoView(otherPage);
    otherMemo->SetName(QStringLiteral("Memo1"));
    EXPECT_THROW(otherMemo->SetParent(page), EDuplicateName);
    EXPECT_EQ(otherMemo->Parent(), otherPage);

    // Only A-Z fold: Cyrillic and Latin-1 letters in other case are other names.
    memo2->SetName(QStringLiteral("Поле"));
    auto* memo3 = new TrpMemoView(page);
    memo3->SetName(QStringLiteral("поле"));
    EXPECT_EQ(report.FindObject(QStringLiteral("ПОЛЕ")), nullptr);
    EXPECT_EQ(report.FindObject(QStringLiteral("поле")), memo3);
}

TEST(TrpComponent, DeletingAChildRemovesItFromItsParentAndNoTreeHoldsItself)
{
    TrpReportPage page;
    auto* memo = new TrpMemoView(&page);
    new TrpShapeView(&page);
    delete memo;
    ASSERT_EQ(page.Objects().size(), 1);
    EXPECT_THROW(page.SetParent(page.Objects().front()), platform::Exception);
    EXPECT_EQ(page.Parent(), nullptr);
    EXPECT_EQ(page.Objects().front()->ClassName(), QStringLiteral("TrpShapeView"));
}

TEST(TrpComponent, AlignChildrenMovesOnlyAlignedViews)
{
    TrpReportPage page;
    page.SetPaperSize(11);
    page.SetLeftMargin(15);
    page.SetRightMargin(15);
    auto* fixed = new TrpMemoView(&page);
    fixed->SetLeft(11.33859);
    fixed->SetWidth(100);
    auto* right = new TrpMemoView(&page);
    right->SetWidth(100);
    right->SetAlign(baRight);
    page.AlignChildren();
    EXPECT_EQ(fixed->Left(), 11.33859);
    EXPECT_DOUBLE_EQ(right->Left(), 118 * rp01cm - 100);
}

} // namespace
