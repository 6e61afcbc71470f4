#pragma once

#include "rpReportViewer.h"

#include "report/model/rpCustomReport.h"

#include <QStringList>

#include <functional>
#include <memory>

class QTimer;
class TrpEngine;
class TrpPreviewPages;
class TrpReportPage;

// What the operator did in the page settings of a page shown: nothing, changed that page
// alone, or gave its settings to every page of the report, which must then be prepared again.
enum class TrpPageSetupResult { Cancelled, PageChanged, ReportPagesChanged };

// The report that runs: preparation into prepared pages and showing them through a viewer.
// As a document it is a TrpCustomReport.
class TrpReport : public TrpCustomReport, private TrpProgressObserver {
public:
    TrpReport();
    ~TrpReport() override;

    // Sends the prepared pages to a printer through the print command; false without one,
    // or when the command printed nothing.
    bool PrintPreparedReport() { return FPrintCommand && FPrintCommand(*this); }
    // What prints this report's prepared pages (the print dialog and the job); none by
    // default, so a report knows nothing of printers.
    void SetPrintCommand(std::function<bool(TrpReport&)> command)
    {
        FPrintCommand = std::move(command);
    }
    // Runs the page settings on a page (the preview hands in a copy of the page shown)
    // through the page-setup command; Cancelled without one.
    TrpPageSetupResult RunPageSetup(TrpReportPage& page)
    {
        return FPageSetupCommand ? FPageSetupCommand(*this, page) : TrpPageSetupResult::Cancelled;
    }
    // What runs the page settings (the page-settings dialog over the current printer); none
    // by default, like the print command.
    void SetPageSetupCommand(std::function<TrpPageSetupResult(TrpReport&, TrpReportPage&)> command)
    {
        FPageSetupCommand = std::move(command);
    }
    // What F1 opens in this report's preview and print dialog: the owner's own help; none by
    // default, and then the engine's help file is looked for (rpOpenHelp).
    const std::function<void()>& HelpCommand() const { return FHelpCommand; }
    void SetHelpCommand(std::function<void()> command) { FHelpCommand = std::move(command); }

    // The errors of the last preparation: sorted without regard to letter case, and a text
    // already there (compared the same way) is not added again.
    const QStringList& Errors() const { return FErrors; }
    void AddError(const QString& text);
    void ClearErrors() { FErrors.clear(); }

    // Prepares the template into prepared pages: the template is
    // copied into memory, the engine runs, and the template is rebuilt from the copy, so
    // afterwards it holds new instances with the values it had before. Errors are collected,
    // sorted, and reported once as EngineOptions.SilentMode says (a message box "Error",
    // an exception, or not at all). True when the pages were prepared without errors; a
    // preparation that fails leaves no prepared page (TrpEngine::Run).
    // While the engine runs, a nested call does nothing and returns false.
    bool PrepareReport(bool ClearLastReport = true);

    // Shows the report in a new viewer (modal with the default options, so this returns
    // when the viewer closes). The prepared pages are emptied when asked; the report's
    // 50 ms one-shot timer then prepares the report inside the viewer's message loop, so
    // the viewer opens at once and fills as pages come. A report without a viewer factory
    // prepares at once and shows nothing.
    void ShowReport(bool ClearLastReport = true);
    // Opens a new viewer on the prepared pages as they are.
    void ShowPreparedReport();
    // What makes the viewers of this report (the preview window); none by default.
    void SetViewerFactory(TrpViewerFactory factory) { FViewerFactory = std::move(factory); }
    bool HasViewerFactory() const { return static_cast<bool>(FViewerFactory); }
    // The open viewer showing this report; none when closed.
    TrpReportViewer* Viewer() const;
    // The one-shot timer that starts preparation after ShowReport.
    QTimer& PrepareTimer() const { return *FPrepareTimer; }

    // Set to stop a running preparation after the current page (the preview's Cancel);
    // preparation clears it when it starts.
    bool Terminated() const { return FTerminated; }
    void SetTerminated(bool value) { FTerminated = value; }
    // True while the template is rebuilt from its memory copy after preparation.
    bool Reloading() const { return FReloading; }

    TrpPreviewPages& PreviewPages() { return *FPreviewPages; }
    const TrpPreviewPages& PreviewPages() const { return *FPreviewPages; }
    TrpEngine& Engine() { return *FEngine; }
    const TrpEngine& Engine() const { return *FEngine; }

    // The observer told of progress (the preview); none by default.
    void SetProgressObserver(TrpProgressObserver* observer) { FProgressObserver = observer; }
    TrpProgressObserver* ProgressObserver() const { return FProgressObserver; }
    // Tell the observer, then let pending window messages through (unless
    // EngineOptions.EnableThreadSafe); nothing without an observer. The prepared pages tell
    // the report through these.
    void InternalOnProgressStart(TrpProgressType type) override;
    void InternalOnProgress(TrpProgressType type, int progress) override;
    void InternalOnProgressStop(TrpProgressType type) override;

private:
    QStringList FErrors;
    bool FTerminated = false;
    bool FReloading = false;
    TrpProgressObserver* FProgressObserver = nullptr;
    std::unique_ptr<TrpPreviewPages> FPreviewPages;
    std::unique_ptr<TrpEngine> FEngine;
    std::unique_ptr<QTimer> FPrepareTimer;
    TrpViewerFactory FViewerFactory;
    std::function<bool(TrpReport&)> FPrintCommand;
    std::function<TrpPageSetupResult(TrpReport&, TrpReportPage&)> FPageSetupCommand;
    std::function<void()> FHelpCommand;
    std::unique_ptr<TrpReportViewer> FViewer;
};
