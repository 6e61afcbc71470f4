#include "MainWindowFixture.h"

#include "app/logic/Placeholders.h"

#include <QClipboard>
#include <QWindow>

namespace {

class Placeholders : public MainWindowTest { };

TEST_F(Placeholders, ClickEmptiesThePlaceholderAndLeavingEmptyRestoresIt)
{
    struct Field {
        platform::TEdit* edit;
        const QString& placeholder;
    };
    const Field fields[] = {
        {main().Edit_01, placeholders::kSchoolName},
        {main().edit_02, placeholders::kSchoolName},
        {main().edit_03, placeholders::kLocality},
        {main().edit_04, placeholders::kSeries},
        {main().Edit_05, placeholders::kGraduate},
        {main().Edit_27, placeholders::kHead},
    };
    for (const Field& f : fields) {
        SCOPED_TRACE(f.edit->objectName().toStdString());
        EXPECT_EQ(f.edit->Text(), f.placeholder);
        EXPECT_EQ(f.edit->FontColor(), placeholders::kGrey);

        QTest::mouseClick(f.edit, Qt::LeftButton);
        EXPECT_EQ(f.edit->Text(), QString());
        EXPECT_EQ(f.edit->FontColor(), placeholders::kBlack);

        QTest::keyClick(f.edit, Qt::Key_Tab);
        EXPECT_NE(QApplication::focusWidget(), f.edit);
        EXPECT_EQ(f.edit->Text(), f.placeholder);
        EXPECT_EQ(f.edit->FontColor(), placeholders::kGrey);
    }
}

TEST_F(Placeholders, ClickIntoFilledFieldChangesNothing)
{
    main().Edit_05->SetText(u("Петров Пётр Петрович"));
    QTest::mouseClick(main().Edit_05, Qt::LeftButton);
    EXPECT_EQ(main().Edit_05->Text(), u("Петров Пётр Петрович"));
    EXPECT_EQ(main().Edit_05->FontColor(), placeholders::kGrey);

    // Only the exact placeholder is cleared: other case or blanks count as filled in.
    main().edit_03->SetText(u("наименование населенного пункта"));
    QTest::mouseClick(main().edit_03, Qt::LeftButton);
    EXPECT_EQ(main().edit_03->Text(), u("наименование населенного пункта"));
}

TEST_F(Placeholders, TabDoesNotClearAndTypedTextStaysGrey)
{
    main().Edit_05->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(main().Edit_05->selectedText(), placeholders::kGraduate);
    QTest::keyClicks(main().Edit_05, "Ivanov");
    EXPECT_EQ(main().Edit_05->Text(), u("Ivanov"));
    EXPECT_EQ(main().Edit_05->FontColor(), placeholders::kGrey);
}

TEST_F(Placeholders, TypingThePlaceholderAgainMakesItClearable)
{
    QTest::mouseClick(main().Edit_27, Qt::LeftButton);
    type(main().Edit_27, u("Иванов И.И."));
    QTest::keyClick(main().Edit_27, Qt::Key_Tab);
    QTest::mouseClick(main().Edit_27, Qt::LeftButton);
    EXPECT_EQ(main().Edit_27->Text(), QString());
}

// The series takes four characters however the operator enters the field and pastes.
enum class Entry { Tab, ClickOnPlaceholder, ClickOnText };
enum class Paste { Keyboard, ContextMenu };

struct SeriesPaste {
    const char* name;
    Entry entry;
    Paste paste;
    const char* expected;
};

class SeriesPasteTest : public MainWindowTest, public ::testing::WithParamInterface<SeriesPaste> {
protected:
    void enter(Entry entry)
    {
        platform::TEdit* series = main().edit_04;
        switch (entry) {
        case Entry::Tab:
            main().edit_03->setFocus(Qt::MouseFocusReason);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            break;
        case Entry::ClickOnPlaceholder:
            QTest::mouseClick(series, Qt::LeftButton);
            break;
        case Entry::ClickOnText:
            series->SetText(u("АБ"));
            QTest::mouseClick(series, Qt::LeftButton);
            break;
        }
        ASSERT_EQ(QApplication::focusWidget(), series);
    }

    // A right click through the window opens the field's own menu, whose "paste" is clicked.
    void pasteFromContextMenu()
    {
        QWidget* field = QApplication::focusWidget();
        QTest::mouseClick(main().windowHandle(), Qt::RightButton, {},
            field->mapTo(&main(), field->rect().center()));
        ASSERT_TRUE(QTest::qWaitFor([] { return QApplication::activePopupWidget() != nullptr; }))
            << "the context menu did not open";
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(menu, nullptr);
        // The field's own menu names its commands with the edit's texts and their shortcuts.
        const QString pasteText = QCoreApplication::translate("QLineEdit", "&Paste");
        QAction* paste = nullptr;
        for (QAction* action : menu->actions()) {
            if (action->text().section(QLatin1Char('\t'), 0, 0) == pasteText)
                paste = action;
        }
        ASSERT_NE(paste, nullptr);
        ASSERT_TRUE(paste->isEnabled());
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(paste).center());
        EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    }
};

TEST_P(SeriesPasteTest, IsCutToFourCharacters)
{
    QApplication::clipboard()->setText(u("12-345678"));
    ASSERT_NO_FATAL_FAILURE(enter(GetParam().entry));
    if (GetParam().paste == Paste::Keyboard)
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_V, Qt::ControlModifier);
    else
        ASSERT_NO_FATAL_FAILURE(pasteFromContextMenu());
    EXPECT_EQ(main().edit_04->Text(), u(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(EntryPaths, SeriesPasteTest,
    ::testing::Values(SeriesPaste {"TabCtrlV", Entry::Tab, Paste::Keyboard, "12-3"},
        SeriesPaste {"TabContextMenu", Entry::Tab, Paste::ContextMenu, "12-3"},
        SeriesPaste {"ClickOnPlaceholderCtrlV", Entry::ClickOnPlaceholder, Paste::Keyboard, "12-3"},
        SeriesPaste {
            "ClickOnPlaceholderContextMenu", Entry::ClickOnPlaceholder, Paste::ContextMenu, "12-3"},
        SeriesPaste {"ClickOnTextCtrlV", Entry::ClickOnText, Paste::Keyboard, "АБ12"},
        SeriesPaste {"ClickOnTextContextMenu", Entry::ClickOnText, Paste::ContextMenu, "АБ12"}),
    [](const auto& info) { return std::string(info.param.name); });

struct Hint {
    const char* name;
    platform::TSpeedButton* TfmMain::*button;
    const char* message;
};

class HintButtons : public MainWindowTest, public ::testing::WithParamInterface<Hint> { };

TEST_P(HintButtons, ShowTheirMessageWithoutTakingTheFocus)
{
    // An emptied field keeps the focus and stays empty while the hint is read.
    QTest::mouseClick(main().edit_03, Qt::LeftButton);
    ASSERT_EQ(QApplication::focusWidget(), main().edit_03);
    QTest::mouseClick(main().*GetParam().button, Qt::LeftButton);
    ASSERT_EQ(recorder.messages.size(), 1);
    EXPECT_EQ(recorder.messages[0].text, u(GetParam().message));
    EXPECT_EQ(recorder.messages[0].caption, u("vorsela"));
    EXPECT_EQ(QApplication::focusWidget(), main().edit_03);
    EXPECT_EQ(main().edit_03->Text(), QString());
}

INSTANTIATE_TEST_SUITE_P(Buttons, HintButtons,
    ::testing::Values(
        Hint {"SchoolName", &TfmMain::SpeedButton1,
            "Официальное название образовательной организации в именительном падеже, согласно "
            "Уставу данной образовательной организации"},
        Hint {"Locality", &TfmMain::SpeedButton2,
            "Наименование города (населенного пункта), в котором находится образовательная "
            "организация (в соответствии с ОКАТО)"},
        Hint {"Graduate", &TfmMain::SpeedButton3,
            "фамилия, имя и отчество лица, прошедшего профессиональное обучение (пишется "
            "полностью в именительном падеже в соответствии с записью в паспорте или "
            "заменяющем его документе)"},
        Hint {"Series", &TfmMain::SpeedButton4,
            "Серия бланка содержит 4 символ"
            "a" /* Latin a */}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
