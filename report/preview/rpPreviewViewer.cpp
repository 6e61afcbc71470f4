#include "rpPreviewViewer.h"

#include "rpPreview.h"
#include "rpPreviewForm.h"

#include "report/engine/rpReport.h"

#include <QPointer>

namespace {

// A new preview window for each show. Owned by the application rather than by a window,
// like every top-level window; a modal one is destroyed with its viewer when it closes, a
// non-modal one when it closes by itself.
class TrpPreviewViewer final : public TrpReportViewer {
public:
    explicit TrpPreviewViewer(std::function<void(TrpPreviewForm&)> extend)
        : fForm(new TrpPreviewForm), fExtend(std::move(extend))
    {
    }
    ~TrpPreviewViewer() override { delete fForm.data(); }
    TrpPreviewViewer(const TrpPreviewViewer&) = delete;
    TrpPreviewViewer& operator=(const TrpPreviewViewer&) = delete;

    void Show(TrpReport& report, bool modal) override
    {
        fForm->Init(report);
        if (fExtend)
            fExtend(*fForm);
        if (!modal) {
            fForm->setAttribute(Qt::WA_DeleteOnClose);
            fForm->show();
            return;
        }
        fForm->exec();
        fClosed = true;
    }

    bool IsOpen() const override { return fForm && !fClosed; }

    TrpProgressObserver* ProgressObserver() override { return fForm ? fForm->Preview : nullptr; }

    TrpPreviewForm* Form() const { return IsOpen() ? fForm.data() : nullptr; }

private:
    QPointer<TrpPreviewForm> fForm;
    std::function<void(TrpPreviewForm&)> fExtend;
    bool fClosed = false;
};

} // namespace

TrpViewerFactory rpPreviewWindows() { return rpPreviewWindows({}); }

TrpViewerFactory rpPreviewWindows(std::function<void(TrpPreviewForm&)> extend)
{
    return [extend = std::move(extend)] { return std::make_unique<TrpPreviewViewer>(extend); };
}

TrpPreviewForm* rpPreviewFormOf(const TrpReport& report)
{
    auto* viewer = dynamic_cast<TrpPreviewViewer*>(report.Viewer());
    return viewer ? viewer->Form() : nullptr;
}
