#pragma once

#include "platform/widgets/FileDialogs.h"
#include "report/engine/rpReport.h"
#include "report/preview/rpPreview.h"
#include "report/preview/rpPreviewForm.h"
#include "report/preview/rpPreviewViewer.h"

#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

// Answers the open and save dialogs at once with a prepared file name.
class FileAnswerer final : public platform::FileDialogAsker {
public:
    explicit FileAnswerer(QString name = {})
        : answer(std::move(name)), fPrevious(platform::setFileDialogAsker(this))
    {
    }
    ~FileAnswerer() override { platform::setFileDialogAsker(fPrevious); }
    FileAnswerer(const FileAnswerer&) = delete;
    FileAnswerer& operator=(const FileAnswerer&) = delete;

    QString ask(const platform::FileDialogRequest& request) override
    {
        requests.append(request);
        return answer;
    }

    QString answer;
    QList<platform::FileDialogRequest> requests;

private:
    platform::FileDialogAsker* fPrevious;
};

// The preview has prepared its report and nothing runs.
inline bool previewPrepared(TrpPreviewForm& form)
{
    TrpReport* report = form.Preview->Report();
    return !report->PrepareTimer().isActive() && !form.Preview->Running();
}

// Starts a show command, and inside the preview's modal loop runs `act` once `ready` holds;
// afterwards the window is closed as soon as no preparation runs. A zero-interval timer
// watches, so it also ticks between prepared pages. After ten seconds a safety timer stops
// any preparation and closes the window, so no test can hang on the modal loop.
// Returns whether `act` ran.
inline bool whilePreviewOpen(TrpReport& report, const std::function<void()>& show,
    const std::function<void(TrpPreviewForm&)>& act,
    const std::function<bool(TrpPreviewForm&)>& ready = previewPrepared)
{
    report.SetViewerFactory(rpPreviewWindows());
    bool acted = false;
    bool timedOut = false;
    QTimer watch;
    watch.setInterval(0);
    QObject::connect(&watch, &QTimer::timeout, [&] {
        TrpPreviewForm* form = rpPreviewFormOf(report);
        if (!form || !form->isVisible())
            return;
        if (!acted && !timedOut && ready(*form)) {
            acted = true;
            act(*form);
        }
        form = rpPreviewFormOf(report);
        if (form && form->isVisible() && (acted || timedOut) && !form->Preview->Running())
            form->close();
    });
    QTimer safety;
    safety.setSingleShot(true);
    safety.setInterval(10000);
    QObject::connect(&safety, &QTimer::timeout, [&] {
        timedOut = true;
        report.SetTerminated(true);
    });
    watch.start();
    safety.start();
    show();
    EXPECT_FALSE(timedOut) << "the preview was still open after ten seconds";
    EXPECT_EQ(rpPreviewFormOf(report), nullptr) << "the report still knows its closed window";
    return acted;
}

// The same for the report's own ShowReport with clearing.
inline bool whilePreviewOpen(TrpReport& report, const std::function<void(TrpPreviewForm&)>& act,
    const std::function<bool(TrpPreviewForm&)>& ready = previewPrepared)
{
    return whilePreviewOpen(
        report, [&report] { report.ShowReport(true); }, act, ready);
}
