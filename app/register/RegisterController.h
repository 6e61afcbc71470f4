#pragma once

#include "register/RegisterEntry.h"

#include <QList>

class CertificateForm;
class QWidget;
class TrpReport;
struct TrpAcceptedJob;

// The register of issued certificates as the main window uses it: what a printed certificate
// leaves in it, the register window and a form filled from a record.
class RegisterController {
public:
    RegisterController(CertificateForm& form, QWidget* window);

    // "Журнал…": the register window; a line opened from it fills the form.
    void openRegister();
    // The form behind each page of the certificate's preparation that is about to show.
    void setPreparedForms(const QList<RegisterEntry>& forms);
    // Writes one line for every certificate sheet of a job the spooler accepted; when the
    // register cannot be written the operator is told that this print is not recorded.
    void recordPrinted(TrpReport& report, const TrpAcceptedJob& job);

private:
    CertificateForm& fForm;
    QWidget* fWindow;
    QList<RegisterEntry> fPreparedForms;
};
