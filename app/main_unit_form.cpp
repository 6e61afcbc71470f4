// The form as a whole: the check of the fields still showing placeholders, and clearing.

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
    if (itog)
        platform::ShowMessage(u"Ошибок заполнения не найдено..."_s);
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
