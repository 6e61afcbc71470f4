#include "MainWindowFixture.h"

#include "app/Placeholders.h"

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
