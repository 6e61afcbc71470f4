// The form as the register keeps it: its texts as a record, and the form filled from one.

#include "app/main_unit.h"

RegisterEntry TfmMain::formRecord() const
{
    RegisterEntry entry;
    entry.school = Edit_01->Text();
    entry.school2 = edit_02->Text();
    entry.locality = edit_03->Text();
    entry.series = edit_04->Text();
    entry.graduate = Edit_05->Text();
    entry.periodFrom = DateTime_678->date();
    entry.periodTo = DateTime_91011->date();
    entry.category = Combo_categ->Text();
    entry.transmission = Combo_42->Text();
    for (int i = 1; i <= RegisterEntry::kHourCount; ++i)
        entry.hours.append(hourOrTotalField(i)->Text());
    for (int i = 1; i <= RegisterEntry::kGradeCount; ++i)
        entry.grades.append(gradeField(i)->Text());
    entry.issuedOn = DateTime_242526->date();
    entry.head = Edit_27->Text();
    return entry;
}

void TfmMain::showRecord(const RegisterEntry& entry)
{
    Edit_01->SetText(entry.school);
    edit_02->SetText(entry.school2);
    edit_03->SetText(entry.locality);
    edit_04->SetText(entry.series);
    Edit_05->SetText(entry.graduate);
    DateTime_678->setDate(entry.periodFrom);
    DateTime_91011->setDate(entry.periodTo);
    Combo_categ->SetText(entry.category);
    Combo_42->SetText(entry.transmission);
    // The total last: the hours' change handlers work it out on the way, the record's own
    // text is what was printed.
    for (int i = 1; i <= RegisterEntry::kHourCount && i <= entry.hours.size(); ++i)
        hourOrTotalField(i)->SetText(entry.hours[i - 1]);
    for (int i = 1; i <= RegisterEntry::kGradeCount && i <= entry.grades.size(); ++i)
        gradeField(i)->SetText(entry.grades[i - 1]);
    DateTime_242526->setDate(entry.issuedOn);
    Edit_27->SetText(entry.head);
}
