#include "platform/core/Exception.h"
#include "platform/widgets/ComboBox.h"
#include "platform/widgets/Controls.h"
#include "platform/widgets/Edit.h"
#include "support/MessageRecorder.h"

#include <QApplication>
#include <QClipboard>
#include <QTest>

#include <gtest/gtest.h>

namespace {

QString u(const char* text) { return QString::fromUtf8(text); }

// An edit on a visible window, recording the text each change event sees.
class EditEvents : public ::testing::Test {
protected:
    void SetUp() override
    {
        edit.SetText(u("start"));
        edit.OnChange = [this] { seen.append(edit.Text()); };
        window.resize(200, 40);
        edit.setGeometry(0, 0, 150, 21);
        window.show();
        QApplication::setActiveWindow(&window);
        edit.setFocus(Qt::MouseFocusReason);
        edit.setCursorPosition(int(edit.Text().size()));
    }

    MessageRecorder recorder;
    QWidget window;
    platform::TEdit edit {&window};
    QStringList seen;
};

TEST_F(EditEvents, SettingTextByCodeRaisesChangeAtOnceOnlyWhenItDiffers)
{
    edit.SetText(u("other"));
    EXPECT_EQ(seen, QStringList {u("other")});
    edit.SetText(u("other"));
    EXPECT_EQ(seen, QStringList {u("other")});
}

TEST_F(EditEvents, ErrorInChangeHandlerReachesTheCodeThatSetTheText)
{
    edit.OnChange
        = [] { throw platform::EConvertError(u("'x' is not a valid floating point value")); };
    EXPECT_THROW(edit.SetText(u("x")), platform::EConvertError);
    EXPECT_TRUE(recorder.messages.isEmpty());
}

TEST_F(EditEvents, HandlerMaySetItsOwnTextAndRunsNested)
{
    edit.OnChange = [this] {
        seen.append(edit.Text());
        if (edit.Text().isEmpty())
            edit.SetText(u("0"));
    };
    edit.SetText(QString());
    EXPECT_EQ(seen, (QStringList {QString(), u("0")}));
    EXPECT_EQ(edit.Text(), u("0"));
}

TEST_F(EditEvents, TypingRaisesChangePerKeyAndErrorsGoToTheErrorBox)
{
    QTest::keyClicks(&edit, "ab");
    EXPECT_EQ(seen, (QStringList {u("starta"), u("startab")}));

    edit.OnChange = [] { throw platform::Exception(u("Ошибка")); };
    QTest::keyClick(&edit, 'c');
    EXPECT_EQ(edit.Text(), u("startabc"));
    EXPECT_EQ(recorder.texts(), QStringList {u("Ошибка.")});
}

TEST_F(EditEvents, KeyPressSeesTheTextBeforeTheKeyAndMayReplaceOrRefuseIt)
{
    QStringList before;
    edit.OnKeyPress = [&](QChar& key) {
        before.append(edit.Text());
        if (key == QLatin1Char('a'))
            key = QLatin1Char('b');
        else if (key == QLatin1Char('z'))
            key = QChar();
    };
    QTest::keyClicks(&edit, "az");
    EXPECT_EQ(before, (QStringList {u("start"), u("startb")}));
    EXPECT_EQ(edit.Text(), u("startb"));
    EXPECT_EQ(seen, QStringList {u("startb")});
}

TEST_F(EditEvents, ClipboardShortcutsArriveAsControlCodes)
{
    QList<int> codes;
    edit.OnKeyPress = [&](QChar& key) { codes.append(key.unicode()); };
    QApplication::clipboard()->setText(u("XY"));
    QTest::keyClick(&edit, Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(&edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(&edit, Qt::Key_Backspace);
    EXPECT_EQ(codes, (QList<int> {22, 1, 8}));
    EXPECT_EQ(edit.Text(), QString()); // pasted, all selected, deleted
}

TEST_F(EditEvents, LengthLimitCutsWhatTheOperatorPastesButNotTextSetByCode)
{
    edit.SetMaxLength(4);
    edit.SetText(u("АБ"));
    seen.clear();
    QApplication::clipboard()->setText(u("12-345678"));
    edit.setCursorPosition(1);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(edit.Text(), u("А12Б"));
    EXPECT_EQ(edit.cursorPosition(), 3);
    EXPECT_EQ(seen, QStringList {u("А12Б")}) << "the change event sees the cut text only";

    // The context menu's paste, over a selection.
    edit.setSelection(1, 3);
    edit.paste();
    EXPECT_EQ(edit.Text(), u("А12-"));
    // A full field takes nothing more.
    edit.setCursorPosition(4);
    edit.paste();
    EXPECT_EQ(edit.Text(), u("А12-"));
    // Text set by code stays whole; a paste into it inserts nothing, deleting still works.
    edit.SetText(u("АБ12-345"));
    edit.setCursorPosition(2);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(edit.Text(), u("АБ12-345"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backspace);
    EXPECT_EQ(edit.Text(), u("А12-345"));
    // Without a limit everything is pasted.
    edit.SetMaxLength(0);
    edit.SetText(QString());
    edit.paste();
    EXPECT_EQ(edit.Text(), u("12-345678"));
}

// A paste keeps the first line, as the desktop's single-line edit pastes it; a tab becomes a
// blank and other control characters are dropped, so the field never holds one.
struct PasteCase {
    const char* name;
    const char* clipboard;
    const char* kept;
};

class EditPaste : public EditEvents, public ::testing::WithParamInterface<PasteCase> { };

TEST_P(EditPaste, KeepsOneLineWithoutControlCharacters)
{
    QApplication::clipboard()->setText(u(GetParam().clipboard));
    for (const bool keyboard : {true, false}) {
        SCOPED_TRACE(keyboard ? "Ctrl+V" : "context menu");
        edit.SetText(u("АБ"));
        edit.setCursorPosition(1);
        seen.clear();
        if (keyboard)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_V, Qt::ControlModifier);
        else
            edit.paste();
        const QString expected = u("А") + u(GetParam().kept) + u("Б");
        EXPECT_EQ(edit.Text(), expected);
        EXPECT_EQ(edit.cursorPosition(), expected.size() - 1);
        // The change event sees the kept text only, and nothing when nothing was kept.
        EXPECT_EQ(seen, expected == u("АБ") ? QStringList() : QStringList {expected});
    }
}

INSTANTIATE_TEST_SUITE_P(Clipboard, EditPaste,
    ::testing::Values(PasteCase {"LinesOfASettingsFile",
                          "г. Казань\r\n[Страница]\r\nЛевое_поле=100", "г. Казань"},
        PasteCase {"TwoLineName", "ООО \"Автошкола\"\nфилиал", "ООО \"Автошкола\""},
        PasteCase {"OldMacLineEnd", "Казань\rМосква", "Казань"},
        PasteCase {"UnicodeLineSeparator", "Казань\u2028Москва", "Казань"},
        PasteCase {"SpreadsheetCells", "Казань\tМосква\r\n", "Казань Москва"},
        PasteCase {"ControlCharacters", "Ка\x01за\x1Bнь\x7F", "Казань"},
        PasteCase {"EmptyFirstLine", "\r\nКазань", ""}),
    [](const auto& info) { return std::string(info.param.name); });

// A field emptied by code (as a click on a placeholder empties it) still cuts a paste to its
// limit: the emptied text is null, which the cut once took for no text at all.
TEST_F(EditEvents, LengthLimitCutsAPasteIntoAFieldEmptiedByCode)
{
    edit.SetMaxLength(4);
    edit.SetText(QString());
    QApplication::clipboard()->setText(u("12-345678"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(edit.Text(), u("12-3"));
    edit.SetText(QString());
    edit.paste();
    EXPECT_EQ(edit.Text(), u("12-3"));
}

TEST_F(EditEvents, TextSetByCodeJoinsItsLines)
{
    edit.SetText(u("ООО \"Автошкола\"\r\nфилиал\nв\tг.\x01 Казани"));
    EXPECT_EQ(edit.Text(), u("ООО \"Автошкола\" филиал в г. Казани"));
    EXPECT_EQ(seen, QStringList {edit.Text()});
    // The same text again changes nothing.
    edit.SetText(u("ООО \"Автошкола\"\nфилиал\rв\tг. Казани"));
    EXPECT_EQ(seen.size(), 1);
}

TEST_F(EditEvents, LengthLimitBindsTypingOnly)
{
    edit.SetMaxLength(4);
    edit.SetText(u("abc"));
    edit.setCursorPosition(3);
    QTest::keyClicks(&edit, "de");
    EXPECT_EQ(edit.Text(), u("abcd"));
    edit.selectAll();
    QTest::keyClick(&edit, 'z');
    EXPECT_EQ(edit.Text(), u("z"));
    edit.SetText(u("longer text"));
    EXPECT_EQ(edit.Text(), u("longer text"));
}

TEST_F(EditEvents, ClickAndExitHandlers)
{
    int clicks = 0;
    int exits = 0;
    edit.OnClick = [&] { ++clicks; };
    edit.OnExit = [&] { ++exits; };
    platform::TEdit other(&window);
    other.setGeometry(0, 21, 150, 21);
    other.show();
    QTest::mouseClick(&edit, Qt::LeftButton);
    EXPECT_EQ(clicks, 1);
    other.setFocus(Qt::TabFocusReason);
    EXPECT_EQ(exits, 1);
    // Entering by keyboard selects the whole text.
    edit.setFocus(Qt::TabFocusReason);
    EXPECT_EQ(edit.selectedText(), edit.Text());
}

TEST(SpeedButton, NeverTakesTheFocus)
{
    QWidget window;
    platform::TEdit edit(&window);
    platform::TSpeedButton button(&window);
    button.move(0, 30);
    int clicks = 0;
    int exits = 0;
    button.OnClick = [&] { ++clicks; };
    edit.OnExit = [&] { ++exits; };
    window.show();
    QApplication::setActiveWindow(&window);
    edit.setFocus();
    QTest::mouseClick(&button, Qt::LeftButton);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(exits, 0);
    EXPECT_EQ(QApplication::focusWidget(), &edit);
    EXPECT_EQ(button.text(), u("?"));
}

class ComboEvents : public ::testing::Test {
protected:
    void SetUp() override
    {
        combo.SetItems({u("один"), u("два"), u("три")});
        combo.SetItemIndex(0);
        combo.OnChange = [this] { seen.append(combo.Text()); };
        window.resize(200, 40);
        window.show();
        QApplication::setActiveWindow(&window);
        combo.setFocus();
    }

    MessageRecorder recorder;
    QWidget window;
    platform::TComboBox combo {&window};
    QStringList seen;
};

TEST_F(ComboEvents, SelectingByCodeRaisesNothingSettingTextDoes)
{
    combo.SetItemIndex(2);
    EXPECT_EQ(combo.Text(), u("три"));
    EXPECT_TRUE(seen.isEmpty());
    combo.SetText(u("свой текст"));
    combo.SetText(u("свой текст"));
    EXPECT_EQ(seen, QStringList {u("свой текст")});
    EXPECT_EQ(combo.count(), 3);
}

TEST_F(ComboEvents, TextOnlyShowsTextWithoutSelection)
{
    combo.SetItemIndex(-1);
    combo.SetText(u("два"));
    EXPECT_EQ(combo.ItemIndex(), -1);
    EXPECT_EQ(combo.Text(), u("два"));
}

TEST_F(ComboEvents, OperatorPicksAndTypesRaiseChange)
{
    QTest::keyClick(&combo, Qt::Key_Down);
    EXPECT_EQ(combo.ItemIndex(), 1);
    ASSERT_FALSE(seen.isEmpty());
    EXPECT_EQ(seen.back(), u("два"));

    seen.clear();
    combo.lineEdit()->end(false);
    QTest::keyClick(&combo, 'x');
    EXPECT_EQ(seen, QStringList {u("дваx")});
}

TEST(Combo, DropsEightRowsUnsortedAndNeverAddsTypedText)
{
    platform::TComboBox combo;
    combo.SetItems({u("b"), u("a")});
    EXPECT_EQ(combo.maxVisibleItems(), 8);
    EXPECT_EQ(combo.itemText(0), u("b"));
    EXPECT_TRUE(combo.isEditable());
    EXPECT_EQ(combo.insertPolicy(), QComboBox::NoInsert);
}

} // namespace
