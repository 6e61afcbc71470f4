#pragma once

#include "report/engine/rpReportViewer.h"

#include <functional>

class TrpPreviewForm;

// What makes the report's viewers the preview window; handed to a report by its owner
// (report.SetViewerFactory(rpPreviewWindows())).
TrpViewerFactory rpPreviewWindows();
// The same, and each window is handed to `extend` once it is bound to the report (to add
// the owner's commands).
TrpViewerFactory rpPreviewWindows(std::function<void(TrpPreviewForm&)> extend);

// The preview window showing the report; none when it shows in none.
TrpPreviewForm* rpPreviewFormOf(const TrpReport& report);
