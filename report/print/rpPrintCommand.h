#pragma once

#include "report/model/rpTypes.h"

#include <QList>
#include <QString>

#include <functional>

class TrpReport;

// The print dialog as the print command sees it: run modally on the report's print options
// and the duplex mode; true on OK, after which the options hold the operator's choices.
using TrpPrintDialogRunner = std::function<bool(TrpReport& report, TrpDuplexMode& duplex)>;

// A job the printer's spooler accepted: the printer's name and the prepared pages by index,
// once for every sheet printed with them, in the order they came out.
struct TrpAcceptedJob {
    QString Printer;
    QList<int> Sheets;
};

// Told once the document of a job has ended with at least one sheet; never for a cancelled
// dialog, an aborted job or output into a file.
using TrpJobAccepted = std::function<void(const TrpAcceptedJob& job)>;

// The print command of the prepared pages: the report's printer chosen by name ("Default"
// keeps the current one), the dialog when PrintOptions.ShowDialog, the job on the current
// printer. The print options are the same afterwards as before: the dialog's choices last
// for this one job. False when nothing could be printed or the dialog was cancelled.
bool rpPrintPreparedPages(TrpReport& report, const TrpPrintDialogRunner& dialog = {},
    const TrpJobAccepted& accepted = {});
