// The form as a whole: the check of the fields still showing placeholders or holding a text
// their box of the blank cannot print whole, and clearing.

#include "app/logic/CertificateFields.h"
#include "app/logic/Placeholders.h"
#include "app/main_unit.h"
#include "platform/core/MessageService.h"
#include "report/engine/rpReport.h"
#include "report/model/rpViews.h"
#include "report/render/rpRenderMemo.h"

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

FieldFit TfmMain::fieldFit(int field, const QString& text) const
{
    const auto* memo = dynamic_cast<const TrpMemoView*>(
        rpReport1->FindObject(u"Memo"_s + QString::number(field)));
    if (!memo)
        return {false, QString()};
    // The series is typed into a field that takes no more than its blank's box.
    const bool tooLong
        = field == certificateField(CertificateRole::Series) && text.size() > edit_04->MaxLength();
    return {
        !tooLong && rpMemoLineCount(*memo, {text}) <= 1, rpMemoMissingCharacters(*memo, {text})};
}

// A typed text that is cut in its box of the blank, or has letters the blank's font cannot
// draw, would print wrong without a word; a field still at its placeholder has been reported.
bool TfmMain::checkFieldsFit()
{
    const struct {
        platform::TEdit* field;
        CertificateRole role;
        const QString& placeholder;
        QString name;
    } fields[] = {
        {Edit_01, CertificateRole::School, placeholders::kSchoolName,
            u"официальное наименование образовательной организации"_s},
        {edit_02, CertificateRole::School2, placeholders::kSchoolName,
            u"официальное наименование образовательной организации (вторая строка)"_s},
        {edit_03, CertificateRole::Locality, placeholders::kLocality,
            u"Наименование населенного пункта"_s},
        {edit_04, CertificateRole::Series, placeholders::kSeries, u"Серия"_s},
        {Edit_05, CertificateRole::Graduate, placeholders::kGraduate, u"Фамилия Имя Отчество"_s},
        {Edit_27, CertificateRole::Head, placeholders::kHead, u"Фамилия И.О. руководителя"_s},
    };
    bool all = true;
    for (const auto& entry : fields) {
        const QString text = entry.field->Text();
        if (text == entry.placeholder)
            continue;
        const FieldFit fit = fieldFit(certificateField(entry.role), text);
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

    // The subjects' grades "Зачтено", the qualification exam's "Отлично".
    for (int i = 1; i < RegisterEntry::kGradeCount; ++i)
        gradeField(i)->SetItemIndex(0);
    gradeField(RegisterEntry::kGradeCount)->SetItemIndex(1);
}
