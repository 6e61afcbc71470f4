#pragma once

#include <QList>
#include <QPoint>
#include <QString>

#include <optional>

class QPrinter;
struct TrpDeviceMode;

// A paper source of a printer: its name for the operator, the driver's own key for it and
// its desktop source code.
struct TrpDriverBin {
    QString Name;
    QString Key;
    int Code = 0;
};

// What the printer's driver says that Qt Print Support does not: the default resolution and
// the paper sources.
struct TrpDriverFacts {
    std::optional<QPoint> Resolution;
    QList<TrpDriverBin> Bins;
    QString DefaultBinKey;
};

// Reads the facts of one queue of the system's print service; empty facts when the queue or
// its driver description cannot be read.
TrpDriverFacts rpReadDriverFacts(const QString& printerName);

// Makes the painter's origin the sheet's corner, with nothing between the sheet's edges and
// the page: the engine draws every point where the printer layer puts it on the sheet.
void rpPlaceOriginAtSheetCorner(QPrinter& printer);

// How the driver's own properties dialog ended: the system's drivers may bring none, and then
// the printer shows a form of its own.
enum class TrpDriverDialog { NoDialog, Accepted, Cancelled };

// Shows the driver's own properties dialog of the printer over the active window, on the
// record as the printer holds it (paper, orientation, copies, source, duplex). On OK the
// operator's choice is written back into the record; on Cancel the record is left alone.
TrpDriverDialog rpRunDriverDialog(const QString& printerName, TrpDeviceMode& mode);

// Makes the printer's next job take its paper from the source with that key.
void rpSelectBin(QPrinter& printer, const QString& key);

// An aborted job: the painter still hands the document to the print service when it ends, so
// the job is held there before it ends (rpHoldNextJob), then cancelled with everything
// spooled for it and the hold taken off the printer's next jobs (rpCancelHeldJob).
void rpHoldNextJob(QPrinter& printer);
void rpCancelHeldJob(QPrinter& printer);

// Right after a document was handed to the print service's queue: why the service refused
// it, or nothing when it took it. A queue that is gone is said to be gone, with the
// service's own words after it.
QString rpSpoolerRefusal(const QString& queue);
