#include "rpReport.h"

#include "report/model/rpPages.h"
#include "report/model/rpRes.h"
#include "rpEngine.h"
#include "rpPreviewPages.h"

#include "platform/core/EventBoundary.h"
#include "platform/core/MessageService.h"

#include <QCoreApplication>
#include <QTimer>

#include <algorithm>

TrpReport::TrpReport()
    : FPreviewPages(std::make_unique<TrpPreviewPages>(
        FPreviewOptions, static_cast<TrpProgressObserver&>(*this))),
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
    FViewer.reset();
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
    if (!FViewerFactory) {
        // Nothing to show in: the preparation the timer would start runs now.
        if (FPrepareTimer->isActive()) {
            FPrepareTimer->stop();
            PrepareReport(false);
        }
        return;
    }
    // A viewer of a previous non-modal show is replaced (and closed) by the new one.
    FViewer = FViewerFactory();
    TrpReportViewer& viewer = *FViewer;
    SetProgressObserver(viewer.ProgressObserver());
    viewer.Show(*this, FPreviewOptions.Modal);
    if (!FPreviewOptions.Modal)
        return;
    // A viewer closed before the timer fired leaves nothing to prepare for.
    FPrepareTimer->stop();
    if (FViewer.get() == &viewer)
        FViewer.reset();
}

TrpReportViewer* TrpReport::Viewer() const
{
    return FViewer && FViewer->IsOpen() ? FViewer.get() : nullptr;
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

    // The program's reports have no data sets, so none can be missing and stop the run here.
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
                Assign(static_cast<TrpCustomReport&>(*copy));
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
