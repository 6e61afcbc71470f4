#include "report/render/rpLineBreak.h"
#include "report/render/rpSpread.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct SpreadCase {
    std::string name;
    QList<int> values;
    int difference;
    QList<int> expected;
};

class Spread : public ::testing::TestWithParam<SpreadCase> { };

TEST_P(Spread, changesTheSumByTheDifferenceAtTheHalvingPoints)
{
    QList<int> values = GetParam().values;
    rpSpread(values, GetParam().difference);
    EXPECT_EQ(values, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Halving, Spread,
    ::testing::Values(
        // One unit goes to the middle of the first half.
        SpreadCase {"one_unit_over_five", {7, 7, 7, 7, 7}, 1, {7, 8, 7, 7, 7}},
        // Two units: one to each half, each at its own first-half middle.
        SpreadCase {"two_units_over_five", {7, 7, 7, 7, 7}, 2, {8, 7, 8, 7, 7}},
        SpreadCase {"three_units_over_four", {0, 0, 0, 0}, 3, {1, 0, 1, 1}},
        // A line 100 device pixels wide that should be 102.
        SpreadCase {"two_pixels_over_a_line", {10, 10, 10, 10, 10, 10, 10, 10, 10, 10}, 2,
            {10, 11, 10, 10, 10, 10, 11, 10, 10, 10}},
        SpreadCase {"as_many_units_as_entries", {0, 0, 0}, 3, {1, 1, 1}},
        // Whole shares first, the rest by halving.
        SpreadCase {"more_units_than_entries", {5, 5, 5}, 7, {8, 7, 7}},
        SpreadCase {"taken_away", {7, 7, 7, 7, 7}, -2, {6, 7, 6, 7, 7}},
        // A block of one line has no advance to stretch.
        SpreadCase {"no_entries", {}, 5, {}}, SpreadCase {"nothing_to_spread", {4, 4}, 0, {4, 4}}),
    [](const auto& info) { return info.param.name; });

struct BreakCase {
    std::string name;
    QString line;
    QList<double> advances; // empty: every character 10 wide
    double charSpacing;
    double firstLimit;
    double limit;
    bool wordWrap;
    QStringList expected;
};

class BreakParagraph : public ::testing::TestWithParam<BreakCase> { };

TEST_P(BreakParagraph, cutsWhereTheWidthRunsOut)
{
    const BreakCase& c = GetParam();
    const QList<double> advances
        = c.advances.isEmpty() ? QList<double>(c.line.size(), 10.0) : c.advances;
    EXPECT_EQ(rpBreakParagraph(c.line, advances, c.charSpacing, c.firstLimit, c.limit, c.wordWrap),
        c.expected);
}

INSTANTIATE_TEST_SUITE_P(FixedAdvances, BreakParagraph,
    ::testing::Values(
        BreakCase {"narrower_than_the_limit", "ab cd", {}, 0, 60, 60, true, {"ab cd"}},
        // Exactly as wide as the limit: the scan finds no width above it.
        BreakCase {"exactly_the_limit", "ab cd", {}, 0, 50, 50, true, {"ab cd"}},
        BreakCase {"at_the_last_space_that_fits", "ab cd ef", {}, 0, 55, 55, true, {"ab cd", "ef"}},
        BreakCase {"long_word_cut_between_characters", "abcdefgh", {}, 0, 35, 35, true,
            {"abc", "def", "gh"}},
        BreakCase {
            "character_wider_than_the_line", "Wxy", {100, 10, 10}, 0, 50, 50, true, {"W", "xy"}},
        // The cut drops only the last space; the one before it stays in the line.
        BreakCase {"trailing_space_stays", "ab  cd", {}, 0, 35, 35, true, {"ab ", "cd"}},
        BreakCase {
            "first_line_has_its_own_limit", "ab cd ef", {}, 0, 25, 100, true, {"ab", "cd ef"}},
        BreakCase {"character_spacing_counts", "abcd", {}, 5, 40, 40, true, {"ab", "cd"}},
        BreakCase {"without_word_wrap", "ab cd ef", {}, 0, 20, 20, false, {"ab cd ef"}},
        BreakCase {"single_character", "W", {500}, 0, 20, 20, true, {"W"}}),
    [](const auto& info) { return info.param.name; });

} // namespace
