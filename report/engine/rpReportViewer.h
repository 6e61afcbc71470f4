#pragma once

#include <functional>
#include <memory>

class TrpReport;

// What a progress notification is about.
enum TrpProgressType { ptRunning, ptExporting, ptPrinting };

// Told by a report how a long operation goes: preparation tells when it starts, after
// every new prepared page (its number) and when it ends; printing the same with its own
// type. The preview implements it; while one is set, the report lets the window system
// process pending messages after every notification, so the preview repaints and its
// Cancel button (which sets Terminated) works.
class TrpProgressObserver {
public:
    virtual ~TrpProgressObserver() = default;
    virtual void InternalOnProgressStart(TrpProgressType type) = 0;
    virtual void InternalOnProgress(TrpProgressType type, int progress) = 0;
    virtual void InternalOnProgressStop(TrpProgressType type) = 0;
    // Preparation could not start (an invalid band or data-set structure): an open
    // viewer closes.
    virtual void InternalOnEngineFailed() { }
};

// Something that shows a prepared report: the preview window. The report knows no more of
// it than this, so a report can be prepared and printed where no window can exist.
class TrpReportViewer {
public:
    virtual ~TrpReportViewer() = default;
    // Shows the report's prepared pages; modal returns when the viewer has closed, otherwise
    // at once.
    virtual void Show(TrpReport& report, bool modal) = 0;
    // True until the viewer has closed.
    virtual bool IsOpen() const = 0;
    // What hears of the report's progress while the viewer is open.
    virtual TrpProgressObserver* ProgressObserver() = 0;
};

// Makes a new viewer for each show.
using TrpViewerFactory = std::function<std::unique_ptr<TrpReportViewer>()>;
