#pragma once

#include "app/logic/GroupList.h"

#include <QDialog>

class QLabel;
class QPushButton;
class QTableWidget;

// "Печать группы": a group list read from a CSV file or pasted from a spreadsheet, one row
// per graduate with what stops it from printing. "Просмотр" closes the window accepted when
// every row can be printed, and otherwise names the first row that cannot.
class TfmGroup : public QDialog {
    Q_OBJECT

public:
    TfmGroup(FieldFitCheck fits, QWidget* parent = nullptr);

    QPushButton* btnOpen = nullptr;
    QPushButton* btnPaste = nullptr;
    QTableWidget* Grid = nullptr;
    QPushButton* btnPreview = nullptr;
    QPushButton* btnClose = nullptr;
    // How many rows the list has and how many of them cannot be printed.
    QLabel* labelCount = nullptr;

    const QList<GroupGraduate>& group() const { return fGroup; }

    void btnOpenClick();
    void btnPasteClick();
    void btnPreviewClick();

private:
    void load(const QString& text);
    void showColumns(const QList<int>& grades);

    FieldFitCheck fFits;
    QList<GroupGraduate> fGroup;
};
