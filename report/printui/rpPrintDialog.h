#pragma once

#include "report/model/rpTypes.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QToolButton;
class TrpCustomPrinter;
class TrpPictureItemDelegate;
class TrpReport;

namespace platform {
class TEdit;
}

// The print dialog: printer, pages, copies, order, duplex and print mode of one job. It
// opens on the report's print options; OK writes the choices into them (the print command
// puts them back after the job) and the chosen printer stays current, Cancel makes the
// printer of before current again.
class TrpPrintDialog : public QDialog {
    Q_OBJECT

public:
    TrpPrintDialog(TrpReport& report, TrpDuplexMode duplex, QWidget* parent = nullptr);

    // The duplex list's choice.
    TrpDuplexMode Duplex() const;

    // Asks for the output file when "Print to file" is ticked, then writes the choices into
    // the report's print options and closes with OK. A copies field that is no number
    // throws before anything is written, and the dialog stays open; a cancelled file
    // dialog closes the print dialog as cancelled, the chosen printer staying current.
    void OkClick();
    void PropertiesClick();

    QComboBox* PrinterCB = nullptr;
    QPushButton* PropButton = nullptr;
    QLabel* WhereLbl = nullptr;
    QCheckBox* FileCB = nullptr;
    QRadioButton* AllRB = nullptr;
    QRadioButton* CurPageRB = nullptr;
    QRadioButton* PageNumbersRB = nullptr;
    platform::TEdit* PageNumbersE = nullptr;
    platform::TEdit* CopiesE = nullptr;
    QToolButton* CopiesUp = nullptr;
    QToolButton* CopiesDown = nullptr;
    QCheckBox* CollateCB = nullptr;
    QLabel* CollateImg = nullptr;
    QComboBox* PrintCB = nullptr;
    QComboBox* OrderCB = nullptr;
    QComboBox* DuplexCB = nullptr;
    QComboBox* ModeCB = nullptr;
    QComboBox* SheetCB = nullptr;
    QPushButton* OkB = nullptr;
    QPushButton* CancelB = nullptr;

    // Cancel, Escape and closing the window: the printer of before is current again.
    void reject() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void build();
    void connectControls();
    void showOptions(TrpDuplexMode duplex);
    // Makes the printer at the index current and shows its port and papers.
    void PrinterChanged(int index);
    void ModeChanged();
    void StepCopies(int step);
    void showCollatePicture();
    TrpCustomPrinter& printer() const;

    TrpReport& FReport;
    int FOldIndex;
};

// Runs the print dialog modally over the active window, as the print command asks for it.
bool rpRunPrintDialog(TrpReport& report, TrpDuplexMode& duplex);
