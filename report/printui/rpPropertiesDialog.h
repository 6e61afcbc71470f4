#pragma once

#include "report/print/rpPrinterProperties.h"

#include <QDialog>

class QComboBox;
class QPushButton;

// The printer properties dialog of a system whose drivers bring none: the paper source and
// two-sided printing the driver offers, shown as the printer's settings record holds them.
class TrpPrinterPropertiesForm : public QDialog {
    Q_OBJECT

public:
    TrpPrinterPropertiesForm(const TrpPrinterProperties& properties, QWidget* parent = nullptr);

    // The operator's choice, in the record's codes.
    void TakeChoice(TrpPrinterProperties& properties) const;

    QComboBox* SourceCB = nullptr;
    QComboBox* DuplexCB = nullptr;
    QPushButton* OkB = nullptr;
    QPushButton* CancelB = nullptr;
};

// Runs the dialog modally over the parent; true on OK, with the operator's choice in the
// properties. What the print dialog hands its printer's PropertiesDlg, for a driver without a
// dialog of its own.
bool rpRunPropertiesForm(TrpPrinterProperties& properties, QWidget* parent);
