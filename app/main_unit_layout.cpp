// The input controls of the main window: every field, label and panel inside Panel13, their
// initial values, the tab sequence and the handlers attached to them.

#include "app/logic/Lists.h"
#include "app/logic/Placeholders.h"
#include "app/main_unit.h"
#include "controls/NKCtrls.h"
#include "platform/core/EventBoundary.h"
#include "platform/core/FontSetup.h"
#include "platform/widgets/ComboBox.h"
#include "platform/widgets/Controls.h"

#include <QPushButton>

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace {

enum class Font { W, WB, G, S, SB };

QFont fontOf(Font key)
{
    switch (key) {
    case Font::WB:
        return platform::pixelFont(u"Tahoma"_s, 11, true);
    case Font::S:
        return platform::pixelFont(u"Times New Roman"_s, 16);
    case Font::SB:
        return platform::pixelFont(u"Times New Roman"_s, 16, true);
    case Font::W:
    case Font::G:
        break;
    }
    return platform::windowFont();
}

template <class Control>
Control* place(QWidget* parent, const QString& name, int left, int top, int width, int height)
{
    auto* control = new Control(parent);
    control->setObjectName(name);
    control->setGeometry(left, top, width, height);
    return control;
}

platform::TLabel* label(QWidget* parent, const QString& name, int left, int top, int width,
    int height, Font font, const QString& caption)
{
    auto* control = place<platform::TLabel>(parent, name, left, top, width, height);
    control->setFont(fontOf(font));
    control->setText(caption);
    // The widths are those of the designed fonts; a substitute that runs a pixel wider must
    // not clip the caption.
    control->resize(std::max(width, control->sizeHint().width()), height);
    return control;
}

platform::TEdit* edit(
    QWidget* parent, const QString& name, int left, int top, int width, const QString& placeholder)
{
    auto* control = place<platform::TEdit>(parent, name, left, top, width, 21);
    control->setFont(fontOf(Font::G));
    control->SetFontColor(placeholders::kGrey);
    control->SetText(placeholder);
    control->setCursorPosition(0);
    return control;
}

platform::TSpeedButton* hintButton(QWidget* parent, const QString& name, int left, int top)
{
    return place<platform::TSpeedButton>(parent, name, left, top, 23, 22);
}

platform::TPanel* panel(
    QWidget* parent, const QString& name, int left, int top, int width, int height)
{
    return place<platform::TPanel>(parent, name, left, top, width, height);
}

// An hour field: only positive numbers of up to six integer digits and two decimals.
TNkEdit* newHourField(QWidget* parent, const QString& name, int left, int top)
{
    auto* control = place<TNkEdit>(parent, name, left, top, 73, 21);
    control->SetOnlyPositive(true);
    control->SetMaxLenInt(6);
    control->SetMaxLenFrac(2);
    control->SetValue(42);
    control->setCursorPosition(0);
    return control;
}

// A grade selector showing "Зачтено": with item `selected` chosen, or as text only (-1).
platform::TComboBox* combo(QWidget* parent, const QString& name, int left, int top, int width,
    const QStringList& items, int selected, const QString& textOnly = QString())
{
    auto* control = place<platform::TComboBox>(parent, name, left, top, width, 21);
    control->SetItems(items);
    control->SetItemIndex(selected);
    if (selected < 0)
        control->SetText(textOnly);
    control->lineEdit()->setCursorPosition(0);
    return control;
}

platform::TComboBox* gradeCombo(QWidget* parent, const QString& name, int top, int selected)
{
    return combo(parent, name, 8, top, 145, lists::gradeList(), selected, u"Зачтено"_s);
}

} // namespace

void TfmMain::buildInputControls()
{
    QWidget* p = Panel13;
    // Header: school, locality, series, graduate.
    Label1 = label(p, u"Label1"_s, 8, 8, 159, 13, Font::W, u"Первая строка свидетельства:"_s);
    Edit_01 = edit(p, u"Edit_01"_s, 8, 24, 705, placeholders::kSchoolName);
    SpeedButton1 = hintButton(p, u"SpeedButton1"_s, 719, 24);
    Label2 = label(p, u"Label2"_s, 8, 51, 268, 13, Font::W,
        u"Вторая строка свидетельства (при необходимости):"_s);
    edit_02 = edit(p, u"edit_02"_s, 8, 64, 705, placeholders::kSchoolName);
    edit_03 = edit(p, u"edit_03"_s, 8, 91, 458, placeholders::kLocality);
    SpeedButton2 = hintButton(p, u"SpeedButton2"_s, 472, 91);
    edit_04 = edit(p, u"edit_04"_s, 600, 91, 113, placeholders::kSeries);
    edit_04->SetMaxLength(4);
    SpeedButton4 = hintButton(p, u"SpeedButton4"_s, 719, 92);
    Edit_05 = edit(p, u"Edit_05"_s, 8, 121, 705, placeholders::kGraduate);
    SpeedButton3 = hintButton(p, u"SpeedButton3"_s, 719, 120);

    // Training period; the Latin capital C stands before the start date.
    Label3 = label(p, u"Label3"_s, 8, 150, 120, 19, Font::S, u"Период обучения:"_s);
    Label4 = label(p, u"Label4"_s, 150, 154, 7, 13, Font::WB, u"C"_s);
    DateTime_678 = place<platform::TDateTimePicker>(p, u"DateTime_678"_s, 169, 148, 186, 21);
    Label5 = label(p, u"Label5"_s, 369, 156, 14, 13, Font::WB, u"по"_s);
    DateTime_91011 = place<platform::TDateTimePicker>(p, u"DateTime_91011"_s, 389, 148, 186, 21);

    // Programme and category.
    Label6 = label(p, u"Label6"_s, 257, 178, 217, 19, Font::S, u"Прошел обучение по программе"_s);
    Label7 = label(p, u"Label7"_s, 105, 195, 566, 19, Font::S,
        u"профессиональной подготовки (переподготовки) водителей транспортных средств"_s);
    Combo_categ = combo(p, u"Combo_categ"_s, 106, 220, 565, lists::categoryList(), 1);

    // Basic cycle.
    Label8
        = label(p, u"Label8"_s, 16, 252, 263, 19, Font::SB, u"Учебные предметы базового цикла:"_s);
    Label10 = label(p, u"Label10"_s, 480, 252, 100, 19, Font::SB, u"Кол-во часов:"_s);
    Label14 = label(p, u"Label14"_s, 611, 252, 60, 19, Font::SB, u"Оценка:"_s);
    Panel1 = panel(p, u"Panel1"_s, 8, 277, 466, 118);
    Label9 = label(Panel1, u"Label9"_s, 8, 8, 380, 19, Font::S,
        u"Основы законодательства в сфере дорожного движения"_s);
    Label11 = label(Panel1, u"Label11"_s, 8, 35, 374, 19, Font::S,
        u"Психофизиологические основы деятельности водителя"_s);
    Label12 = label(Panel1, u"Label12"_s, 8, 62, 333, 19, Font::S,
        u"Основы управления транспортными средствами"_s);
    Label13 = label(Panel1, u"Label13"_s, 8, 89, 405, 19, Font::S,
        u"Первая помощь при дорожно-транспортном происшествии"_s);
    Panel2 = panel(p, u"Panel2"_s, 480, 277, 90, 118);
    Edit_13 = newHourField(Panel2, u"Edit_13"_s, 8, 8);
    Edit_14 = newHourField(Panel2, u"Edit_14"_s, 8, 35);
    Edit_15 = newHourField(Panel2, u"Edit_15"_s, 8, 62);
    Edit_16 = newHourField(Panel2, u"Edit_16"_s, 8, 89);
    Panel3 = panel(p, u"Panel3"_s, 576, 277, 160, 118);
    Combo_28 = gradeCombo(Panel3, u"Combo_28"_s, 8, 0);
    Combo_29 = gradeCombo(Panel3, u"Combo_29"_s, 35, -1);
    Combo_30 = gradeCombo(Panel3, u"Combo_30"_s, 62, -1);
    Combo_31 = gradeCombo(Panel3, u"Combo_31"_s, 89, -1);

    // Special cycle.
    Label15 = label(
        p, u"Label15"_s, 16, 402, 300, 19, Font::SB, u"Учебные предметы специального цикла:"_s);
    Label16 = label(p, u"Label16"_s, 480, 402, 100, 19, Font::SB, u"Кол-во часов:"_s);
    Label21 = label(p, u"Label21"_s, 611, 402, 60, 19, Font::SB, u"Оценка:"_s);
    Panel4 = panel(p, u"Panel4"_s, 8, 427, 466, 150);
    Label17 = label(Panel4, u"Label17"_s, 8, 8, 436, 19, Font::S,
        u"Устройство и техническое обслуживание транспортных средств"_s);
    Label20 = label(Panel4, u"Label20"_s, 8, 28, 74, 19, Font::SB, u"категории"_s);
    Label18 = label(Panel4, u"Label18"_s, 8, 53, 333, 19, Font::S,
        u"Основы управления транспортными средствами"_s);
    Label22 = label(Panel4, u"Label22"_s, 8, 71, 74, 19, Font::SB, u"категории"_s);
    Label19
        = label(Panel4, u"Label19"_s, 8, 96, 226, 19, Font::S, u"Вождение транспортных средств"_s);
    Label23 = label(Panel4, u"Label23"_s, 240, 96, 74, 19, Font::SB, u"категории"_s);
    Combo_42 = combo(Panel4, u"Combo_42"_s, 8, 116, 201, lists::transmissionList(), 0);
    Panel5 = panel(p, u"Panel5"_s, 480, 427, 90, 150);
    Edit_17 = newHourField(Panel5, u"Edit_17"_s, 8, 13);
    Edit_18 = newHourField(Panel5, u"Edit_18"_s, 8, 66);
    Edit_19 = newHourField(Panel5, u"Edit_19"_s, 8, 113);
    Panel6 = panel(p, u"Panel6"_s, 576, 427, 160, 150);
    Combo_32 = gradeCombo(Panel6, u"Combo_32"_s, 13, -1);
    Combo_33 = gradeCombo(Panel6, u"Combo_33"_s, 66, -1);
    Combo_34 = gradeCombo(Panel6, u"Combo_34"_s, 113, -1);

    // Professional cycle.
    Label24 = label(p, u"Label24"_s, 16, 584, 343, 19, Font::SB,
        u"Учебные предметы профессионального цикла:"_s);
    Label25 = label(p, u"Label25"_s, 480, 584, 100, 19, Font::SB, u"Кол-во часов:"_s);
    Label30 = label(p, u"Label30"_s, 611, 584, 60, 19, Font::SB, u"Оценка:"_s);
    Panel7 = panel(p, u"Panel7"_s, 8, 609, 466, 64);
    Label26 = label(Panel7, u"Label26"_s, 8, 8, 450, 19, Font::S,
        u"Организация и выполнение грузовых перевозок автотранспортом"_s);
    Label27 = label(Panel7, u"Label27"_s, 8, 35, 442, 19, Font::S,
        u"Организация и выполнение пассажирских перевозок автотр-том"_s);
    Panel8 = panel(p, u"Panel8"_s, 480, 609, 90, 64);
    Edit_20 = newHourField(Panel8, u"Edit_20"_s, 8, 9);
    Edit_21 = newHourField(Panel8, u"Edit_21"_s, 8, 36);
    Panel9 = panel(p, u"Panel9"_s, 576, 609, 160, 64);
    Combo_35 = gradeCombo(Panel9, u"Combo_35"_s, 8, -1);
    Combo_36 = gradeCombo(Panel9, u"Combo_36"_s, 35, 0);

    // Qualification exam and total; the Latin capital X fills the grade of the total row.
    Panel12 = panel(p, u"Panel12"_s, 8, 680, 466, 64);
    Label28
        = label(Panel12, u"Label28"_s, 240, 8, 218, 19, Font::SB, u"Квалификационный экзамен:"_s);
    Label29 = label(Panel12, u"Label29"_s, 410, 33, 48, 19, Font::SB, u"Итого:"_s);
    Panel10 = panel(p, u"Panel10"_s, 480, 680, 90, 64);
    Edit_22 = newHourField(Panel10, u"Edit_22"_s, 8, 9);
    Edit_23 = newHourField(Panel10, u"Edit_23"_s, 8, 36);
    Panel11 = panel(p, u"Panel11"_s, 576, 680, 160, 64);
    Combo_37 = gradeCombo(Panel11, u"Combo_37"_s, 8, 1);
    Label_38 = label(Panel11, u"Label_38"_s, 72, 37, 11, 19, Font::SB, u"X"_s);

    // Date of issue and head of the school.
    Label32 = label(p, u"Label32"_s, 9, 750, 190, 19, Font::S, u"Дата выдачи свидетельства:"_s);
    DateTime_242526 = place<platform::TDateTimePicker>(p, u"DateTime_242526"_s, 215, 750, 186, 21);
    Label33 = label(p, u"Label33"_s, 9, 776, 196, 19, Font::S, u"Фамилия И.О. руководителя:"_s);
    Edit_27 = edit(p, u"Edit_27"_s, 215, 777, 186, placeholders::kHead);
}

void TfmMain::setTabSequence()
{
    QWidget* const sequence[] = {Edit_01, edit_02, edit_03, edit_04, Edit_05, DateTime_678,
        DateTime_91011, Combo_categ, Edit_13, Edit_14, Edit_15, Edit_16, Combo_28, Combo_29,
        Combo_30, Combo_31, Edit_17, Edit_18, Edit_19, Combo_32, Combo_33, Combo_34, Edit_20,
        Edit_21, Combo_35, Combo_36, Edit_22, Edit_23, Combo_37, DateTime_242526, Edit_27, proverka,
        btnPreview, btnCearAll, Button2, Button1, Combo_42};
    for (std::size_t i = 1; i < std::size(sequence); ++i)
        setTabOrder(sequence[i - 1], sequence[i]);
}

// Attached only once every control exists, so that no handler can reach a control that is
// not built yet.
void TfmMain::connectInputHandlers()
{
    const struct {
        platform::TEdit* field;
        void (TfmMain::*click)();
        void (TfmMain::*exit)();
    } placeholders[] = {
        {Edit_01, &TfmMain::Edit_01Click, &TfmMain::Edit_01Exit},
        {edit_02, &TfmMain::edit_02Click, &TfmMain::edit_02Exit},
        {edit_03, &TfmMain::edit_03Click, &TfmMain::edit_03Exit},
        {edit_04, &TfmMain::edit_04Click, &TfmMain::edit_04Exit},
        {Edit_05, &TfmMain::Edit_05Click, &TfmMain::Edit_05Exit},
        {Edit_27, &TfmMain::Edit_27Click, &TfmMain::Edit_27Exit},
    };
    for (const auto& entry : placeholders) {
        entry.field->OnClick = [this, handler = entry.click] { (this->*handler)(); };
        entry.field->OnExit = [this, handler = entry.exit] { (this->*handler)(); };
    }

    SpeedButton1->OnClick = [this] { SpeedButton1Click(); };
    SpeedButton2->OnClick = [this] { SpeedButton2Click(); };
    SpeedButton3->OnClick = [this] { SpeedButton3Click(); };
    SpeedButton4->OnClick = [this] { SpeedButton4Click(); };

    const struct {
        TNkEdit* field;
        void (TfmMain::*change)();
    } hours[] = {
        {Edit_13, &TfmMain::Edit_13Change},
        {Edit_14, &TfmMain::Edit_14Change},
        {Edit_15, &TfmMain::Edit_15Change},
        {Edit_16, &TfmMain::Edit_16Change},
        {Edit_17, &TfmMain::Edit_17Change},
        {Edit_18, &TfmMain::Edit_18Change},
        {Edit_19, &TfmMain::Edit_19Change},
        {Edit_20, &TfmMain::Edit_20Change},
        {Edit_21, &TfmMain::Edit_21Change},
        {Edit_22, &TfmMain::Edit_22Change},
    };
    for (const auto& entry : hours)
        entry.field->OnChange = [this, handler = entry.change] { (this->*handler)(); };
    Edit_13->OnKeyPress = [this](QChar& key) { Edit_13KeyPress(key); };

    Combo_categ->OnChange = [this] { Combo_categChange(); };
}

platform::TComboBox* TfmMain::gradeField(int index) const
{
    platform::TComboBox* const fields[] = {Combo_28, Combo_29, Combo_30, Combo_31, Combo_32,
        Combo_33, Combo_34, Combo_35, Combo_36, Combo_37};
    return fields[index - 1];
}

platform::TEdit* TfmMain::textField(CertificateRole role) const
{
    switch (role) {
    case CertificateRole::School:
        return Edit_01;
    case CertificateRole::School2:
        return edit_02;
    case CertificateRole::Locality:
        return edit_03;
    case CertificateRole::Series:
        return edit_04;
    case CertificateRole::Graduate:
        return Edit_05;
    case CertificateRole::Head:
        return Edit_27;
    default:
        return nullptr;
    }
}
