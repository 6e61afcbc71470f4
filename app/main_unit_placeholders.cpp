// The six fields that show a grey placeholder until they are filled in, and the hint buttons
// beside four of them.

#include "app/logic/Placeholders.h"
#include "app/main_unit.h"
#include "platform/core/MessageService.h"

using namespace Qt::Literals::StringLiterals;

namespace {

// A click into a field that shows its placeholder empties it for typing in black.
void placeholderClick(platform::TEdit* field, const QString& placeholder)
{
    if (field->Text() == placeholder) {
        field->SetText(QString());
        field->SetFontColor(placeholders::kBlack);
    }
}

// A field left empty shows its placeholder again.
void placeholderExit(platform::TEdit* field, const QString& placeholder)
{
    if (field->Text().isEmpty()) {
        field->SetText(placeholder);
        field->SetFontColor(placeholders::kGrey);
    }
}

} // namespace

void TfmMain::Edit_01Click() { placeholderClick(Edit_01, placeholders::kSchoolName); }
void TfmMain::Edit_01Exit() { placeholderExit(Edit_01, placeholders::kSchoolName); }
void TfmMain::edit_02Click() { placeholderClick(edit_02, placeholders::kSchoolName); }
void TfmMain::edit_02Exit() { placeholderExit(edit_02, placeholders::kSchoolName); }
void TfmMain::edit_03Click() { placeholderClick(edit_03, placeholders::kLocality); }
void TfmMain::edit_03Exit() { placeholderExit(edit_03, placeholders::kLocality); }
void TfmMain::edit_04Click() { placeholderClick(edit_04, placeholders::kSeries); }
void TfmMain::edit_04Exit() { placeholderExit(edit_04, placeholders::kSeries); }
void TfmMain::Edit_05Click() { placeholderClick(Edit_05, placeholders::kGraduate); }
void TfmMain::Edit_05Exit() { placeholderExit(Edit_05, placeholders::kGraduate); }
void TfmMain::Edit_27Click() { placeholderClick(Edit_27, placeholders::kHead); }
void TfmMain::Edit_27Exit() { placeholderExit(Edit_27, placeholders::kHead); }

void TfmMain::SpeedButton1Click()
{
    platform::ShowMessage(u"Официальное название образовательной организации в именительном "
                          u"падеже, согласно Уставу данной образовательной организации"_s);
}

void TfmMain::SpeedButton2Click()
{
    platform::ShowMessage(u"Наименование города (населенного пункта), в котором находится "
                          u"образовательная организация (в соответствии с ОКАТО)"_s);
}

void TfmMain::SpeedButton3Click()
{
    platform::ShowMessage(u"фамилия, имя и отчество лица, прошедшего профессиональное обучение "
                          u"(пишется полностью в именительном падеже в соответствии с записью в "
                          u"паспорте или заменяющем его документе)"_s);
}

void TfmMain::SpeedButton4Click()
{
    // The last letter is the Latin a.
    platform::ShowMessage(u"Серия бланка содержит 4 символa"_s);
}
