#pragma once

#include "rpComponent.h"

#include <QPointer>
#include <QStringList>

#include <memory>

class QIODevice;
class QTimer;
class TrpEngine;
class TrpPage;
class TrpPreview;
class TrpPreviewForm;
class TrpPreviewPages;

// What a progress notification is about.
enum TrpProgressType { ptRunning, ptExporting, ptPrinting };

// Told by a report how a long operation goes: preparation tells
// when it starts, after every new prepared page (its number) and when it ends. The preview
// implements it; while one is set, the report lets the window system process pending
// messages after every notification, so the preview repaints and its Cancel button (which
// sets Terminated) works.
class TrpProgressObserver {
public:
    virtual ~TrpProgressObserver() = default;
    virtual void InternalOnProgressStart(TrpProgressType type) = 0;
    virtual void InternalOnProgress(TrpProgressType type, int progress) = 0;
    virtual void InternalOnProgressStop(TrpProgressType type) = 0;
    // Preparation could not start (an invalid band or data-set structure): an open
    // preview window closes.
    virtual void InternalOnEngineFailed() { }
};

struct TrpPreviewOptions {
    bool AllowEdit = true;
    int Buttons = 0x0FFF; // pbPrint ... pbExportQuick
    bool Maximized = true;
    bool MDIChild = false;
    bool Modal = true;
    bool OutlineExpand = true;
    bool OutlineVisible = false;
    int OutlineWidth = 120;
    int PagesInCache = 50;
    bool ShowCaptions = false;
    bool ThumbnailVisible = false;
    double Zoom = 1.0;
    TrpZoomMode ZoomMode = zmDefault;
};

struct TrpPrintOptions {
    int Copies = 1;
    bool Collate = true;
    QString PageNumbers;
    QString Printer = QStringLiteral("Default");
    TrpPrintMode PrintMode = pmDefault;
    int PrintOnSheet = 0;
    TrpPrintPages PrintPages = ppAll;
    bool Reverse = false;
    bool ShowDialog = true;
    QString PrnOutFileName;
    TrpDuplexMode Duplex = dmNone;
    int SplicingLine = 3; // mm
};

struct TrpEngineOptions {
    bool DestroyForms = true;
    TrpSilentMode SilentMode = simMessageBoxes;
    bool DoublePass = false;
    bool UseFileCache = false;
    int MaxMemSize = 10; // MB
    bool PrintIfEmpty = true;
    bool ConvertNulls = true;
    bool IgnoreDevByZero = false;
    bool EnableThreadSafe = false;
    QString TempDir;
};

struct TrpReportOptions {
    QString Name;
    QString Password;
};

// The report: root of the tree; its children are its pages.
class TrpReport : public TrpComponent {
public:
    TrpReport();
    ~TrpReport() override;
    static const TrpClassInfo& staticClassInfo();
    const TrpClassInfo& classInfo() const override;
    static void publishOwn(TrpPropertyList& list);
    QString BaseName() const override { return QStringLiteral("Report"); }

    int PagesCount() const;
    TrpPage* Pages(int index) const;

    TrpPreviewOptions& PreviewOptions() { return FPreviewOptions; }
    TrpPrintOptions& PrintOptions() { return FPrintOptions; }
    TrpEngineOptions& EngineOptions() { return FEngineOptions; }
    TrpReportOptions& ReportOptions() { return FReportOptions; }
    const QString& IniFile() const { return FIniFile; }
    bool DotMatrixReport() const { return FDotMatrixReport; }
    const QString& ScriptLanguage() const { return FScriptLanguage; }
    const QStringList& ScriptText() const { return FScriptText; }

    // The errors of the last preparation: sorted without regard to letter case, and a text
    // already there (compared the same way) is not added again.
    const QStringList& Errors() const { return FErrors; }
    void AddError(const QString& text);
    void ClearErrors() { FErrors.clear(); }

    // Prepares the template into prepared pages: the template is
    // copied into memory, the engine runs, and the template is rebuilt from the copy, so
    // afterwards it holds new instances with the values it had before. Errors are collected,
    // sorted, and reported once as EngineOptions.SilentMode says (a message box "Error",
    // an exception, or not at all). True when the pages were prepared without errors.
    // While the engine runs, a nested call does nothing and returns false.
    bool PrepareReport(bool ClearLastReport = true);

    // Shows the report in a new preview window (modal with the default options, so this
    // returns when the window closes). The prepared pages are emptied when asked; the
    // report's 50 ms one-shot timer then prepares the report inside the window's message
    // loop, so the window opens at once and fills as pages come.
    void ShowReport(bool ClearLastReport = true);
    // Opens the preview window on the prepared pages as they are.
    void ShowPreparedReport();
    // The preview window showing this report, and its preview control; none when closed.
    TrpPreviewForm* PreviewForm() const;
    TrpPreview* Preview() const;
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
    // EngineOptions.EnableThreadSafe); nothing without an observer.
    void InternalOnProgressStart(TrpProgressType type);
    void InternalOnProgress(TrpProgressType type, int progress);
    void InternalOnProgressStop(TrpProgressType type);

    // The whole report (all pages and objects with every stored property) as a document.
    void SaveToStream(QIODevice& stream) const;
    // Replaces the whole report by the document's. On error (EReadError, naming the object
    // and property) the report is left exactly as it was.
    void LoadFromStream(QIODevice& stream);
    // Takes over the properties and pages of another report, which is left empty.
    void Assign(TrpReport& source);

private:
    TrpPreviewOptions FPreviewOptions;
    TrpPrintOptions FPrintOptions;
    TrpEngineOptions FEngineOptions;
    TrpReportOptions FReportOptions;
    QString FIniFile = QStringLiteral("\\Software\\Report Engine");
    bool FDotMatrixReport = false;
    QString FScriptLanguage = QStringLiteral("Pascal");
    QStringList FScriptText {QStringLiteral("begin"), QString(), QStringLiteral("end.")};
    QStringList FErrors;
    bool FTerminated = false;
    bool FReloading = false;
    TrpProgressObserver* FProgressObserver = nullptr;
    std::unique_ptr<TrpPreviewPages> FPreviewPages;
    std::unique_ptr<TrpEngine> FEngine;
    std::unique_ptr<QTimer> FPrepareTimer;
    QPointer<TrpPreviewForm> FPreviewForm;
};
