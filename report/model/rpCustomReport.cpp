#include "rpCustomReport.h"

#include "rpPages.h"
#include "rpPublish.h"
#include "rpStream.h"

// Written and read under the name of the report that runs it.
const TrpClassInfo& TrpCustomReport::staticClassInfo()
{
    static const TrpClassInfo info = rpClassInfo<TrpCustomReport, TrpComponent>("TrpReport");
    return info;
}

const TrpClassInfo& TrpCustomReport::classInfo() const { return staticClassInfo(); }

TrpCustomReport::TrpCustomReport() = default;

void TrpCustomReport::publishOwn(TrpPropertyList& list)
{
    using T = TrpPropType;
    using C = TrpCustomReport;
    const auto add = [&list](const char* name, T type, auto access, QStringList names = {}) {
        list.append(rpField<C>(name, type, access, std::move(names)));
    };
    add(
        "ReportOptions.Name", T::String, [](C & c) -> auto& { return c.FReportOptions.Name; });
    add(
        "ReportOptions.Password", T::String,
        [](C & c) -> auto& { return c.FReportOptions.Password; });
    add(
        "IniFile", T::String, [](C & c) -> auto& { return c.FIniFile; });
    add(
        "DotMatrixReport", T::Bool, [](C & c) -> auto& { return c.FDotMatrixReport; });
    add(
        "ScriptLanguage", T::String, [](C & c) -> auto& { return c.FScriptLanguage; });
    add(
        "ScriptText", T::Lines, [](C & c) -> auto& { return c.FScriptText; });

    add(
        "EngineOptions.DestroyForms", T::Bool,
        [](C & c) -> auto& { return c.FEngineOptions.DestroyForms; });
    add("EngineOptions.SilentMode", T::Enum,
        [](C & c) -> auto& { return c.FEngineOptions.SilentMode; },
        {"simMessageBoxes", "simSilent", "simReThrow"});
    add(
        "EngineOptions.DoublePass", T::Bool,
        [](C & c) -> auto& { return c.FEngineOptions.DoublePass; });
    add(
        "EngineOptions.UseFileCache", T::Bool,
        [](C & c) -> auto& { return c.FEngineOptions.UseFileCache; });
    add(
        "EngineOptions.MaxMemSize", T::Int,
        [](C & c) -> auto& { return c.FEngineOptions.MaxMemSize; });
    add(
        "EngineOptions.PrintIfEmpty", T::Bool,
        [](C & c) -> auto& { return c.FEngineOptions.PrintIfEmpty; });
    add(
        "EngineOptions.ConvertNulls", T::Bool,
        [](C & c) -> auto& { return c.FEngineOptions.ConvertNulls; });
    add(
        "EngineOptions.IgnoreDevByZero", T::Bool,
        [](C & c) -> auto& { return c.FEngineOptions.IgnoreDevByZero; });
    add(
        "EngineOptions.EnableThreadSafe", T::Bool,
        [](C & c) -> auto& { return c.FEngineOptions.EnableThreadSafe; });
    add(
        "EngineOptions.TempDir", T::String,
        [](C & c) -> auto& { return c.FEngineOptions.TempDir; });

    add(
        "PreviewOptions.AllowEdit", T::Bool,
        [](C & c) -> auto& { return c.FPreviewOptions.AllowEdit; });
    add("PreviewOptions.Buttons", T::Set, [](C & c) -> auto& { return c.FPreviewOptions.Buttons; },
        {"pbPrint", "pbLoad", "pbSave", "pbExport", "pbZoom", "pbFind", "pbOutline", "pbPageSetup",
            "pbTools", "pbEdit", "pbNavigator", "pbExportQuick", "pbNoClose", "pbNoFullScreen",
            "pbNoEmail"});
    add(
        "PreviewOptions.Maximized", T::Bool,
        [](C & c) -> auto& { return c.FPreviewOptions.Maximized; });
    add(
        "PreviewOptions.MDIChild", T::Bool,
        [](C & c) -> auto& { return c.FPreviewOptions.MDIChild; });
    add(
        "PreviewOptions.Modal", T::Bool, [](C & c) -> auto& { return c.FPreviewOptions.Modal; });
    add(
        "PreviewOptions.OutlineExpand", T::Bool,
        [](C & c) -> auto& { return c.FPreviewOptions.OutlineExpand; });
    add(
        "PreviewOptions.OutlineVisible", T::Bool,
        [](C & c) -> auto& { return c.FPreviewOptions.OutlineVisible; });
    add(
        "PreviewOptions.OutlineWidth", T::Int,
        [](C & c) -> auto& { return c.FPreviewOptions.OutlineWidth; });
    add(
        "PreviewOptions.PagesInCache", T::Int,
        [](C & c) -> auto& { return c.FPreviewOptions.PagesInCache; });
    add(
        "PreviewOptions.ShowCaptions", T::Bool,
        [](C & c) -> auto& { return c.FPreviewOptions.ShowCaptions; });
    add(
        "PreviewOptions.ThumbnailVisible", T::Bool,
        [](C & c) -> auto& { return c.FPreviewOptions.ThumbnailVisible; });
    add(
        "PreviewOptions.Zoom", T::Float, [](C & c) -> auto& { return c.FPreviewOptions.Zoom; });
    add("PreviewOptions.ZoomMode", T::Enum,
        [](C & c) -> auto& { return c.FPreviewOptions.ZoomMode; },
        {"zmDefault", "zmWholePage", "zmPageWidth", "zmManyPages"});

    add(
        "PrintOptions.Copies", T::Int, [](C & c) -> auto& { return c.FPrintOptions.Copies; });
    add(
        "PrintOptions.Collate", T::Bool, [](C & c) -> auto& { return c.FPrintOptions.Collate; });
    add(
        "PrintOptions.PageNumbers", T::String,
        [](C & c) -> auto& { return c.FPrintOptions.PageNumbers; });
    add(
        "PrintOptions.Printer", T::String, [](C & c) -> auto& { return c.FPrintOptions.Printer; });
    add("PrintOptions.PrintMode", T::Enum, [](C & c) -> auto& { return c.FPrintOptions.PrintMode; },
        {"pmDefault", "pmSplit", "pmJoin", "pmScale"});
    add(
        "PrintOptions.PrintOnSheet", T::Int,
        [](C & c) -> auto& { return c.FPrintOptions.PrintOnSheet; });
    add("PrintOptions.PrintPages", T::Enum,
        [](C & c) -> auto& { return c.FPrintOptions.PrintPages; }, {"ppAll", "ppOdd", "ppEven"});
    add(
        "PrintOptions.Reverse", T::Bool, [](C & c) -> auto& { return c.FPrintOptions.Reverse; });
    add(
        "PrintOptions.ShowDialog", T::Bool,
        [](C & c) -> auto& { return c.FPrintOptions.ShowDialog; });
    add(
        "PrintOptions.PrnOutFileName", T::String,
        [](C & c) -> auto& { return c.FPrintOptions.PrnOutFileName; });
    add("PrintOptions.Duplex", T::Enum, [](C & c) -> auto& { return c.FPrintOptions.Duplex; },
        {"dmNone", "dmVertical", "dmHorizontal", "dmSimplex"});
    add(
        "PrintOptions.SplicingLine", T::Int,
        [](C & c) -> auto& { return c.FPrintOptions.SplicingLine; });
}

int TrpCustomReport::PagesCount() const
{
    int count = 0;
    for (TrpComponent* child : Objects()) {
        if (dynamic_cast<TrpPage*>(child))
            ++count;
    }
    return count;
}

TrpPage* TrpCustomReport::Pages(int index) const
{
    int i = 0;
    for (TrpComponent* child : Objects()) {
        if (auto* page = dynamic_cast<TrpPage*>(child); page && i++ == index)
            return page;
    }
    return nullptr;
}

void TrpCustomReport::SaveToStream(QIODevice& stream) const { rpWriteReport(stream, *this); }

void TrpCustomReport::LoadFromStream(QIODevice& stream)
{
    const std::unique_ptr<TrpCustomReport> loaded = rpReadReport(stream);
    Assign(*loaded);
}

void TrpCustomReport::Assign(TrpCustomReport& source)
{
    rpAssign(*this, source);
    const QList<TrpComponent*> old = Objects();
    for (TrpComponent* child : old)
        delete child;
    // A copy: every move takes the child out of the source's list.
    // NOLINTNEXTLINE(performance-unnecessary-copy-initialization)
    const QList<TrpComponent*> moved = source.Objects();
    for (TrpComponent* child : moved)
        child->SetParent(this);
    Loaded();
}
