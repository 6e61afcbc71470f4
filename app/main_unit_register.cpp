// The register of issued certificates as the main window uses it: what a printed
// certificate leaves in it, the register window and a form filled from a record.

#include "app/CertificateRecord.h"
#include "app/RegisterSettings.h"
#include "app/RegisterWriteWait.h"
#include "app/fmRegister.h"
#include "app/main_unit.h"
#include "platform/core/MessageService.h"
#include "register/CertificateRegister.h"
#include "register/RegisterError.h"
#include "report/engine/rpPreviewPages.h"
#include "report/engine/rpReport.h"
#include "report/model/rpPages.h"
#include "report/print/rpPrintCommand.h"

#include <QSysInfo>

using namespace Qt::Literals::StringLiterals;

namespace {

// The grade selectors in the order of the record's grades.
QList<platform::TComboBox*> gradeBoxes(const TfmMain& form)
{
    return {form.Combo_28, form.Combo_29, form.Combo_30, form.Combo_31, form.Combo_32,
        form.Combo_33, form.Combo_34, form.Combo_35, form.Combo_36, form.Combo_37};
}

QList<TNkEdit*> hourBoxes(const TfmMain& form)
{
    return {form.Edit_13, form.Edit_14, form.Edit_15, form.Edit_16, form.Edit_17, form.Edit_18,
        form.Edit_19, form.Edit_20, form.Edit_21, form.Edit_22, form.Edit_23};
}

} // namespace

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
    for (const TNkEdit* hours : hourBoxes(*this))
        entry.hours.append(hours->Text());
    for (const platform::TComboBox* grade : gradeBoxes(*this))
        entry.grades.append(grade->Text());
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
    const QList<TNkEdit*> hours = hourBoxes(*this);
    for (int i = 0; i < hours.size() && i < entry.hours.size(); ++i)
        hours[i]->SetText(entry.hours[i]);
    const QList<platform::TComboBox*> grades = gradeBoxes(*this);
    for (int i = 0; i < grades.size() && i < entry.grades.size(); ++i)
        grades[i]->SetText(entry.grades[i]);
    DateTime_242526->setDate(entry.issuedOn);
    Edit_27->SetText(entry.head);
}

void TfmMain::recordPrinted(TrpReport& report, const TrpAcceptedJob& job)
{
    const QDateTime printedAt = QDateTime::currentDateTime();
    QList<RegisterEntry> entries;
    for (int index : job.Sheets) {
        const TrpReportPage* page = report.PreviewPages().GetPage(index);
        if (!page)
            continue;
        // The form behind the page, when the page still carries that form's graduate: the
        // preview may since have opened a prepared report from a file, or prepared the
        // template anew, and a record must never join one graduate's sheet to another's data.
        if (index < fPreparedForms.size()) {
            RegisterEntry entry
                = printedCertificate(fPreparedForms[index], *page, job.Printer, printedAt);
            if (entry.fields[3] == entry.series && entry.fields[4] == entry.graduate) {
                entries.append(entry);
                continue;
            }
        }
        // Otherwise the page is recorded with what it printed: the texts that print as the
        // form holds them; the hours, the transmission and the dates print altered or in
        // part, so the record leaves them empty.
        RegisterEntry printed;
        printed.hours = QStringList(RegisterEntry::kHourCount, QString());
        RegisterEntry entry = printedCertificate(printed, *page, job.Printer, printedAt);
        entry.school = entry.fields[0];
        entry.school2 = entry.fields[1];
        entry.locality = entry.fields[2];
        entry.series = entry.fields[3];
        entry.graduate = entry.fields[4];
        entry.category = entry.fields[11];
        entry.head = entry.fields[26];
        entry.grades = entry.fields.mid(27, RegisterEntry::kGradeCount);
        entries.append(entry);
    }
    // Every line names the desk that printed it.
    for (RegisterEntry& entry : entries)
        entry.desk = QSysInfo::machineHostName();
    try {
        CertificateRegister reg(registerLocation());
        const RegisterWriteWait wait(reg);
        reg.record(entries);
    } catch (const RegisterError& error) {
        platform::showErrorBox(
            error.message() + u"\n\nЭта печать в журнал выданных свидетельств не записана."_s);
    }
}

void TfmMain::subRegisterClick()
{
    CertificateRegister reg(registerLocation());
    TfmRegister window(reg, this);
    if (window.exec() == QDialog::Accepted)
        showRecord(reg.entry(window.chosenNumber()));
}
