#include "app/logic/CertificateText.h"

#include <gtest/gtest.h>

namespace {

QString u(const char* text) { return QString::fromUtf8(text); }

struct DateCase {
    const char* name;
    QDate date;
    const char* day;
    const char* month;
    const char* year;
};

class MonthstrDates : public ::testing::TestWithParam<DateCase> { };

TEST_P(MonthstrDates, SplitsTheDate)
{
    const DateCase& c = GetParam();
    EXPECT_EQ(Monthstr(QStringLiteral("day"), c.date), u(c.day));
    EXPECT_EQ(Monthstr(QStringLiteral("month"), c.date), u(c.month));
    EXPECT_EQ(Monthstr(QStringLiteral("year"), c.date), u(c.year));
}

INSTANTIATE_TEST_SUITE_P(Dates, MonthstrDates,
    ::testing::Values(DateCase {"March2016", QDate(2016, 3, 5), "05", "марта", "6"},
        DateCase {"December2019", QDate(2019, 12, 31), "31", "декабря", "9"},
        DateCase {"January2020", QDate(2020, 1, 1), "01", "января", "0"},
        DateCase {"ThreeDigitYear", QDate(987, 5, 10), "10", "мая", ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Monthstr, EveryMonthInTheGenitive)
{
    const char* names[] = {"января", "февраля", "марта", "апреля", "мая", "июня", "июля", "августа",
        "сентября", "октября", "ноября", "декабря"};
    for (int month = 1; month <= 12; ++month)
        EXPECT_EQ(Monthstr(QStringLiteral("month"), QDate(2021, month, 1)), u(names[month - 1]));
}

TEST(Monthstr, SelectorIsComparedExactly)
{
    for (const char* selector : {"Day", "MONTH", "Year", "", "days"})
        EXPECT_EQ(Monthstr(QString::fromLatin1(selector), QDate(2016, 3, 5)), QString())
            << selector;
}

struct TextCase {
    const char* name;
    const char* source;
    const char* result;
};

class CopyCategEdges : public ::testing::TestWithParam<TextCase> { };

TEST_P(CopyCategEdges, FindsTheCodeInTheLastSevenCharacters)
{
    EXPECT_EQ(Copy_categ(u(GetParam().source)), u(GetParam().result));
}

INSTANTIATE_TEST_SUITE_P(Texts, CopyCategEdges,
    ::testing::Values(TextCase {"NoQuote", "категории В", ""},
        TextCase {"OneQuoteInWindow", "категории В\"", ""},
        TextCase {"LetterBetweenQuotes", "\"Q\"", "Q"}, TextCase {"AdjacentQuotes", "ab\"\"", ""},
        TextCase {"ThreeQuotes", "x\"a\"b\"", "a\"b"}, TextCase {"Empty", "", ""},
        TextCase {"OneTrailingBlank", "категории \"В\" ", "В"},
        TextCase {"ThreeMoreBlanks", "категории \"В\"    ", "В"},
        TextCase {"FourMoreBlanks", "категории \"В\"     ", ""},
        TextCase {"OpeningQuoteOutsideWindow", "категории \"ABCDEF\"", ""}),
    [](const auto& info) { return std::string(info.param.name); });

class CopyTransEdges : public ::testing::TestWithParam<TextCase> { };

TEST_P(CopyTransEdges, TakesTheWordBeforeTheLastBlank)
{
    EXPECT_EQ(Copy_trans(u(GetParam().source)), u(GetParam().result));
}

INSTANTIATE_TEST_SUITE_P(Texts, CopyTransEdges,
    ::testing::Values(TextCase {"Mechanical", "с механической трансмиссией", " механической"},
        TextCase {"Automatic", "с автоматической трансмиссией", " автоматической"},
        TextCase {"ShorterThanSix", "a b c", ""}, TextCase {"ThirdCharacterBlank", "ab cdef", "b"},
        TextCase {"OnlyBlankSecond", "a bcdef", ""}, TextCase {"BlankTooNearTheEnd", "abcde f", ""},
        TextCase {"Empty", "", ""}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
