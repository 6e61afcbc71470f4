#pragma once

#include <QList>

class CertificateForm;
class QWidget;
class RegisterController;
class TrpReport;
struct GroupGraduate;

// "Печать группы…": one certificate per graduate of a group, each filled from the form as it
// stands with the graduate's name, series and grades, all in one prepared report.
class GroupController {
public:
    GroupController(
        CertificateForm& form, TrpReport& certificate, RegisterController& reg, QWidget* window);

    // The group window; an accepted group goes to the preview.
    void openGroup();
    // Prepares one certificate per graduate into one prepared report and shows it; the form
    // shows what it showed before.
    void showGroup(const QList<GroupGraduate>& group);

private:
    CertificateForm& fForm;
    TrpReport& fCertificate;
    RegisterController& fRegister;
    QWidget* fWindow;
};
