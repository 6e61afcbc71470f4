#include "app/group/GroupController.h"

#include "app/CertificateForm.h"
#include "app/group/fmGroup.h"
#include "app/register/RegisterController.h"
#include "report/engine/rpReport.h"

GroupController::GroupController(
    CertificateForm& form, TrpReport& certificate, RegisterController& reg, QWidget* window)
    : fForm(form), fCertificate(certificate), fRegister(reg), fWindow(window)
{
}

void GroupController::openGroup()
{
    TfmGroup window(
        [this](int field, const QString& text) { return fForm.fieldFit(field, text); }, fWindow);
    if (window.exec() == QDialog::Accepted)
        showGroup(window.group());
}

void GroupController::showGroup(const QList<GroupGraduate>& group)
{
    const RegisterEntry form = fForm.formRecord();
    QList<RegisterEntry> prepared;
    bool complete = true;
    try {
        for (int i = 0; i < group.size() && complete; ++i) {
            const GroupGraduate& graduate = group[i];
            RegisterEntry certificate = form;
            certificate.graduate = graduate.name;
            if (!graduate.series.isEmpty())
                certificate.series = graduate.series;
            for (int g = 0; g < certificate.grades.size(); ++g) {
                const QString grade = graduate.grades.value(g);
                if (!grade.isEmpty())
                    certificate.grades[g] = grade;
            }
            fForm.showRecord(certificate);
            fForm.preprint();
            prepared.append(fForm.formRecord());
            complete = fCertificate.PrepareReport(i == 0);
        }
    } catch (...) {
        fForm.showRecord(form);
        throw;
    }
    fForm.showRecord(form);
    if (!complete)
        return;
    fRegister.setPreparedForms(prepared);
    fCertificate.ShowPreparedReport();
}
