#pragma once

#include "rpCustomPrinter.h"

#include <QList>
#include <QString>

#include <functional>

// What a printer's properties dialog offers and what the operator leaves in it: the paper
// sources and two-sided printing of the driver, and the source and duplex of the printer's
// settings record (the record's codes: duplex 1 simplex, 2 vertical, 3 horizontal).
struct TrpPrinterProperties {
    QString PrinterName;
    QList<TrpPrinterItem> Sources;
    bool CanDuplex = false;
    int Source = 0;
    int Duplex = 1;
};

// Runs the dialog modally on the properties; true on OK, with the operator's choice in them.
using TrpPropertiesDialog = std::function<bool(TrpPrinterProperties& properties)>;

// The dialog the printers show; the printer layer has no windows, so the program installs
// it (rpUsePropertiesDialog of the print dialogs). Without one a printer's properties
// dialog changes nothing.
void rpSetPropertiesDialog(TrpPropertiesDialog dialog);
bool rpRunPropertiesDialog(TrpPrinterProperties& properties);
