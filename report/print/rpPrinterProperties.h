#pragma once

#include "rpCustomPrinter.h"

#include <QList>
#include <QString>

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
