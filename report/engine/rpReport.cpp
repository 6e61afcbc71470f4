#include "rpReport.h"

#include "rpEngine.h"
#include "rpPages.h"
#include "rpPreview.h"
#include "rpPreviewForm.h"
#include "rpPreviewPages.h"
#include "rpPublish.h"
#include "rpRes.h"
#include "rpStream.h"

#include "platform/EventBoundary.h"
#include "platform/MessageService.h"

#include <QCoreApplication>
#include <QTimer>

#include <algorithm>

RP_CLASS_INFO(TrpReport, TrpComponent)

TrpReport::TrpReport()
    : FPreviewPages(std::make_unique<TrpPreviewPages>(*this)),
      FEngine(std::make_unique<TrpEngine>(*this)),
      FPrepareTimer(std::make_unique<QTimer>())
{
    FPrepareTimer->setSingleShot(true);
    FPrepareTimer->setInterval(50);
    QObject::connect(FPrepareTimer.get(), &QTimer::timeout, FPrepareTimer.get(),
        [this] { platform::runGuarded([this] { PrepareReport(false); }); });
}

TrpReport::~TrpReport()
{
    // The prepared pages' cache holds pages that are no children of the report.
    FPrepareTimer.reset();
    delete FPreviewForm.data();
    FPreviewPages.reset();
    FEngine.reset();
}

void TrpReport::ShowReport(bool ClearLastReport)
{
    if (ClearLastReport)
        FPreviewPages->Clear();
    FPrepareTimer->start();
    ShowPreparedReport();
}

void TrpReport::ShowPreparedReport()
{
    // Owned by the application rather than by a window, like every top-level window.
    auto form = std::make_unique<TrpPreviewForm>();
    FPreviewForm = form.get();
    form->Init(*this);
    if (!FPreviewOptions.Modal) {
        form->setAttribute(Qt::WA_DeleteOnClose);
        form.release()->show();
        return;
    }
    form->exec();
    // A window closed before the timer fired leaves nothing to prepare for.
    FPrepareTimer->stop();
}

TrpPreviewForm* TrpReport::PreviewForm() const { return FPreviewForm.data(); }

TrpPreview* TrpReport::Preview() const { return FPreviewForm ? FPreviewForm->Preview : nullptr; }

void TrpReport::publishOwn(TrpPropertyList& list)
{
    using T = TrpPropType;
    using C = TrpReport;
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

int TrpReport::PagesCount() const
{
    int count = 0;
    for (TrpComponent* child : Objects()) {
        if (dynamic_cast<TrpPage*>(child))
            ++count;
    }
    return count;
}

TrpPage* TrpReport::Pages(int index) const
{
    int i = 0;
    for (TrpComponent* child : Objects()) {
        if (auto* page = dynamic_cast<TrpPage*>(child); page && i++ == index)
            return page;
    }
    return nullptr;
}

void TrpReport::SaveToStream(QIODevice& stream) const { rpWriteReport(stream, *this); }

void TrpReport::LoadFromStream(QIODevice& stream)
{
    const std::unique_ptr<TrpReport> loaded = rpReadReport(stream);
    Assign(*loaded);
}

void TrpReport::Assign(TrpReport& source)
{
    rpAssign(*this, source);
    const QList<TrpComponent*> old = Objects();
    for (TrpComponent* child : old)
        delete child;
    const QList<TrpComponent*> moved = source.Objects();
    for (TrpComponent* child : moved)
        child->SetParent(this);
    Loaded();
}

void TrpReport::AddError(const QString& text)
{
    const auto less = [](const QString& a, const QString& b) {
        return QString::compare(a, b, Qt::CaseInsensitive) < 0;
    };
    const auto at = std::lower_bound(FErrors.begin(), FErrors.end(), text, less);
    if (at != FErrors.end() && QString::compare(*at, text, Qt::CaseInsensitive) == 0)
        return;
    FErrors.insert(at, text);
}

namespace {

// Reloading is on for the life of this object.
class ReloadingScope {
public:
    explicit ReloadingScope(bool& flag) : fFlag(flag) { fFlag = true; }
    ~ReloadingScope() { fFlag = false; }
    ReloadingScope(const ReloadingScope&) = delete;
    ReloadingScope& operator=(const ReloadingScope&) = delete;

private:
    bool& fFlag;
};

} // namespace

bool TrpReport::PrepareReport(bool ClearLastReport)
{
    if (FEngine->Running())
        return false;
    if (ClearLastReport)
        FPreviewPages->Clear();
    FErrors.clear();
    FTerminated = false;
    bool result = false;

    // The program's reports have no data sets, so nothing is missing (step 3).
    if (FErrors.isEmpty()) {
        const bool destroyForms = FEngineOptions.DestroyForms;
        const QString password = FReportOptions.Password;
        const int splicingLine = FPrintOptions.SplicingLine;
        // The memory copy: new instances of every page and object with every property, made
        // through the property mechanism (rpClone) rather than through the XML text, which
        // would cost the preparation of the filled certificate most of its time.
        std::unique_ptr<TrpComponent> copy;
        if (destroyForms) {
            FReportOptions.Password.clear();
            try {
                copy = rpClone(*this);
            } catch (...) {
                FReportOptions.Password = password;
                throw;
            }
            FReportOptions.Password = password;
        }

        try {
            // The script is prepared: every object hears of the start; both templates'
            // script has no statements, so nothing is compiled or run.
            for (TrpComponent* object : AllObjects())
                object->BeforeStartReport();
            if (!FTerminated) {
                if (FEngine->Run(true, false, nullptr))
                    result = true;
                else if (FProgressObserver)
                    FProgressObserver->InternalOnEngineFailed();
            }
        } catch (const platform::Exception& e) {
            AddError(e.message());
        } catch (const std::exception& e) {
            AddError(QString::fromLocal8Bit(e.what()));
        } catch (...) {
            AddError(QStringLiteral("Unknown error"));
        }

        if (destroyForms) {
            // Every page and object becomes a new instance with the values of the copy,
            // whatever the run did to them.
            const QStringList errors = FErrors;
            {
                const ReloadingScope reloading(FReloading);
                Assign(static_cast<TrpReport&>(*copy));
            }
            FReportOptions.Password = password;
            FPrintOptions.SplicingLine = splicingLine;
            FErrors = errors;
        }
    }

    if (!FErrors.isEmpty()) {
        result = false;
        QString text = rpGet(QStringLiteral("clErrors")) + QStringLiteral("\r\n");
        for (const QString& line : std::as_const(FErrors))
            text += line + QStringLiteral("\r\n");
        switch (FEngineOptions.SilentMode) {
        case simMessageBoxes:
            platform::showEngineError(text, rpGet(QStringLiteral("mbError")));
            break;
        case simReThrow:
            throw platform::Exception(text);
        case simSilent:
            break;
        }
    }
    return result;
}

namespace {

void letMessagesThrough(bool threadSafe)
{
    if (!threadSafe && QCoreApplication::instance())
        QCoreApplication::processEvents();
}

} // namespace

void TrpReport::InternalOnProgressStart(TrpProgressType type)
{
    if (!FProgressObserver)
        return;
    FProgressObserver->InternalOnProgressStart(type);
    letMessagesThrough(FEngineOptions.EnableThreadSafe);
}

void TrpReport::InternalOnProgress(TrpProgressType type, int progress)
{
    if (!FProgressObserver)
        return;
    FProgressObserver->InternalOnProgress(type, progress);
    letMessagesThrough(FEngineOptions.EnableThreadSafe);
}

void TrpReport::InternalOnProgressStop(TrpProgressType type)
{
    if (!FProgressObserver)
        return;
    FProgressObserver->InternalOnProgressStop(type);
    letMessagesThrough(FEngineOptions.EnableThreadSafe);
}
