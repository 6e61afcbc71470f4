// The form as a whole: the check of the fields still showing placeholders or holding a text
// their box of the blank cannot print whole, and clearing.

#include "app/Placeholders.h"
#include "app/main_unit.h"
#include "platform/core/MessageService.h"

using namespace Qt::Literals::StringLiterals;

void TfmMain::proverkaClick()
{
    const struct {
        platform::TEdit* field;
        const QString& placeholder;
        QString message;
    } checks[] = {
        {Edit_01, placeholders::kSchoolName,
            u"Не введено \"официальное наименование образовательной организации\""_s},
        {edit_03, placeholders::kLocality, u"Не введено \"Наименование населенного пункта\""_s},
        {edit_04, placeholders::kSeries, u"Не введено \"Серия\""_s},
        {Edit_05, placeholders::kGraduate, u"Не введено \"Фамилия Имя Отчество\""_s},
        {Edit_27, placeholders::kHead, u"Руководителя точно зовут \"Иванов И.И.\"?)) "_s},
    };
    bool itog = true;
    for (const auto& check : checks) {
        if (check.field->Text() == check.placeholder) {
            platform::ShowMessage(check.message);
            itog = false;
        }
    }
    if (!checkFieldsFit())
        itog = false;
    if (itog)
        platform::ShowMessage(u"Ошибок заполнения не найдено..."_s);
}

// A typed text that is cut in its box of the blank, or has letters the blank's font cannot
// draw, would print wrong without a word; a field still at its placeholder has been reported.
bool TfmMain::checkFieldsFit()
{
    const struct {
        platform::TEdit* field;
        int number;
        const QString& placeholder;
        QString name;
    } fields[] = {
        {Edit_01, 1, placeholders::kSchoolName,
            u"официальное наименование образовательной организации"_s},
        {edit_02, 2, placeholders::kSchoolName,
            u"официальное наименование образовательной организации (вторая строка)"_s},
        {edit_03, 3, placeholders::kLocality, u"Наименование населенного пункта"_s},
        {edit_04, 4, placeholders::kSeries, u"Серия"_s},
        {Edit_05, 5, placeholders::kGraduate, u"Фамилия Имя Отчество"_s},
        {Edit_27, 27, placeholders::kHead, u"Фамилия И.О. руководителя"_s},
    };
    bool all = true;
    for (const auto& entry : fields) {
        const QString text = entry.field->Text();
        if (text == entry.placeholder)
            continue;
        const FieldFit fit = fieldFit(entry.number, text);
        if (!fit.fits) {
            platform::ShowMessage(u"Не помещается в поле бланка \"%1\""_s.arg(entry.name));
            all = false;
        }
        if (!fit.missing.isEmpty()) {
            platform::ShowMessage(
                u"В поле \"%1\" есть знаки, которых нет в шрифте бланка: \"%2\""_s.arg(
                    entry.name, fit.missing));
            all = false;
        }
    }
    return all;
}

void TfmMain::btnCearAllClick()
{
    const struct {
        platform::TEdit* field;
        const QString& placeholder;
    } fields[] = {
        {Edit_01, placeholders::kSchoolName},
        {edit_02, placeholders::kSchoolName},
        {edit_03, placeholders::kLocality},
        {edit_04, placeholders::kSeries},
        {Edit_05, placeholders::kGraduate},
        {Edit_27, placeholders::kHead},
    };
    for (const auto& entry : fields)
        entry.field->SetFontColor(placeholders::kGrey);
    for (const auto& entry : fields)
        entry.field->SetText(entry.placeholder);

    for (int i = 1; i <= 10; ++i)
        hourField(i)->SetText(u"0"_s);

    for (platform::TComboBox* grade :
        {Combo_28, Combo_29, Combo_30, Combo_31, Combo_32, Combo_33, Combo_34, Combo_35, Combo_36})
        grade->SetItemIndex(0);
    Combo_37->SetItemIndex(1);
}
