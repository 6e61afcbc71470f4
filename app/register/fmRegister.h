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

// The register window ("Журнал выданных свидетельств"): which register it is (its file, or
// its server and database), then the register's lines, newest first, found by a piece of
// the name or series and a range of issue dates, sortable by any column; a spoiled blank is
// shown struck through. "Открыть в форме" closes the window accepted with the chosen line's
// number for the main window to fill the form from. The table holds the newest kShownLines
// lines found; the export takes every line found; "Обновить" (F5) reads the lines again.
// A register that cannot be read (a server gone down) empties the table and says why in
// the window, once, rather than in a box at every key; a read-only register is shown and
// exported but not marked.
class TfmRegister : public QDialog {
    Q_OBJECT

public:
    static constexpr int kShownLines = 1000;

    explicit TfmRegister(CertificateRegister& reg, QWidget* parent = nullptr);

    // Names the register, and says when it is read-only.
    QLabel* labelLocation = nullptr;
    QLineEdit* editSearch = nullptr;
    QCheckBox* checkFrom = nullptr;
    QDateEdit* dateFrom = nullptr;
    QCheckBox* checkTo = nullptr;
    QDateEdit* dateTo = nullptr;
    QTableWidget* Grid = nullptr;
    // Says when more lines were found than the table shows.
    QLabel* labelShown = nullptr;
    // Why the lines cannot be read, or what a write waits for.
    QLabel* labelStatus = nullptr;
    QPushButton* btnOpen = nullptr;
    QPushButton* btnSpoil = nullptr;
    QPushButton* btnExport = nullptr;
    QPushButton* btnRefresh = nullptr;
    QPushButton* btnClose = nullptr;

    // The number of the line chosen with "Открыть в форме"; 0 before.
    qint64 chosenNumber() const { return fChosen; }

    void searchChange();
    void btnOpenClick();
    void btnSpoilClick();
    void btnExportClick();
    void btnRefreshClick();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void buildControls();
    RegisterQuery query() const;
    void showLines();
    // The line the table's current row shows; nothing without one.
    const RegisterLine* currentLine() const;
    qint64 currentNumber() const;

    CertificateRegister& fRegister;
    QList<RegisterLine> fLines;
    qint64 fChosen = 0;
};
