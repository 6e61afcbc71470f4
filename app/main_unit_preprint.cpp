// Copying the form into the 42 fields of the certificate template.

#include "app/CertificateText.h"
#include "app/Placeholders.h"
#include "app/main_unit.h"
#include "platform/core/Exception.h"
#include "report/engine/rpReport.h"
#include "report/model/rpViews.h"

using namespace Qt::Literals::StringLiterals;

namespace {

// Every preparation replaces the template's objects, so a field is looked up anew each time.
void setField(TrpReport& report, int number, const QString& text)
{
    const QString name = u"Memo"_s + QString::number(number);
    auto* memo = dynamic_cast<TrpMemoView*>(report.FindObject(name));
    if (!memo)
        throw platform::Exception(u"В шаблоне свидетельства нет текстового поля %1"_s.arg(name));
    memo->SetText(text);
}

void setDateFields(TrpReport& report, int first, const QDate& date)
{
    setField(report, first, Monthstr(u"day"_s, date));
    setField(report, first + 1, Monthstr(u"month"_s, date));
    setField(report, first + 2, Monthstr(u"year"_s, date));
}

} // namespace

void TfmMain::preprint()
{
    TrpReport& report = *rpReport1;
    setField(report, 1, Edit_01->Text());
    setField(report, 2, edit_02->Text() == placeholders::kSchoolName ? u" "_s : edit_02->Text());
    setField(report, 3, edit_03->Text());
    setField(report, 4, edit_04->Text());
    setField(report, 5, Edit_05->Text());
    setDateFields(report, 6, DateTime_678->date());
    setDateFields(report, 9, DateTime_91011->date());
    setField(report, 12, Combo_categ->Text());
    for (int i = 1; i <= 10; ++i) {
        const QString hours = hourField(i)->Text();
        setField(report, 12 + i, hours == u"0"_s ? u"x"_s : hours);
    }
    setField(report, 23, Edit_23->Text());
    setDateFields(report, 24, DateTime_242526->date());
    setField(report, 27, Edit_27->Text());
    platform::TComboBox* const grades[] = {Combo_28, Combo_29, Combo_30, Combo_31, Combo_32,
        Combo_33, Combo_34, Combo_35, Combo_36, Combo_37};
    for (int i = 0; i < 10; ++i)
        setField(report, 28 + i, grades[i]->Text());
    setField(report, 38, u"X"_s);
    for (int number = 39; number <= 41; ++number)
        setField(report, number, Copy_categ(Combo_categ->Text()));
    setField(report, 42, Copy_trans(Combo_42->Text()));
}
