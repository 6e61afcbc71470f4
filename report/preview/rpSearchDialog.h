#pragma once

#include <QDialog>

class QCheckBox;
class QLineEdit;

// The search dialog of the preview: the text to find and the two search options.
class TrpSearchDialog : public QDialog {
    Q_OBJECT

public:
    // The text field starts with the given text, selected.
    explicit TrpSearchDialog(const QString& text, QWidget* parent = nullptr);

    QLineEdit* TextE = nullptr;
    QCheckBox* TopCB = nullptr;
    QCheckBox* CaseCB = nullptr;
};
