#include "report/engine/rpExpression.h"
#include "report/engine/rpFormat.h"

#include "platform/core/NumberFormat.h"
#include "support/CLibraryLocale.h"

#include <gtest/gtest.h>

namespace {

// The Russian desktop's formats, whatever the machine's locale.
platform::NumberFormat russian()
{
    platform::NumberFormat format;
    format.decimalSeparator = u',';
    format.thousandSeparator = QChar(0x00A0);
    format.shortDateFormat = QStringLiteral("dd.MM.yyyy");
    format.longTimeFormat = QStringLiteral("H:mm:ss");
    format.longMonthNames = QStringList {"январь", "февраль", "март", "апрель", "май", "июнь",
        "июль", "август", "сентябрь", "октябрь", "ноябрь", "декабрь"};
    return format;
}

TrpSystemVariables variables()
{
    TrpSystemVariables v;
    v.start = QDateTime(QDate(2024, 12, 10), QTime(9, 5, 7));
    v.page = 3;
    v.pageAbsolute = 7;
    v.totalPages = 0;
    v.line = 1;
    v.lineAbsolute = 1;
    v.copyName = QStringLiteral("Copy");
    return v;
}

// Every comparison operator just below, at and just above equality, on whole numbers,
// fractions, a whole number against a fraction, and texts.
TEST(Evaluation, ComparisonsAtAndAroundEquality)
{
    const platform::ScopedNumberFormat format {russian()};
    struct Operator {
        const char* text;
        bool (*holds)(int order); // order: the left side is below (-1), at (0), above (1)
    };
    const Operator operators[] = {
        {"=", [](int order) { return order == 0; }},
        {"<>", [](int order) { return order != 0; }},
        {"<", [](int order) { return order < 0; }},
        {">", [](int order) { return order > 0; }},
        {"<=", [](int order) { return order <= 0; }},
        {">=", [](int order) { return order >= 0; }},
    };
    struct Sides {
        const char* below;
        const char* equal;
        const char* above;
        const char* right;
    };
    const Sides sides[] = {
        {"1", "2", "3", "2"},
        {"2.49", "2.5", "2.51", "2.5"},
        {"1.5", "2", "2.5", "2"},
        {"Page - 1", "Page", "Page + 1", "3"},
        {"'аб'", "'абв'", "'абг'", "'абв'"},
    };
    for (const Operator& op : operators) {
        for (const Sides& side : sides) {
            const std::pair<const char*, int> lefts[]
                = {{side.below, -1}, {side.equal, 0}, {side.above, 1}};
            for (const auto& [left, order] : lefts) {
                const QString expression
                    = QString::fromUtf8("(%1) %2 %3")
                          .arg(QString::fromUtf8(left), QString::fromLatin1(op.text),
                              QString::fromUtf8(side.right));
                EXPECT_EQ(rpEvaluate(expression, variables()).toText(),
                    op.holds(order) ? QStringLiteral("True") : QStringLiteral("False"))
                    << expression.toStdString();
            }
        }
    }
}

struct EvaluationCase {
    const char* name;
    const char16_t* expression;
    const char16_t* text; // the value as plain text
};

class Evaluation : public ::testing::TestWithParam<EvaluationCase> {
protected:
    platform::ScopedNumberFormat format {russian()};
};

TEST_P(Evaluation, GivesTheValue)
{
    const QString expression = QString::fromUtf16(GetParam().expression);
    EXPECT_EQ(rpEvaluate(expression, variables()).toText(), QString::fromUtf16(GetParam().text))
        << expression.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Expressions, Evaluation,
    ::testing::Values(
        // Literals.
        EvaluationCase {"Integer", u"42", u"42"},
        EvaluationCase {"FloatInTheProgramsFormat", u"2.5", u"2,5"},
        EvaluationCase {"Exponent", u"1e3", u"1000"},
        EvaluationCase {"Hexadecimal", u"$FF", u"255"},
        EvaluationCase {"SingleQuotedWithDoubledQuote", u"'It''s'", u"It's"},
        EvaluationCase {"DoubleQuoted", u"\"say \"\"hi\"\"\"", u"say \"hi\""},
        EvaluationCase {"Cyrillic", u"'Иванов'", u"Иванов"},
        EvaluationCase {"True", u"True", u"True"},
        // Arithmetic, Pascal's precedence.
        EvaluationCase {"Precedence", u"1 + 2 * 3", u"7"},
        EvaluationCase {"Parentheses", u"(1 + 2) * 3", u"9"},
        EvaluationCase {"SlashGivesAFloat", u"1 / 4", u"0,25"},
        EvaluationCase {"Div", u"7 div 2", u"3"}, EvaluationCase {"Mod", u"7 mod 2", u"1"},
        EvaluationCase {"UnaryMinus", u"-(2 - 5)", u"3"},
        EvaluationCase {
            "IntegerOverflowBecomesFloat", u"9223372036854775807 + 1", u"9,22337203685478E18"},
        EvaluationCase {"SpacesTabsAndLineBreaks", u"\t1 +\r\n 1\r", u"2"},
        // Text.
        EvaluationCase {"Concatenation", u"'Стр. ' + 'один'", u"Стр. один"},
        EvaluationCase {"TextAndNumber", u"'Стр. ' + Page", u"Стр. 3"},
        // Comparison and logic.
        EvaluationCase {"Less", u"1 < 2", u"True"},
        EvaluationCase {"NotEqualTexts", u"'a' <> 'b'", u"True"},
        EvaluationCase {"ComparisonsInParentheses", u"(1 = 1) and (2 > 3)", u"False"},
        EvaluationCase {"Not", u"not (1 = 1)", u"False"},
        EvaluationCase {"BitwiseOnIntegers", u"6 and 3", u"2"},
        // System variables, in any letter case.
        EvaluationCase {"Date", u"Date", u"10.12.2024"},
        EvaluationCase {"Time", u"time", u"9:05:07"}, EvaluationCase {"Page", u"Page", u"3"},
        EvaluationCase {"PageAbsolute", u"PAGE#", u"7"},
        EvaluationCase {"TotalPagesInOnePass", u"TotalPages", u"0"},
        EvaluationCase {"Line", u"Line#", u"1"}, EvaluationCase {"CopyName", u"CopyName#", u"Copy"},
        EvaluationCase {"Tomorrow", u"Date + 1", u"11.12.2024"},
        EvaluationCase {"DaysBetweenDates", u"Date - (Date - 3)", u"3"},
        // Functions.
        EvaluationCase {"IIF", u"IIF(Page > 1, 'many', 'one')", u"many"},
        EvaluationCase {"UpperCase", u"UpperCase('иванов')", u"ИВАНОВ"},
        EvaluationCase {"LowerCase", u"LowerCase('ABC')", u"abc"},
        EvaluationCase {"Trim", u"Trim('  a  ')", u"a"},
        EvaluationCase {"Length", u"Length('абв')", u"3"},
        EvaluationCase {"Copy", u"Copy('водитель', 1, 4)", u"води"},
        EvaluationCase {"CopyBeyondTheEnd", u"Copy('ab', 2, 100)", u"b"},
        EvaluationCase {"Pos", u"Pos('и', 'водитель')", u"4"},
        EvaluationCase {"IntToStr", u"IntToStr(12) + '3'", u"123"},
        EvaluationCase {"StrToFloat", u"StrToFloat('1,5') * 2", u"3"},
        EvaluationCase {"RoundTiesToEven", u"Round(2.5) + Round(3.5)", u"6"},
        EvaluationCase {"Trunc", u"Trunc(-2.7)", u"-2"}, EvaluationCase {"Abs", u"Abs(-4)", u"4"},
        EvaluationCase {"Max", u"Max(3, 7)", u"7"},
        EvaluationCase {"FormatFloat", u"FormatFloat('#,##0.00', 1234.5)", u"1\u00A0234,50"},
        EvaluationCase {
            "FormatDateTime", u"FormatDateTime('d mmmm yyyy', Date)", u"10 декабрь 2024"},
        EvaluationCase {"YearOf", u"YearOf(Date)", u"2024"},
        EvaluationCase {"CaseOfFunctionNames", u"uppercase('a')", u"A"}),
    [](const auto& info) { return std::string(info.param.name); });

struct ErrorCase {
    const char* name;
    QString expression;
    const char* message;
};

class EvaluationError : public ::testing::TestWithParam<ErrorCase> { };

TEST_P(EvaluationError, IsReportedWithAClearMessage)
{
    try {
        rpEvaluate(GetParam().expression, variables());
        FAIL() << "evaluated " << GetParam().expression.left(80).toStdString();
    } catch (const EExpressionError& e) {
        EXPECT_EQ(e.message(), QString::fromUtf8(GetParam().message));
    }
}

INSTANTIATE_TEST_SUITE_P(Expressions, EvaluationError,
    ::testing::Values(
        ErrorCase {"UnknownName", QStringLiteral("Сидоров"), "Undeclared identifier: 'Сидоров'"},
        ErrorCase {
            "UnknownFunction", QStringLiteral("Exec('rm')"), "Undeclared identifier: 'Exec'"},
        ErrorCase {"MissingOperand", QStringLiteral("1 +"), "Expression expected"},
        ErrorCase {"MissingOperator", QStringLiteral("1 2"), "Unexpected \"2\""},
        ErrorCase {"UnclosedParenthesis", QStringLiteral("(1 + 2"),
            "\")\" expected but \"end of expression\" found"},
        ErrorCase {"UnterminatedString", QStringLiteral("'abc"), "Unterminated string"},
        ErrorCase {"InvalidCharacter", QStringLiteral("1 ; 2"), "Invalid character \";\""},
        ErrorCase {"DivisionByZero", QStringLiteral("1 / 0"), "Division by zero"},
        ErrorCase {"IntegerDivisionByZero", QStringLiteral("1 div 0"), "Division by zero"},
        ErrorCase {"TextMinusNumber", QStringLiteral("'a' - 1"),
            "Incompatible types: 'String' and 'Integer'"},
        ErrorCase {"TextComparedWithNumber", QStringLiteral("'1' = 1"),
            "Incompatible types: 'String' and 'Integer'"},
        ErrorCase {
            "WrongArgumentCount", QStringLiteral("Copy('a')"), "Copy expects 3 argument(s), not 1"},
        ErrorCase {"FloatOverflow", QStringLiteral("1e308 * 10"), "Floating point overflow"},
        ErrorCase {"RoundOverflow", QStringLiteral("Round(1e300)"), "Integer overflow"},
        ErrorCase {
            "BadNumberText", QStringLiteral("StrToInt('x')"), "'x' is not a valid integer value"},
        ErrorCase {"DeepParentheses", QString(100000, u'(') + u'1' + QString(100000, u')'),
            "Expression is too long"},
        ErrorCase {"DeepButShort", QString(2000, u'(') + u'1' + QString(2000, u')'),
            "Expression is nested too deeply"},
        ErrorCase {"ManyUnaryMinus", QString(3000, u'-') + u'1', "Expression is nested too deeply"},
        ErrorCase {"ManyNots", QStringLiteral("not ").repeated(1000) + QStringLiteral("True"),
            "Expression is nested too deeply"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Evaluation, DivisionByZeroGivesZeroWhenTheEngineIgnoresIt)
{
    TrpSystemVariables v = variables();
    v.ignoreDivByZero = true;
    EXPECT_EQ(rpEvaluate(QStringLiteral("5 / 0"), v).toText(), QStringLiteral("0"));
}

struct ExpansionCase {
    const char* name;
    const char16_t* text;
    const char16_t* expanded;
    const char16_t* delimiters = u"[,]";
};

class Expansion : public ::testing::TestWithParam<ExpansionCase> {
protected:
    platform::ScopedNumberFormat format {russian()};
};

TEST_P(Expansion, ReplacesEveryExpressionByItsValue)
{
    EXPECT_EQ(rpExpandExpressions(QString::fromUtf16(GetParam().text),
                  QString::fromUtf16(GetParam().delimiters), variables()),
        QString::fromUtf16(GetParam().expanded));
}

INSTANTIATE_TEST_SUITE_P(Texts, Expansion,
    ::testing::Values(ExpansionCase {"NoDelimiterNoChange", u"Иванов ] (1 + 1) 'x\r\n",
                          u"Иванов ] (1 + 1) 'x\r\n"},
        ExpansionCase {"OneExpression", u"Стр. [Page]\r\n", u"Стр. 3\r\n"},
        ExpansionCase {"Several", u"[Page] из [Page#]\r\n", u"3 из 7\r\n"},
        ExpansionCase {"DateOfPreparation", u"[Date]\r\n", u"10.12.2024\r\n"},
        ExpansionCase {"NestingIsCounted", u"[Length('[]')]\r\n", u"2\r\n"},
        ExpansionCase {"NestedBracketsInAnExpression", u"[IIF(1 < 2, '[a]', 'b')]\r\n", u"[a]\r\n"},
        ExpansionCase {"DelimitersInQuotesAreText", u"['a]b']\r\n", u"a]b\r\n"},
        ExpansionCase {"InsertedValueIsNotScannedAgain", u"['[Page]'][Page]\r\n", u"[Page]3\r\n"},
        ExpansionCase {
            "UnclosedTakesTheRestButTheLastCharacter", u"Итого: [1 + 2\r\n", u"Итого: 3"},
        ExpansionCase {"UnclosedOverSeveralLines", u"a [1 +\r\n2\r\n", u"a 3"},
        ExpansionCase {"EmptyExpressionIsEmpty", u"a[]b\r\n", u"ab\r\n"},
        ExpansionCase {"OpeningDelimiterAtTheVeryEnd", u"a[", u"a"},
        ExpansionCase {
            "TotalPagesStaysForDrawing", u"[Page] / [TotalPages#]\r\n", u"3 / [TOTALPAGES#]\r\n"},
        ExpansionCase {"CopyNameStaysForDrawing", u"[ copyname# ]\r\n", u"[COPYNAME#]\r\n"},
        ExpansionCase {"NumberFormatSuffix", u"[1/3 #n%2.2f]\r\n", u"0,33\r\n"},
        ExpansionCase {"NumberPictureSuffix", u"[1234.5 #n#,##0.0]\r\n", u"1\u00A0234,5\r\n"},
        ExpansionCase {"DateFormatSuffix", u"[Date #ddd.mm.yyyy]\r\n", u"10.12.2024\r\n"},
        ExpansionCase {"BooleanFormatSuffix", u"[Page > 1 #bнет,да]\r\n", u"да\r\n"},
        ExpansionCase {"SuffixInsideQuotesIsText", u"[' #n']\r\n", u" #n\r\n"},
        ExpansionCase {"OtherDelimiters", u"<%Page%> [Page]\r\n", u"3 [Page]\r\n", u"<%,%>"},
        ExpansionCase {"SameOpeningAndClosing", u"|Page| |Page#|\r\n", u"3 7\r\n", u"|,|"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Expansion, AnExpressionThatFailsRaisesItsMessage)
{
    EXPECT_THROW(
        rpExpandExpressions(QStringLiteral("a [1 +] b\r\n"), QStringLiteral("[,]"), variables()),
        EExpressionError);
}

TEST(Expansion, HugeTextsStayLinear)
{
    // Half a million expressions in one text: every one evaluated once, none scanned again.
    const QString text = QStringLiteral("[1]").repeated(500000);
    EXPECT_EQ(rpExpandExpressions(text, QStringLiteral("[,]"), variables()), QString(500000, u'1'));
    // An opening delimiter with nothing to close it takes all the rest as one expression,
    // which is too long.
    EXPECT_THROW(rpExpandExpressions(QString(1000000, u'['), QStringLiteral("[,]"), variables()),
        EExpressionError);
}

TEST(Formats, NumbersDatesAndBooleans)
{
    const platform::ScopedNumberFormat format(russian());
    EXPECT_EQ(rpFormatValue(TrpValue::number(3.14159), fkNumeric, QStringLiteral("%2.2f")),
        QStringLiteral("3,14"));
    EXPECT_EQ(
        rpFormatValue(TrpValue::number(2.5), fkNumeric, QStringLiteral("%d")), QStringLiteral("2"));
    EXPECT_EQ(rpFormatValue(TrpValue::integer(7), fkNumeric, QStringLiteral("%3.2d")),
        QStringLiteral(" 07"));
    EXPECT_EQ(rpFormatValue(TrpValue::number(-1234567.891), fkNumeric, QStringLiteral("%n")),
        QStringLiteral("-1\u00A0234\u00A0567,89"));
    EXPECT_EQ(rpFormatValue(TrpValue::number(1500), fkNumeric, QStringLiteral("%e")),
        QStringLiteral("1,50000000000000E+003"));
    EXPECT_EQ(rpFormatValue(TrpValue::number(0.5), fkNumeric, QStringLiteral("0.00")),
        QStringLiteral("0,50"));
    EXPECT_EQ(rpFormatValue(TrpValue::number(-2), fkNumeric, QStringLiteral("0;(0)")),
        QStringLiteral("(2)"));
    EXPECT_EQ(rpFormatValue(TrpValue::number(0), fkNumeric, QStringLiteral("0;-0;'нуль'")),
        QStringLiteral("нуль"));
    EXPECT_EQ(rpFormatValue(TrpValue::number(-0.001), fkNumeric, QStringLiteral("0.00")),
        QStringLiteral("0,00"));
    EXPECT_EQ(rpFormatValue(TrpValue::string(QStringLiteral("x")), fkText, QString()),
        QStringLiteral("x"));
    EXPECT_EQ(rpFormatValue(TrpValue::boolean(false), fkBoolean, QStringLiteral("нет,да")),
        QStringLiteral("нет"));
    const double day = rpDateToDays(QDate(2024, 3, 8)) + rpTimeToDays(QTime(14, 30, 0));
    EXPECT_EQ(rpFormatValue(TrpValue::dateTime(day, TrpValue::DateTime), fkDateTime,
                  QStringLiteral("dd/mm/yy hh:nn 'ч'")),
        QStringLiteral("08.03.24 14:30 ч"));
    EXPECT_EQ(rpFormatValue(
                  TrpValue::dateTime(day, TrpValue::DateTime), fkDateTime, QStringLiteral("h:mm")),
        QStringLiteral("14:30"))
        << "m right after an hour is the minute";
}

// The engine's formats follow the program's number format alone, whichever locale the C
// library has (Qt gives it the user's at start: under ru_RU.UTF-8 it writes decimal commas).
TEST(Formats, FollowTheProgramsFormatWhateverTheCLibrarysLocale)
{
    platform::NumberFormat english = russian();
    english.decimalSeparator = u'.';
    english.thousandSeparator = u',';
    for (const char* cLibraryLocale : {"ru_RU.UTF-8", "C.UTF-8"}) {
        SCOPED_TRACE(cLibraryLocale);
        const ScopedCLibraryLocale cLibrary(cLibraryLocale);
        ASSERT_TRUE(cLibrary.applied()) << "the locale is missing: run scripts/setup";
        {
            const platform::ScopedNumberFormat format(russian());
            EXPECT_EQ(
                rpFormatFloat(QStringLiteral("#,##0.00"), 1234.5), QStringLiteral("1\u00A0234,50"));
            EXPECT_EQ(
                rpEvaluate(QStringLiteral("FormatFloat('#,##0.00', 1234.5)"), variables()).toText(),
                QStringLiteral("1\u00A0234,50"));
            EXPECT_EQ(rpFormatValue(TrpValue::number(3.14159), fkNumeric, QStringLiteral("%2.2f")),
                QStringLiteral("3,14"));
            EXPECT_EQ(
                rpFormatValue(TrpValue::number(-1234567.891), fkNumeric, QStringLiteral("%n")),
                QStringLiteral("-1\u00A0234\u00A0567,89"));
            EXPECT_EQ(rpFormatValue(TrpValue::number(1500), fkNumeric, QStringLiteral("%.3e")),
                QStringLiteral("1,50E+003"));
            EXPECT_EQ(rpEvaluate(QStringLiteral("2.5 * 2 + 0.25"), variables()).toText(),
                QStringLiteral("5,25"));
        }
        const platform::ScopedNumberFormat format(english);
        EXPECT_EQ(rpFormatFloat(QStringLiteral("#,##0.00"), 1234.5), QStringLiteral("1,234.50"));
        EXPECT_EQ(rpFormatValue(TrpValue::number(3.14159), fkNumeric, QStringLiteral("%2.2f")),
            QStringLiteral("3.14"));
        EXPECT_EQ(rpFormatValue(TrpValue::number(1500), fkNumeric, QStringLiteral("%.3e")),
            QStringLiteral("1.50E+003"));
        EXPECT_EQ(rpEvaluate(QStringLiteral("2.5 * 2 + 0.25"), variables()).toText(),
            QStringLiteral("5.25"));
    }
}

TEST(Formats, ImpossibleFormatsAreErrorsNotHugeTexts)
{
    const platform::ScopedNumberFormat format(russian());
    EXPECT_THROW(rpFormatValue(TrpValue::number(1), fkNumeric, QStringLiteral("%999999999.2f")),
        EExpressionError);
    EXPECT_THROW(rpFormatValue(TrpValue::number(1), fkNumeric, QStringLiteral("%2.2f %2.2f")),
        EExpressionError);
    EXPECT_THROW(
        rpFormatValue(TrpValue::number(1), fkNumeric, QString(200, u'0')), EExpressionError);
    EXPECT_THROW(
        rpFormatValue(TrpValue::string(QStringLiteral("abc")), fkNumeric, QStringLiteral("%2.2f")),
        EExpressionError);
    EXPECT_THROW(
        rpFormatValue(TrpValue::number(1e300), fkDateTime, QStringLiteral("dd")), EExpressionError);
}

} // namespace
