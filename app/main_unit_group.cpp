// "Печать группы…": one certificate per graduate of a group, each filled from the form as it
// stands with the graduate's name, series and grades, all in one prepared report.

#include "app/fmGroup.h"
#include "app/main_unit.h"
#include "report/engine/rpReport.h"
#include "report/model/rpViews.h"
#include "report/render/rpRenderMemo.h"

using namespace Qt::Literals::StringLiterals;

FieldFit TfmMain::fieldFit(int field, const QString& text) const
{
    const auto* memo = dynamic_cast<const TrpMemoView*>(
        rpReport1->FindObject(u"Memo"_s + QString::number(field)));
    if (!memo)
        return {false, QString()};
    // The series is typed into a field that takes no more than its blank's box.
    const bool tooLong = field == 4 && text.size() > edit_04->MaxLength();
    return {
        !tooLong && rpMemoLineCount(*memo, {text}) <= 1, rpMemoMissingCharacters(*memo, {text})};
}

void TfmMain::subGroupClick()
{
    TfmGroup window([this](int field, const QString& text) { return fieldFit(field, text); }, this);
    if (window.exec() == QDialog::Accepted)
        showGroup(window.group());
}

void TfmMain::showGroup(const QList<GroupGraduate>& group)
{
    const RegisterEntry form = formRecord();
    const QList<platform::TComboBox*> grades = {Combo_28, Combo_29, Combo_30, Combo_31, Combo_32,
        Combo_33, Combo_34, Combo_35, Combo_36, Combo_37};
    QList<RegisterEntry> prepared;
    bool complete = true;
    try {
        for (int i = 0; i < group.size() && complete; ++i) {
            const GroupGraduate& graduate = group[i];
            Edit_05->SetText(graduate.name);
            edit_04->SetText(graduate.series.isEmpty() ? form.series : graduate.series);
            for (int g = 0; g < grades.size(); ++g) {
                const QString grade = graduate.grades.value(g);
                grades[g]->SetText(grade.isEmpty() ? form.grades.value(g) : grade);
            }
            preprint();
            prepared.append(formRecord());
            complete = rpReport1->PrepareReport(i == 0);
        }
    } catch (...) {
        showRecord(form);
        throw;
    }
    showRecord(form);
    if (!complete)
        return;
    fPreparedForms = prepared;
    rpReport1->ShowPreparedReport();
}
