#include "MainWindowFixture.h"

#include "app/logic/Placeholders.h"

namespace {

class CheckAndClear : public MainWindowTest {
protected:
    void check() { QTest::mouseClick(main().proverka, Qt::LeftButton); }
    void fillAll()
    {
        main().Edit_01->SetText(u("АНО ДПО \"Автошкола\""));
        main().edit_03->SetText(u("г. Тверь"));
        main().edit_04->SetText(u("АБ12"));
        main().Edit_05->SetText(u("Петров Пётр Петрович"));
        main().Edit_27->SetText(u("Сидоров С.С."));
    }
};

TEST_F(CheckAndClear, AllPlaceholdersGiveFiveMessagesInOrder)
{
    check();
    EXPECT_EQ(recorder.texts(),
        (QStringList {u("Не введено \"официальное наименование образовательной организации\""),
            u("Не введено \"Наименование населенного пункта\""), u("Не введено \"Серия\""),
            u("Не введено \"Фамилия Имя Отчество\""),
            u("Руководителя точно зовут \"Иванов И.И.\"?)) ")}));
}

TEST_F(CheckAndClear, OnlyTheHeadLeftGivesOnlyItsMessage)
{
    fillAll();
    main().Edit_27->SetText(placeholders::kHead);
    check();
    EXPECT_EQ(recorder.texts(), QStringList {u("Руководителя точно зовут \"Иванов И.И.\"?)) ")});
}

TEST_F(CheckAndClear, FilledFormGivesTheClosingMessage)
{
    fillAll();
    check();
    EXPECT_EQ(recorder.texts(), QStringList {u("Ошибок заполнения не найдено...")});
    EXPECT_EQ(recorder.messages[0].caption, u("vorsela"));
}

// A typed text that its box of the blank would cut, or whose letters the blank's font lacks,
// is named; the letters of the Tatar and Bashkir alphabets print as they are.
TEST_F(CheckAndClear, TextsThatWouldNotPrintWholeAreNamed)
{
    const struct {
        const char* name;
        platform::TEdit* field;
        QString text;
        QStringList messages;
    } cases[] = {
        {"a name longer than its box", main().Edit_05, u("Очень ").repeated(20),
            {u("Не помещается в поле бланка \"Фамилия Имя Отчество\"")}},
        {"a series of six characters loaded from the settings", main().edit_04, u("АБ1234"),
            {u("Не помещается в поле бланка \"Серия\"")}},
        {"a second school line longer than its box", main().edit_02, u("Длинное ").repeated(20),
            {u("Не помещается в поле бланка \"официальное наименование образовательной "
               "организации (вторая строка)\"")}},
        {"Chinese letters and a smiley the font lacks", main().edit_03, u("г. Казань 中文 😀 中"),
            {u("В поле \"Наименование населенного пункта\" есть знаки, которых нет в шрифте "
               "бланка: \"中文😀\"")}},
        {"Tatar letters", main().Edit_05, u("Гөлнара Әлиева"),
            {u("Ошибок заполнения не найдено...")}},
        {"a Bashkir school name", main().Edit_01, u("Автошкола «Ҡыҙыл Таң»"),
            {u("Ошибок заполнения не найдено...")}},
    };
    for (const auto& c : cases) {
        fillAll();
        main().edit_02->SetText(placeholders::kSchoolName);
        c.field->SetText(c.text);
        recorder.messages.clear();
        check();
        EXPECT_EQ(recorder.texts(), c.messages) << c.name;
    }
}

TEST_F(CheckAndClear, EmptiedFieldWithTheFocusIsReportedAfterTheFocusMoves)
{
    fillAll();
    main().Edit_05->setFocus(Qt::TabFocusReason);
    main().Edit_05->selectAll();
    QTest::keyClick(main().Edit_05, Qt::Key_Delete);
    check();
    EXPECT_EQ(recorder.texts(), QStringList {u("Не введено \"Фамилия Имя Отчество\"")});
}

TEST_F(CheckAndClear, ClearingResetsFieldsHoursAndGrades)
{
    fillAll();
    QTest::mouseClick(main().Edit_05, Qt::LeftButton);
    main().Combo_28->SetItemIndex(2);
    main().Combo_37->SetItemIndex(4);
    main().Combo_categ->SetItemIndex(5);
    main().Combo_42->SetItemIndex(1);
    const QDate start(2020, 2, 3);
    main().DateTime_678->setDate(start);
    retype(main().Edit_16, "12");

    QTest::mouseClick(main().btnCearAll, Qt::LeftButton);

    for (platform::TEdit* field : {main().Edit_01, main().edit_02, main().edit_03, main().edit_04,
             main().Edit_05, main().Edit_27})
        EXPECT_EQ(field->FontColor(), placeholders::kGrey) << field->objectName().toStdString();
    EXPECT_EQ(main().Edit_01->Text(), placeholders::kSchoolName);
    EXPECT_EQ(main().edit_02->Text(), placeholders::kSchoolName);
    EXPECT_EQ(main().edit_03->Text(), placeholders::kLocality);
    EXPECT_EQ(main().edit_04->Text(), placeholders::kSeries);
    EXPECT_EQ(main().Edit_05->Text(), placeholders::kGraduate);
    EXPECT_EQ(main().Edit_27->Text(), placeholders::kHead);
    for (TNkEdit* hours : {main().Edit_13, main().Edit_16, main().Edit_22})
        EXPECT_EQ(hours->Text(), u("0"));
    EXPECT_EQ(main().Edit_23->Text(), u("0"));
    for (platform::TComboBox* grade : {main().Combo_28, main().Combo_29, main().Combo_36}) {
        EXPECT_EQ(grade->ItemIndex(), 0);
        EXPECT_EQ(grade->Text(), u("Зачтено"));
    }
    EXPECT_EQ(main().Combo_37->Text(), u("Отлично"));
    EXPECT_EQ(main().Combo_categ->ItemIndex(), 5);
    EXPECT_EQ(main().Combo_42->ItemIndex(), 1);
    EXPECT_EQ(main().DateTime_678->date(), start);
    EXPECT_TRUE(recorder.messages.isEmpty());
}

TEST_F(CheckAndClear, ClearingWhenAllHoursAreZeroLeavesTheTotalAlone)
{
    QTest::mouseClick(main().btnCearAll, Qt::LeftButton);
    retype(main().Edit_23, "77");
    QTest::mouseClick(main().btnCearAll, Qt::LeftButton);
    EXPECT_EQ(main().Edit_23->Text(), u("77"));
}

} // namespace
