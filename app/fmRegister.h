#pragma once

#include "register/RegisterEntry.h"

#include <QDialog>

class CertificateRegister;
class QCheckBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

// The register window ("Журнал выданных свидетельств"): the register's lines, newest first,
// found by a piece of the name or series and a range of issue dates, sortable by any
// column; a spoiled blank is shown struck through. "Открыть в форме" closes the window
// accepted with the chosen line's number for the main window to fill the form from. The
// table holds the newest kShownLines lines found; the export takes every line found.
class TfmRegister : public QDialog {
    Q_OBJECT

public:
    static constexpr int kShownLines = 1000;

    explicit TfmRegister(CertificateRegister& reg, QWidget* parent = nullptr);

    QLineEdit* editSearch = nullptr;
    QCheckBox* checkFrom = nullptr;
    QDateEdit* dateFrom = nullptr;
    QCheckBox* checkTo = nullptr;
    QDateEdit* dateTo = nullptr;
    QTableWidget* Grid = nullptr;
    // Says when more lines were found than the table shows.
    QLabel* labelShown = nullptr;
    QPushButton* btnOpen = nullptr;
    QPushButton* btnSpoil = nullptr;
    QPushButton* btnExport = nullptr;
    QPushButton* btnClose = nullptr;

    // The number of the line chosen with "Открыть в форме"; 0 before.
    qint64 chosenNumber() const { return fChosen; }

    void searchChange();
    void btnOpenClick();
    void btnSpoilClick();
    void btnExportClick();

private:
    void buildControls();
    RegisterQuery query() const;
    void showLines();
    // The number of the line the table's current row shows; 0 without one.
    qint64 currentNumber() const;

    CertificateRegister& fRegister;
    qint64 fChosen = 0;
};
