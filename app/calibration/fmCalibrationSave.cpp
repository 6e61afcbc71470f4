#include "app/calibration/fmCalibrationSave.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TfmCalibrationSave::TfmCalibrationSave(const QString& text, QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QString::fromUtf8("Калибровка по измерению"));
    auto* layout = new QVBoxLayout(this);
    TextL = new QLabel(text, this);
    layout->addWidget(TextL);
    auto* buttons = new QDialogButtonBox(this);
    SaveB = buttons->addButton(
        QString::fromUtf8("Сохранить настройки"), QDialogButtonBox::AcceptRole);
    CloseB = buttons->addButton(QString::fromUtf8("Закрыть"), QDialogButtonBox::RejectRole);
    SaveB->setDefault(true);
    layout->addWidget(buttons);
    connect(SaveB, &QPushButton::clicked, this, &QDialog::accept);
    connect(CloseB, &QPushButton::clicked, this, &QDialog::reject);
}
