#pragma once

#include "report/engine/rpReport.h"
#include "report/print/rpPageSetup.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QPushButton;
class QRadioButton;
class TrpCustomReport;
class TrpReportPage;

namespace platform {
class TEdit;
}

// The page-settings dialog: paper size, orientation and margins of one page, shown in the
// unit of the report's settings store. OK writes them into the page it was given; what then
// happens to the report is the caller's (NeedRebuild says which of the two was chosen).
class TrpPageSettingsForm : public QDialog {
    Q_OBJECT

public:
    TrpPageSettingsForm(TrpReportPage& page, const TrpCustomReport& report,
        TrpCustomPrinter& printer, QWidget* parent = nullptr);

    // "Apply to all pages" is chosen.
    bool NeedRebuild() const;
    // Reads and checks every field, then writes the page and closes with OK. A field that
    // is not a number throws before anything is written, and the dialog stays open.
    void OkClick();

    QComboBox* SizeCB = nullptr;
    platform::TEdit* WidthE = nullptr;
    platform::TEdit* HeightE = nullptr;
    QRadioButton* PortraitRB = nullptr;
    QRadioButton* LandscapeRB = nullptr;
    QLabel* PortraitImg = nullptr;
    QLabel* LandscapeImg = nullptr;
    platform::TEdit* LeftE = nullptr;
    platform::TEdit* TopE = nullptr;
    platform::TEdit* RightE = nullptr;
    platform::TEdit* BottomE = nullptr;
    QRadioButton* CurrentRB = nullptr;
    QRadioButton* AllRB = nullptr;
    QPushButton* OkB = nullptr;
    QPushButton* CancelB = nullptr;
    QList<QLabel*> UnitLabels;

private:
    void build();
    void connectControls();
    // Shows the fields and choices of FSetup; the edits' change handlers stay quiet.
    void showSetup();
    // Takes the texts of the edits into FSetup.
    void takeFields();
    void sizeEdited();

    TrpReportPage& FPage;
    TrpPageSetup FSetup;
    bool FUpdating = false;
};

// The page settings a report's preview runs (TrpReport::SetPageSetupCommand): the dialog on
// the page over the current printer; when the operator applies it to all pages, the report's
// pages take the page's settings.
TrpPageSetupResult rpRunPageSettings(TrpReport& report, TrpReportPage& page);
