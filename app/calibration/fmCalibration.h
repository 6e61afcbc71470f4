#pragma once

#include "app/logic/Calibration.h"

#include <QDialog>

class QPushButton;

namespace platform {
class TEdit;
}

// "Калибровка по измерению": the operator enters the two distances measured on the printed
// test page. OK computes the new margins from the ones the page was printed with; a refused
// measurement is told and the dialog stays open.
class TfmCalibration : public QDialog {
    Q_OBJECT

public:
    TfmCalibration(double printedLeft, double printedTop, QWidget* parent = nullptr);

    void OkClick();
    const CalibrationResult& Result() const { return fResult; }

    platform::TEdit* LeftE = nullptr;
    platform::TEdit* TopE = nullptr;
    QPushButton* OkB = nullptr;
    QPushButton* CancelB = nullptr;

private:
    double fPrintedLeft;
    double fPrintedTop;
    CalibrationResult fResult;
};
