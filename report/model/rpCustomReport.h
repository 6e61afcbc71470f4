#pragma once

#include "rpComponent.h"

#include <QStringList>

class QIODevice;
class TrpPage;

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

// The report as a document: the root of the tree, whose children are its pages, with the
// report's options as published properties. It is written and read as "TrpReport": the
// engine's TrpReport adds running a report, not properties, so a memory copy or a loaded
// document of either is this class.
class TrpCustomReport : public TrpComponent {
public:
    TrpCustomReport();
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
    const TrpPreviewOptions& PreviewOptions() const { return FPreviewOptions; }
    const TrpPrintOptions& PrintOptions() const { return FPrintOptions; }
    const TrpEngineOptions& EngineOptions() const { return FEngineOptions; }
    const TrpReportOptions& ReportOptions() const { return FReportOptions; }
    const QString& IniFile() const { return FIniFile; }
    bool DotMatrixReport() const { return FDotMatrixReport; }
    const QString& ScriptLanguage() const { return FScriptLanguage; }
    const QStringList& ScriptText() const { return FScriptText; }

    // The whole report (all pages and objects with every stored property) as a document.
    void SaveToStream(QIODevice& stream) const;
    // Replaces the whole report by the document's. On error (EReadError, naming the object
    // and property) the report is left exactly as it was.
    void LoadFromStream(QIODevice& stream);
    // Takes over the properties and pages of another report, which is left empty.
    void Assign(TrpCustomReport& source);

protected:
    TrpPreviewOptions FPreviewOptions;
    TrpPrintOptions FPrintOptions;
    TrpEngineOptions FEngineOptions;
    TrpReportOptions FReportOptions;

private:
    QString FIniFile = QStringLiteral("\\Software\\Report Engine");
    bool FDotMatrixReport = false;
    QString FScriptLanguage = QStringLiteral("Pascal");
    QStringList FScriptText {QStringLiteral("begin"), QString(), QStringLiteral("end.")};
};
