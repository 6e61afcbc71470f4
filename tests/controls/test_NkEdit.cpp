#include "controls/NKCtrls.h"
#include "platform/core/Exception.h"
#include "platform/core/NumberFormat.h"

#include <QApplication>
#include <QClipboard>
#include <QTest>

#include <gtest/gtest.h>

namespace {

QString u(const char* text) { return QString::fromUtf8(text); }

// One typed key on a numeric edit with the separator ','. `selection` is -1 for a plain
// caret at `caret`, otherwise the length of a selection starting there.
struct KeyCase {
    const char* name;
    const char* text;
    int caret;
    int selection;
    bool onlyPositive;
    int maxLenInt;
    int maxLenFrac;
    QChar key;
    const char* expected;
};

class NkKeyFilter : public ::testing::TestWithParam<KeyCase> { };

TEST_P(NkKeyFilter, TypedKey)
{
    const KeyCase& c = GetParam();
    const platform::ScopedNumberFormat comma(QLatin1Char(','));
    QWidget window;
    TNkEdit edit(&window);
    edit.SetOnlyPositive(c.onlyPositive);
    edit.SetMaxLenInt(c.maxLenInt);
    edit.SetMaxLenFrac(c.maxLenFrac);
    edit.SetText(u(c.text));
    window.show();
    QApplication::setActiveWindow(&window);
    edit.setFocus(Qt::MouseFocusReason);
    if (c.selection < 0)
        edit.setCursorPosition(c.caret);
    else
        edit.setSelection(c.caret, c.selection);
    QTest::keyClick(&edit, char(c.key.unicode()));
    EXPECT_EQ(edit.Text(), u(c.expected));
}

const QChar kComma(u',');
const QChar kPoint(u'.');

INSTANTIATE_TEST_SUITE_P(Cases, NkKeyFilter,
    ::testing::Values(KeyCase {"PointTypesTheSeparator", "42", 2, -1, true, 6, 2, kPoint, "42,"},
        KeyCase {"CommaTypesTheSeparator", "42", 2, -1, true, 6, 2, kComma, "42,"},
        KeyCase {"SecondSeparatorRefused", "42,5", 4, -1, true, 6, 2, kPoint, "42,5"},
        KeyCase {
            "SeparatorRefusedEvenOverSelectedSeparator", "42,5", 2, 1, true, 6, 2, kComma, "42,5"},
        KeyCase {"NoSeparatorWithoutFraction", "42", 2, -1, true, 6, 0, kComma, "42"},
        KeyCase {"SeparatorInMiddleAcceptedWhateverFollows", "12345", 2, -1, true, 6, 2, kComma,
            "12,345"},
        KeyCase {"FractionFullRefusesDigit", "42,00", 5, -1, true, 6, 2, QChar(u'5'), "42,00"},
        KeyCase {"FractionFullRefusesDigitRightAfterSeparator", "42,00", 3, -1, true, 6, 2,
            QChar(u'5'), "42,00"},
        KeyCase {"TooLongFractionRefusesDigit", "12,345", 6, -1, true, 6, 2, QChar(u'1'), "12,345"},
        KeyCase {"IntegerDigitBeforeSeparator", "42,00", 0, -1, true, 6, 2, QChar(u'1'), "142,00"},
        KeyCase {
            "SixthIntegerDigitAccepted", "12345,00", 5, -1, true, 6, 2, QChar(u'6'), "123456,00"},
        KeyCase {
            "SeventhIntegerDigitRefused", "123456,00", 0, -1, true, 6, 2, QChar(u'7'), "123456,00"},
        KeyCase {"SelectionIgnoredInTheCount", "123456", 0, 6, true, 6, 2, QChar(u'1'), "123456"},
        KeyCase {
            "IntegerCountWithoutSeparator", "12345", 5, -1, false, 6, 2, QChar(u'6'), "123456"},
        KeyCase {
            "MinusNotCountedAmongDigits", "-12345", 6, -1, false, 6, 2, QChar(u'6'), "-123456"},
        KeyCase {"MinusAndSixDigitsAreFull", "-123456", 7, -1, false, 6, 2, QChar(u'7'), "-123456"},
        KeyCase {"MinusAtStart", "42", 0, -1, false, 6, 2, QChar(u'-'), "-42"},
        KeyCase {"MinusElsewhereRefused", "42", 1, -1, false, 6, 2, QChar(u'-'), "42"},
        KeyCase {"SecondLeadingMinusRefused", "-42", 0, -1, false, 6, 2, QChar(u'-'), "-42"},
        KeyCase {"MinusRefusedWhenOnlyPositive", "42", 0, -1, true, 6, 2, QChar(u'-'), "42"},
        KeyCase {"LetterRefused", "42", 2, -1, true, 6, 2, QChar(u'a'), "42"},
        KeyCase {"BlankRefused", "42", 2, -1, true, 6, 2, QChar(u' '), "42"},
        KeyCase {"PlusRefused", "42", 0, -1, true, 6, 2, QChar(u'+'), "42"},
        KeyCase {"ExponentLetterRefused", "42", 2, -1, true, 6, 2, QChar(u'e'), "42"}),
    [](const auto& info) { return std::string(info.param.name); });

class NkEditTyping : public ::testing::Test {
protected:
    void SetUp() override
    {
        edit.SetOnlyPositive(true);
        window.show();
        QApplication::setActiveWindow(&window);
        edit.setFocus(Qt::MouseFocusReason);
    }

    const platform::ScopedNumberFormat comma {QLatin1Char(',')};
    QWidget window;
    TNkEdit edit {&window};
};

TEST_F(NkEditTyping, BackspaceStillDeletes)
{
    edit.SetText(u("42,5"));
    edit.setCursorPosition(4);
    QTest::keyClick(&edit, Qt::Key_Backspace);
    EXPECT_EQ(edit.Text(), u("42,"));
}

TEST_F(NkEditTyping, ClipboardShortcutsDoNothingButTheContextMenuPastesUnfiltered)
{
    QApplication::clipboard()->setText(u("abc"));
    edit.SetText(u("42"));
    edit.setCursorPosition(2);
    QTest::keyClicks(&edit, "5");
    for (const Qt::Key key : {Qt::Key_V, Qt::Key_C, Qt::Key_X, Qt::Key_Z, Qt::Key_A})
        QTest::keyClick(&edit, key, Qt::ControlModifier);
    EXPECT_EQ(edit.Text(), u("425"));
    EXPECT_FALSE(edit.hasSelectedText());
    // The context menu's Paste is the edit's paste().
    edit.paste();
    EXPECT_EQ(edit.Text(), u("425abc"));
}

TEST_F(NkEditTyping, EnterMovesToNextControlOrStays)
{
    TNkEdit next(&window);
    next.move(0, 30);
    next.show();
    QTest::keyClick(&edit, Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), &edit);
    edit.SetNextControl(&next);
    QTest::keyClick(&edit, Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), &next);
}

TEST_F(NkEditTyping, KeyPressEventGetsTheFilteredKeyBeforeInsertion)
{
    edit.SetText(u("42"));
    edit.setCursorPosition(2);
    QStringList seen;
    edit.OnKeyPress = [&](QChar& key) {
        seen.append(edit.Text() + QLatin1Char('|') + (key.isNull() ? u("refused") : QString(key)));
    };
    QTest::keyClicks(&edit, ".a5");
    EXPECT_EQ(seen, (QStringList {u("42|,"), u("42,|refused"), u("42,|5")}));
    EXPECT_EQ(edit.Text(), u("42,5"));
}

TEST(NkEditDefaults, CreatedWithZeroAndDefaultBounds)
{
    TNkEdit edit;
    EXPECT_EQ(edit.Text(), u("0"));
    EXPECT_EQ(edit.MaxLenInt(), 6);
    EXPECT_EQ(edit.MaxLenFrac(), 2);
    EXPECT_FALSE(edit.OnlyPositive());
    EXPECT_EQ(edit.NextControl(), nullptr);
}

struct ValueRead {
    const char* text;
    float value;
    const char* textAfter;
    int changes;
};

TEST(NkEditValue, ReadsUnderBothSeparators)
{
    for (const QChar separator : {QChar(u','), QChar(u'.')}) {
        const platform::ScopedNumberFormat format(separator);
        const QString s(separator);
        const ValueRead rows[] = {
            {"42", 42, "42", 0}, {"42#5", 42.5f, "42#5", 0},
            {"#", 0, "#", 0}, // a lone separator reads as 0 and stays
            {"abc", 0, "0", 1}, // no number: the text becomes "0"
            {"", 0, "0", 1}, {"0", 0, "0", 0}, {"1E3", 1000, "1E3", 0},
            {"0#1", 0.1f, "0#1", 0}, // nearest single-precision value
        };
        for (const ValueRead& row : rows) {
            const QString text = u(row.text).replace(QLatin1Char('#'), s);
            SCOPED_TRACE((s + QLatin1Char(' ') + text).toStdString());
            TNkEdit edit;
            edit.SetText(text);
            int changes = 0;
            edit.OnChange = [&] { ++changes; };
            EXPECT_EQ(edit.Value(), row.value);
            EXPECT_EQ(edit.Text(), u(row.textAfter).replace(QLatin1Char('#'), s));
            EXPECT_EQ(changes, row.changes);
        }
        // The other separator is no number here.
        TNkEdit edit;
        edit.SetText(separator == QLatin1Char(',') ? u("1.5") : u("1,5"));
        EXPECT_EQ(edit.Value(), 0);
        EXPECT_EQ(edit.Text(), u("0"));
    }
}

TEST(NkEditValue, NumberBeyondSinglePrecisionIsAnError)
{
    const platform::ScopedNumberFormat point(QLatin1Char('.'));
    TNkEdit edit;
    edit.SetText(u("1E300"));
    EXPECT_THROW(edit.Value(), platform::Exception);
    EXPECT_EQ(edit.Text(), u("1E300"));
}

TEST(NkEditValue, WritesFixedWithTheBounds)
{
    struct Row {
        float value;
        int maxLenInt;
        int maxLenFrac;
        const char* expected;
    };
    const Row rows[] = {
        {42, 6, 2, "42#00"},
        {0, 6, 2, "0#00"},
        {-1.5f, 6, 2, "-1#50"},
        {42.5f, 6, 0, "42"}, // an exact half rounds to even
        {123456, 6, 2, "123456#00"},
        {1234567, 6, 2, "1#23457E06"}, // integer part too long: scientific
        {0.1f, 6, 3, "0#100"},
    };
    for (const QChar separator : {QChar(u','), QChar(u'.')}) {
        const platform::ScopedNumberFormat format(separator);
        for (const Row& row : rows) {
            SCOPED_TRACE(row.expected);
            TNkEdit edit;
            edit.SetMaxLenInt(row.maxLenInt);
            edit.SetMaxLenFrac(row.maxLenFrac);
            QStringList changes;
            edit.OnChange = [&] { changes.append(edit.Text()); };
            edit.SetValue(row.value);
            const QString expected = u(row.expected).replace(QLatin1Char('#'), QString(separator));
            EXPECT_EQ(edit.Text(), expected);
            EXPECT_EQ(changes, QStringList {expected});
        }
    }
}

} // namespace
