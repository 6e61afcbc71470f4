#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

// Tells the margins the calibration set and offers to save the settings at once; accepted
// when the operator chooses to save.
class TfmCalibrationSave : public QDialog {
    Q_OBJECT

public:
    explicit TfmCalibrationSave(const QString& text, QWidget* parent = nullptr);

    QLabel* TextL = nullptr;
    QPushButton* SaveB = nullptr;
    QPushButton* CloseB = nullptr;
};
