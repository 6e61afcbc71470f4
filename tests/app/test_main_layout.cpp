#include "app/Startup.h"
#include "app/logic/Lists.h"
#include "app/main_unit.h"
#include "platform/core/NumberFormat.h"
#include "support/EmptyFolder.h"
#include "support/Faces.h"
#include "support/MessageRecorder.h"

#include <QApplication>
#include <QClipboard>
#include <QTest>

#include <gtest/gtest.h>

namespace {

QString u(const char* text) { return QString::fromUtf8(text); }

// The window under a comma format, as on the operator's desktop.
class MainLayout : public ::testing::Test {
protected:
    void SetUp() override { windows = createProgramWindows(); }
    TfmMain& main() { return *windows->fmMain; }

    const platform::ScopedNumberFormat comma {QLatin1Char(',')};
    const EmptyCurrentFolder folder;
    MessageRecorder recorder;
    std::unique_ptr<ProgramWindows> windows;
};

enum class F { W, WB, G, S, SB };

struct Placed {
    const char* name;
    const char* parent;
    int left, top, width, height;
    F font;
    const char* text; // nullptr: not checked here
};

// Every control of the form with its parent, place, font and initial text.
const Placed kLayout[] = {
    {"Label1", "Panel13", 8, 8, 159, 13, F::W, "Первая строка свидетельства:"},
    {"Edit_01", "Panel13", 8, 24, 705, 21, F::G,
        "Полное официальное наименование образовательной организации (в соответствии с уставом)"},
    {"SpeedButton1", "Panel13", 719, 24, 23, 22, F::W, "?"},
    {"Label2", "Panel13", 8, 51, 268, 13, F::W, "Вторая строка свидетельства (при необходимости):"},
    {"edit_02", "Panel13", 8, 64, 705, 21, F::G,
        "Полное официальное наименование образовательной организации (в соответствии с уставом)"},
    {"edit_03", "Panel13", 8, 91, 458, 21, F::G, "Наименование населенного пункта"},
    {"SpeedButton2", "Panel13", 472, 91, 23, 22, F::W, "?"},
    {"edit_04", "Panel13", 600, 91, 113, 21, F::G, "Серия"},
    {"SpeedButton4", "Panel13", 719, 92, 23, 22, F::W, "?"},
    {"Edit_05", "Panel13", 8, 121, 705, 21, F::G, "Фамилия Имя Отчество"},
    {"SpeedButton3", "Panel13", 719, 120, 23, 22, F::W, "?"},
    {"Label3", "Panel13", 8, 150, 120, 19, F::S, "Период обучения:"},
    {"Label4", "Panel13", 150, 154, 7, 13, F::WB, "C"},
    {"DateTime_678", "Panel13", 169, 148, 186, 21, F::W, nullptr},
    {"Label5", "Panel13", 369, 156, 14, 13, F::WB, "по"},
    {"DateTime_91011", "Panel13", 389, 148, 186, 21, F::W, nullptr},
    {"Label6", "Panel13", 257, 178, 217, 19, F::S, "Прошел обучение по программе"},
    {"Label7", "Panel13", 105, 195, 566, 19, F::S,
        "профессиональной подготовки (переподготовки) водителей транспортных средств"},
    {"Combo_categ", "Panel13", 106, 220, 565, 21, F::W, "категории \"В\" "},
    {"Label8", "Panel13", 16, 252, 263, 19, F::SB, "Учебные предметы базового цикла:"},
    {"Label10", "Panel13", 480, 252, 100, 19, F::SB, "Кол-во часов:"},
    {"Label14", "Panel13", 611, 252, 60, 19, F::SB, "Оценка:"},
    {"Panel1", "Panel13", 8, 277, 466, 118, F::W, nullptr},
    {"Label9", "Panel1", 8, 8, 380, 19, F::S, "Основы законодательства в сфере дорожного движения"},
    {"Label11", "Panel1", 8, 35, 374, 19, F::S,
        "Психофизиологические основы деятельности водителя"},
    {"Label12", "Panel1", 8, 62, 333, 19, F::S, "Основы управления транспортными средствами"},
    {"Label13", "Panel1", 8, 89, 405, 19, F::S,
        "Первая помощь при дорожно-транспортном происшествии"},
    {"Panel2", "Panel13", 480, 277, 90, 118, F::W, nullptr},
    {"Edit_13", "Panel2", 8, 8, 73, 21, F::W, "42,00"},
    {"Edit_14", "Panel2", 8, 35, 73, 21, F::W, "42,00"},
    {"Edit_15", "Panel2", 8, 62, 73, 21, F::W, "42,00"},
    {"Edit_16", "Panel2", 8, 89, 73, 21, F::W, "42,00"},
    {"Panel3", "Panel13", 576, 277, 160, 118, F::W, nullptr},
    {"Combo_28", "Panel3", 8, 8, 145, 21, F::W, "Зачтено"},
    {"Combo_29", "Panel3", 8, 35, 145, 21, F::W, "Зачтено"},
    {"Combo_30", "Panel3", 8, 62, 145, 21, F::W, "Зачтено"},
    {"Combo_31", "Panel3", 8, 89, 145, 21, F::W, "Зачтено"},
    {"Label15", "Panel13", 16, 402, 300, 19, F::SB, "Учебные предметы специального цикла:"},
    {"Label16", "Panel13", 480, 402, 100, 19, F::SB, "Кол-во часов:"},
    {"Label21", "Panel13", 611, 402, 60, 19, F::SB, "Оценка:"},
    {"Panel4", "Panel13", 8, 427, 466, 150, F::W, nullptr},
    {"Label17", "Panel4", 8, 8, 436, 19, F::S,
        "Устройство и техническое обслуживание транспортных средств"},
    {"Label20", "Panel4", 8, 28, 74, 19, F::SB, nullptr},
    {"Label18", "Panel4", 8, 53, 333, 19, F::S, "Основы управления транспортными средствами"},
    {"Label22", "Panel4", 8, 71, 74, 19, F::SB, nullptr},
    {"Label19", "Panel4", 8, 96, 226, 19, F::S, "Вождение транспортных средств"},
    {"Label23", "Panel4", 240, 96, 74, 19, F::SB, nullptr},
    {"Combo_42", "Panel4", 8, 116, 201, 21, F::W, "с механической трансмиссией"},
    {"Panel5", "Panel13", 480, 427, 90, 150, F::W, nullptr},
    {"Edit_17", "Panel5", 8, 13, 73, 21, F::W, "42,00"},
    {"Edit_18", "Panel5", 8, 66, 73, 21, F::W, "42,00"},
    {"Edit_19", "Panel5", 8, 113, 73, 21, F::W, "42,00"},
    {"Panel6", "Panel13", 576, 427, 160, 150, F::W, nullptr},
    {"Combo_32", "Panel6", 8, 13, 145, 21, F::W, "Зачтено"},
    {"Combo_33", "Panel6", 8, 66, 145, 21, F::W, "Зачтено"},
    {"Combo_34", "Panel6", 8, 113, 145, 21, F::W, "Зачтено"},
    {"Label24", "Panel13", 16, 584, 343, 19, F::SB, "Учебные предметы профессионального цикла:"},
    {"Label25", "Panel13", 480, 584, 100, 19, F::SB, "Кол-во часов:"},
    {"Label30", "Panel13", 611, 584, 60, 19, F::SB, "Оценка:"},
    {"Panel7", "Panel13", 8, 609, 466, 64, F::W, nullptr},
    {"Label26", "Panel7", 8, 8, 450, 19, F::S,
        "Организация и выполнение грузовых перевозок автотранспортом"},
    {"Label27", "Panel7", 8, 35, 442, 19, F::S,
        "Организация и выполнение пассажирских перевозок автотр-том"},
    {"Panel8", "Panel13", 480, 609, 90, 64, F::W, nullptr},
    {"Edit_20", "Panel8", 8, 9, 73, 21, F::W, "42,00"},
    {"Edit_21", "Panel8", 8, 36, 73, 21, F::W, "42,00"},
    {"Panel9", "Panel13", 576, 609, 160, 64, F::W, nullptr},
    {"Combo_35", "Panel9", 8, 8, 145, 21, F::W, "Зачтено"},
    {"Combo_36", "Panel9", 8, 35, 145, 21, F::W, "Зачтено"},
    {"Panel12", "Panel13", 8, 680, 466, 64, F::W, nullptr},
    {"Label28", "Panel12", 240, 8, 218, 19, F::SB, "Квалификационный экзамен:"},
    {"Label29", "Panel12", 410, 33, 48, 19, F::SB, "Итого:"},
    {"Panel10", "Panel13", 480, 680, 90, 64, F::W, nullptr},
    {"Edit_22", "Panel10", 8, 9, 73, 21, F::W, "42,00"},
    {"Edit_23", "Panel10", 8, 36, 73, 21, F::W, "420"}, // the sum of the ten hours
    {"Panel11", "Panel13", 576, 680, 160, 64, F::W, nullptr},
    {"Combo_37", "Panel11", 8, 8, 145, 21, F::W, "Отлично"},
    {"Label_38", "Panel11", 72, 37, 11, 19, F::SB, "X"},
    {"Label32", "Panel13", 9, 750, 190, 19, F::S, "Дата выдачи свидетельства:"},
    {"DateTime_242526", "Panel13", 215, 750, 186, 21, F::W, nullptr},
    {"Label33", "Panel13", 9, 776, 196, 19, F::S, "Фамилия И.О. руководителя:"},
    {"Edit_27", "Panel13", 215, 777, 186, 21, F::G, "Иванов И.И."},
};

QString shownText(QWidget* w)
{
    if (auto* e = qobject_cast<QLineEdit*>(w))
        return e->text();
    if (auto* c = qobject_cast<QComboBox*>(w))
        return c->currentText();
    if (auto* l = qobject_cast<QLabel*>(w))
        return l->text();
    if (auto* b = qobject_cast<QAbstractButton*>(w))
        return b->text();
    return {};
}

TEST_F(MainLayout, EveryControlInPlaceWithFontAndInitialText)
{
    for (const Placed& row : kLayout) {
        SCOPED_TRACE(row.name);
        auto* w = main().findChild<QWidget*>(QString::fromLatin1(row.name));
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(w->parentWidget()->objectName(), QString::fromLatin1(row.parent));
        EXPECT_EQ(w->pos(), QPoint(row.left, row.top));
        EXPECT_EQ(w->height(), row.height);
        if (qobject_cast<QLabel*>(w)) {
            // Labels size themselves to their caption; at least the designed width.
            EXPECT_GE(w->width(), row.width);
            EXPECT_LE(w->sizeHint().width(), w->width());
        } else {
            EXPECT_EQ(w->width(), row.width);
        }
        const bool times = row.font == F::S || row.font == F::SB;
        // Bold window text takes the stand-in face whose bold looks bold.
        const QString window = row.font == F::WB ? boldWindowFace() : u("Tahoma");
        EXPECT_EQ(w->font().family(), times ? u("Times New Roman") : window);
        EXPECT_EQ(w->font().pixelSize(), times ? 16 : 11);
        EXPECT_EQ(w->font().bold(), row.font == F::WB || row.font == F::SB);
        if (auto* e = qobject_cast<platform::TEdit*>(w)) {
            EXPECT_EQ(e->FontColor(), row.font == F::G ? QColor(128, 128, 128) : QColor(Qt::black));
        }
        if (row.text) {
            EXPECT_EQ(shownText(w), u(row.text));
        }
    }
}

TEST_F(MainLayout, MembersCarryTheControlsNames)
{
    const std::pair<QWidget*, const char*> members[] = {{main().Edit_01, "Edit_01"},
        {main().edit_04, "edit_04"}, {main().Edit_13, "Edit_13"}, {main().Edit_23, "Edit_23"},
        {main().Combo_categ, "Combo_categ"}, {main().Combo_42, "Combo_42"},
        {main().DateTime_242526, "DateTime_242526"}, {main().Label_38, "Label_38"},
        {main().Panel12, "Panel12"}, {main().SpeedButton4, "SpeedButton4"}};
    for (const auto& [widget, name] : members)
        EXPECT_EQ(widget->objectName(), QString::fromLatin1(name));
}

TEST_F(MainLayout, InitialSelections)
{
    const std::pair<platform::TComboBox*, int> rows[] = {{main().Combo_categ, 1},
        {main().Combo_42, 0}, {main().Combo_28, 0}, {main().Combo_29, -1}, {main().Combo_30, -1},
        {main().Combo_31, -1}, {main().Combo_32, -1}, {main().Combo_33, -1}, {main().Combo_34, -1},
        {main().Combo_35, -1}, {main().Combo_36, 0}, {main().Combo_37, 1}};
    for (const auto& [combo, index] : rows) {
        SCOPED_TRACE(combo->objectName().toStdString());
        EXPECT_EQ(combo->ItemIndex(), index);
        EXPECT_TRUE(combo->isEditable());
        EXPECT_EQ(combo->maxVisibleItems(), 8);
    }
    for (platform::TComboBox* grade : {main().Combo_28, main().Combo_33, main().Combo_37}) {
        QStringList items;
        for (int i = 0; i < grade->count(); ++i)
            items.append(grade->itemText(i));
        EXPECT_EQ(items, lists::gradeList());
    }
    EXPECT_EQ(main().Combo_categ->count(), 24);
    EXPECT_EQ(main().Combo_42->count(), 2);
}

// Code points, so that Latin and Cyrillic look-alikes cannot pass for each other.
std::u16string codes(const QString& s) { return s.toStdU16String(); }

TEST(Lists, ExactLettersAndBlanks)
{
    EXPECT_EQ(codes(lists::gradeList().back()), u"\u0078"); // Latin small x
    EXPECT_EQ(codes(lists::gradeList().front()), u"\u0417\u0430\u0447\u0442\u0435\u043d\u043e");
    EXPECT_EQ(lists::transmissionList(),
        (QStringList {u("с механической трансмиссией"), u("с автоматической трансмиссией")}));

    // Between the quotes: А В С Е are Cyrillic (U+0410, U+0412, U+0421, U+0415); A B C D E M
    // are Latin.
    const char16_t* const expected[] = {
        u"категории \"\u0410\"",
        u"категории \"\u0412\" ",
        u"категории \"\u0421\" ",
        u"категории \"D\" ",
        u"категории \"\u0412\u0415\"",
        u"категории \"\u0421\u0415\"",
        u"категории \"DE\"",
        u"категории \"M\" ",
        u"подкатегории \"A1\"",
        u"подкатегории \"\u04121\"",
        u"подкатегории \"C1\"",
        u"подкатегории \"D1\"",
        u"подкатегории \"C1E\"",
        u"подкатегории \"D1E\"",
        u" с категории \"\u0412\" на категорию \"\u0421\"",
        u" с категории \"\u0412\" на подкатегорию \"\u04211\" ",
        u" с категории \"\u0412\" на категорию \"D\"",
        u" с категории \"\u0412\" на подкатегорию \"D1\" ",
        u" с категории \"C\" на категорию \"B\"",
        u" с категории \"C\" на категорию \"D\"",
        u" с категории \"C\" на подкатегорию \"D1\" ",
        u" с категории \"D\" на категорию \"B\"",
        u" с категории \"D\" на категорию \"\u0421\"",
        u" с категории \"D\" на подкатегорию \"\u04211\"",
    };
    const QStringList categories = lists::categoryList();
    ASSERT_EQ(categories.size(), 24);
    for (int i = 0; i < 24; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(codes(categories[i]), std::u16string(expected[i]));
    }
}

TEST_F(MainLayout, LatinLettersOfTheLabels)
{
    EXPECT_EQ(codes(main().Label4->text()), u"C");
    EXPECT_EQ(codes(main().Label_38->text()), u"X");
}

TEST_F(MainLayout, TabKeyVisitsTheSequenceAndWrapsAround)
{
    QApplication::setActiveWindow(&main());
    ASSERT_TRUE(QTest::qWaitForWindowActive(&main()));
    const QStringList sequence = {u("Edit_01"), u("edit_02"), u("edit_03"), u("edit_04"),
        u("Edit_05"), u("DateTime_678"), u("DateTime_91011"), u("Combo_categ"), u("Edit_13"),
        u("Edit_14"), u("Edit_15"), u("Edit_16"), u("Combo_28"), u("Combo_29"), u("Combo_30"),
        u("Combo_31"), u("Edit_17"), u("Edit_18"), u("Edit_19"), u("Combo_32"), u("Combo_33"),
        u("Combo_34"), u("Edit_20"), u("Edit_21"), u("Combo_35"), u("Combo_36"), u("Edit_22"),
        u("Edit_23"), u("Combo_37"), u("DateTime_242526"), u("Edit_27"), u("proverka"),
        u("btnPreview"), u("btnCearAll"), u("Button2"), u("Button1"), u("Combo_42"), u("Edit_01")};
    const auto focusedName = [] {
        QWidget* w = QApplication::focusWidget();
        while (w && w->objectName().isEmpty())
            w = w->parentWidget(); // the line edit inside a combo or a date picker
        return w ? w->objectName() : QString();
    };
    QStringList visited {focusedName()};
    for (qsizetype i = 1; i < sequence.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited.append(focusedName());
    }
    EXPECT_EQ(visited.join(QLatin1Char(' ')).toStdString(),
        sequence.join(QLatin1Char(' ')).toStdString());
}

TEST_F(MainLayout, WindowOpensInTheFirstFieldWithItsTextSelected)
{
    QApplication::setActiveWindow(&main());
    ASSERT_TRUE(QTest::qWaitForWindowActive(&main()));
    EXPECT_EQ(QApplication::focusWidget(), main().Edit_01);
    EXPECT_EQ(main().Edit_01->selectedText(), main().Edit_01->Text());
}

TEST_F(MainLayout, HintButtonsNeverTakeTheFocus)
{
    for (QWidget* b :
        {static_cast<QWidget*>(main().SpeedButton1), static_cast<QWidget*>(main().SpeedButton2),
            static_cast<QWidget*>(main().SpeedButton3), static_cast<QWidget*>(main().SpeedButton4)})
        EXPECT_EQ(b->focusPolicy(), Qt::NoFocus);
}

TEST_F(MainLayout, SeriesTakesFourTypedCharactersButLongerTextByCode)
{
    QApplication::setActiveWindow(&main());
    main().edit_04->setFocus(Qt::TabFocusReason);
    QTest::keyClicks(main().edit_04, "AB12X");
    EXPECT_EQ(main().edit_04->Text(), u("AB12"));
    main().edit_04->SetText(u("АБ-12345"));
    EXPECT_EQ(main().edit_04->Text(), u("АБ-12345"));
}

TEST_F(MainLayout, SeriesTakesFourPastedCharacters)
{
    QApplication::setActiveWindow(&main());
    QApplication::clipboard()->setText(u("АБ12-3456"));
    main().edit_04->setFocus(Qt::TabFocusReason); // enters with the placeholder selected
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(main().edit_04->Text(), u("АБ12"));
    main().edit_04->selectAll();
    main().edit_04->paste(); // the context menu's command
    EXPECT_EQ(main().edit_04->Text(), u("АБ12"));
    EXPECT_TRUE(recorder.messages.isEmpty());
}

TEST_F(MainLayout, HourFieldsTakeOnlyBoundedPositiveNumbers)
{
    QApplication::setActiveWindow(&main());
    TNkEdit* hours = main().Edit_16;
    for (TNkEdit* field : {main().Edit_13, main().Edit_19, main().Edit_23}) {
        EXPECT_TRUE(field->OnlyPositive());
        EXPECT_EQ(field->MaxLenInt(), 6);
        EXPECT_EQ(field->MaxLenFrac(), 2);
        EXPECT_EQ(field->NextControl(), nullptr);
    }
    hours->setFocus(Qt::TabFocusReason);
    QTest::keyClicks(hours, "-12a34567.895");
    EXPECT_EQ(hours->Text(), u("123456,89"));
}

TEST(MainLayoutPoint, BuildsUnderPointSeparatorWithoutReachingUnbuiltControls)
{
    const platform::ScopedNumberFormat point(QLatin1Char('.'));
    MessageRecorder recorder;
    TfmMain window;
    EXPECT_EQ(window.Edit_13->Text(), u("42.00"));
    EXPECT_EQ(window.Edit_23->Text(), u("420"));
    EXPECT_TRUE(recorder.messages.isEmpty());
}

} // namespace
