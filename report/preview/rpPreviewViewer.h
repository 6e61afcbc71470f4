#pragma once

#include "report/engine/rpReportViewer.h"

class TrpPreviewForm;

// What makes the report's viewers the preview window; handed to a report by its owner
// (report.SetViewerFactory(rpPreviewWindows())).
TrpViewerFactory rpPreviewWindows();

// The preview window showing the report; none when it shows in none.
TrpPreviewForm* rpPreviewFormOf(const TrpReport& report);
