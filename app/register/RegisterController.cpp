#include "app/register/RegisterController.h"

#include "app/CertificateForm.h"
#include "app/logic/CertificateRecord.h"
#include "app/logic/RegisterSettings.h"
#include "app/register/RegisterWriteWait.h"
#include "app/register/fmRegister.h"
#include "platform/core/MessageService.h"
#include "register/CertificateRegister.h"
#include "register/RegisterError.h"
#include "report/engine/rpPreviewPages.h"
#include "report/engine/rpReport.h"
#include "report/model/rpPages.h"
#include "report/print/rpPrintCommand.h"

#include <QSysInfo>

using namespace Qt::Literals::StringLiterals;

RegisterController::RegisterController(CertificateForm& form, QWidget* window)
    : fForm(form), fWindow(window)
{
}

void RegisterController::openRegister()
{
    CertificateRegister reg(registerLocation());
    TfmRegister window(reg, fWindow);
    if (window.exec() == QDialog::Accepted)
        fForm.showRecord(reg.entry(window.chosenNumber()));
}

void RegisterController::setPreparedForms(const QList<RegisterEntry>& forms)
{
    fPreparedForms = forms;
}

void RegisterController::recordPrinted(TrpReport& report, const TrpAcceptedJob& job)
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
            if (printedAsTheForm(entry)) {
                entries.append(entry);
                continue;
            }
        }
        entries.append(printedPage(*page, job.Printer, printedAt));
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
