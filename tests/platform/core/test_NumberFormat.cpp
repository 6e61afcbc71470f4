#include "platform/core/Exception.h"
#include "platform/core/NumberFormat.h"
#include "support/CLibraryLocale.h"

#include <QDate>
#include <QLocale>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

using platform::ScopedNumberFormat;

QString u(const char* text) { return QString::fromUtf8(text); }

struct FloatRead {
    const char* text;
    double expected;
};

TEST(StrToFloat, AcceptsTheDesktopSyntaxWithTheFormatsSeparator)
{
    const ScopedNumberFormat comma(QLatin1Char(','));
    const FloatRead rows[] = {
        {"42", 42}, {"42,5", 42.5}, {"  -42,25  ", -42.25}, {"+7", 7},
        {",", 0}, // a lone separator reads as 0
        {"-,", 0}, {",5", 0.5}, {"5,", 5}, {"1E3", 1000}, {"1,5e-2", 0.015}, {"2E+2", 200},
        {"000123", 123}, {"1E-400", 0}, // underflow gives zero
    };
    for (const FloatRead& row : rows) {
        SCOPED_TRACE(row.text);
        EXPECT_DOUBLE_EQ(platform::StrToFloat(u(row.text)), row.expected);
    }
}

TEST(StrToFloat, RejectsEverythingElseWithTheDesktopsMessage)
{
    const ScopedNumberFormat comma(QLatin1Char(','));
    const char* const rows[]
        = {"", " ", "abc", "42.5" /* the point is no separator here */, "1 000", "1,2,3", "+", "-",
            "E5", "1E", "1E+", "4 2", "42abc", "--1", "1,5e", "\t42", "1E400" /* overflow */, "٤٢"};
    for (const char* text : rows) {
        SCOPED_TRACE(text);
        try {
            platform::StrToFloat(u(text));
            ADD_FAILURE() << "accepted";
        } catch (const platform::EConvertError& e) {
            EXPECT_EQ(e.message(), u("'%1' is not a valid floating point value").arg(u(text)));
        }
    }
}

TEST(StrToFloat, PointSeparatorFormatReadsPointsAndRefusesCommas)
{
    const ScopedNumberFormat point(QLatin1Char('.'));
    EXPECT_DOUBLE_EQ(platform::StrToFloat(u("42.5")), 42.5);
    EXPECT_THROW(platform::StrToFloat(u("42,5")), platform::EConvertError);
}

TEST(StrToInt, ReadsIntegersAndReportsTheRest)
{
    struct Row {
        const char* text;
        int expected;
    };
    const Row good[] = {{"0", 0}, {"  42", 42}, {"-17", -17}, {"+5", 5}, {"2147483647", 2147483647},
        {"-2147483648", std::numeric_limits<int>::min()}, {"$1F", 31}, {"0x10", 16}};
    for (const Row& row : good) {
        SCOPED_TRACE(row.text);
        EXPECT_EQ(platform::StrToInt(u(row.text)), row.expected);
    }
    const char* const bad[]
        = {"", "42 ", "4,2", "abc", "2147483648", "-2147483649", "$", "1E3", "-"};
    for (const char* text : bad) {
        SCOPED_TRACE(text);
        try {
            platform::StrToInt(u(text));
            ADD_FAILURE() << "accepted";
        } catch (const platform::EConvertError& e) {
            EXPECT_EQ(e.message(), u("'%1' is not a valid integer value").arg(u(text)));
        }
    }
}

struct FloatWrite {
    double value;
    const char* expected;
};

TEST(FloatToStr, GeneralFormatWithFifteenDigits)
{
    const ScopedNumberFormat comma(QLatin1Char(','));
    const FloatWrite rows[] = {
        {420, "420"},
        {420.5, "420,5"},
        {0, "0"},
        {-0.0, "0"},
        {-12.25, "-12,25"},
        {0.1 + 0.2, "0,3"}, // 15 digits hide the binary remainder
        {1.0 / 3, "0,333333333333333"},
        {123456789012345, "123456789012345"},
        {1e14, "100000000000000"},
        {1e15, "1E15"}, // integer part longer than 15 digits
        {1234567890123456, "1,23456789012346E15"},
        {0.0001, "0,0001"},
        // Fixed down to 0.00001, scientific below it.
        {5e-5, "0,00005"},
        {1e-5, "0,00001"},
        {-1.25e-5, "-0,0000125"},
        {9e-6, "9E-6"},
        {0.0000099999999999999999, "0,00001"}, // rounds up to the limit
        {-2.5e-7, "-2,5E-7"},
        {12.5, "12,5"},
        {std::numeric_limits<double>::infinity(), "INF"},
        {-std::numeric_limits<double>::infinity(), "-INF"},
        {std::nan(""), "NAN"},
    };
    for (const FloatWrite& row : rows) {
        SCOPED_TRACE(row.expected);
        EXPECT_EQ(platform::FloatToStr(row.value), u(row.expected));
    }
    const ScopedNumberFormat point(QLatin1Char('.'));
    EXPECT_EQ(platform::FloatToStr(12.5), u("12.5"));
}

TEST(FloatToStrF, FixedFormatWithPrecisionAndDigits)
{
    const ScopedNumberFormat comma(QLatin1Char(','));
    struct Row {
        double value;
        int precision;
        int digits;
        const char* expected;
    };
    const Row rows[] = {
        {42, 6, 2, "42,00"},
        {0, 6, 2, "0,00"},
        {0.5, 6, 2, "0,50"},
        {-3.14159, 6, 2, "-3,14"},
        {0.005, 6, 2, "0,01"}, // 0.005 lies a little above the half in binary
        {0.125, 6, 2, "0,12"}, // an exact half goes to even
        {-0.001, 6, 2, "0,00"}, // no minus sign on a zero result
        {123456, 6, 2, "123456,00"},
        {12345.678, 6, 2, "12345,70"}, // limited to six significant digits
        {999999.99, 6, 2, "1E06"}, // rounds up to seven integer digits
        {1234567, 6, 2, "1,23457E06"}, // integer part too long: scientific
        {42, 6, 0, "42"},
        {42.1f, 6, 2, "42,10"},
        {7, 2, 3, "7,000"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.expected);
        EXPECT_EQ(platform::FloatToStrF(row.value, platform::ffFixed, row.precision, row.digits),
            u(row.expected));
    }
    const ScopedNumberFormat point(QLatin1Char('.'));
    EXPECT_EQ(platform::FloatToStrF(42, platform::ffFixed, 6, 2), u("42.00"));
}

// Qt gives the C library the user's locale at start; under ru_RU.UTF-8 its own conversions
// write and expect a decimal comma. The program's conversions follow the program's format
// alone, whichever locale the C library has.
struct LocaleRow {
    const char* cLibraryLocale;
    char separator;
    const char* fixed; // FloatToStrF(42, ffFixed, 6, 2)
    const char* general; // FloatToStr(1234.5)
    const char* scientific; // FloatToStrF(1234567, ffFixed, 6, 2)
    const char* small; // FloatToStr(0.00005)
};

class UnderTheCLibrarysLocale : public ::testing::TestWithParam<LocaleRow> { };

TEST_P(UnderTheCLibrarysLocale, ConversionsFollowTheProgramsFormatAlone)
{
    const LocaleRow& row = GetParam();
    const ScopedCLibraryLocale cLibrary(row.cLibraryLocale);
    ASSERT_TRUE(cLibrary.applied()) << row.cLibraryLocale << " is missing: run scripts/setup";
    const ScopedNumberFormat format {QLatin1Char(row.separator)};
    EXPECT_EQ(platform::FloatToStrF(42, platform::ffFixed, 6, 2), u(row.fixed));
    EXPECT_EQ(platform::FloatToStr(1234.5), u(row.general));
    EXPECT_EQ(platform::FloatToStrF(1234567, platform::ffFixed, 6, 2), u(row.scientific));
    EXPECT_EQ(platform::FloatToStr(0.00005), u(row.small));
    EXPECT_EQ(platform::StrToFloat(u(row.fixed)), 42);
    EXPECT_EQ(platform::StrToFloat(u(row.general)), 1234.5);
    EXPECT_EQ(platform::StrToFloat(u(row.scientific)), 1234570);
    double value = 0;
    EXPECT_TRUE(platform::TryStrToFloat(u(row.small), value));
    EXPECT_EQ(value, 0.00005);
    EXPECT_EQ(platform::cFixedNotation(1234.5, 2), "1234.50");
    EXPECT_EQ(platform::cScientificNotation(1234.5, 2), "1.23e+03");
}

INSTANTIATE_TEST_SUITE_P(Locales, UnderTheCLibrarysLocale,
    ::testing::Values(LocaleRow {"ru_RU.UTF-8", ',', "42,00", "1234,5", "1,23457E06", "0,00005"},
        LocaleRow {"ru_RU.UTF-8", '.', "42.00", "1234.5", "1.23457E06", "0.00005"},
        LocaleRow {"C.UTF-8", ',', "42,00", "1234,5", "1,23457E06", "0,00005"},
        LocaleRow {"C.UTF-8", '.', "42.00", "1234.5", "1.23457E06", "0.00005"}),
    [](const auto& info) {
        return std::string(info.param.cLibraryLocale[0] == 'r' ? "Russian" : "C")
            + (info.param.separator == ',' ? "Comma" : "Point");
    });

TEST(NumberFormat, RussianLocaleGivesCommaAndRussianMonths)
{
    const platform::NumberFormat russian
        = platform::NumberFormat::fromLocale(QLocale(QLocale::Russian, QLocale::Russia));
    EXPECT_EQ(russian.decimalSeparator, QLatin1Char(','));
    ASSERT_EQ(russian.longMonthNames.size(), 12);
    EXPECT_EQ(russian.longMonthNames.front(), u("январь"));
    // The long date shows day, month and year as the desktop does, without the weekday.
    EXPECT_EQ(QLocale(QLocale::Russian, QLocale::Russia)
                  .toString(QDate(2016, 3, 5), russian.longDateFormat),
        u("5 марта 2016 г."));
    const platform::NumberFormat english = platform::NumberFormat::fromLocale(QLocale::c());
    EXPECT_EQ(english.decimalSeparator, QLatin1Char('.'));
    EXPECT_FALSE(english.longDateFormat.contains(u("dddd")));
}

} // namespace
