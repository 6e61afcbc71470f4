#pragma once

#include "SessionSafety.h"

#include "platform/widgets/FileDialogs.h"
#include "report/engine/rpReport.h"
#include "report/preview/rpPreview.h"
#include "report/preview/rpPreviewForm.h"
#include "report/preview/rpPreviewViewer.h"

#include <QApplication>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <exception>
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

// A key as the keyboard sends it: to the widget that has the focus.
inline void pressKey(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QWidget* focused = QApplication::focusWidget();
    ASSERT_NE(focused, nullptr) << "no widget has the focus";
    QTest::keyClick(focused, key, modifiers);
}

// The preview has prepared its report and nothing runs.
inline bool previewPrepared(TrpPreviewForm& form)
{
    TrpReport* report = form.Preview->Report();
    return !report->PrepareTimer().isActive() && !form.Preview->Running();
}

// How the preview window ends a session: closed by the harness once the checks have run
// (it must still be open then), or closed by the checks themselves.
enum class PreviewEnd { StaysOpen, ClosedByChecks };

// Starts a show command, and inside the preview's modal loop runs `act` once `ready` holds;
// afterwards the window is closed as soon as no preparation runs. A zero-interval timer
// watches, so it also ticks between prepared pages. After the sessions' safety time
// (SessionSafety.h) a safety timer stops any preparation and closes the window, so no test
// can hang on the modal loop.
// The test fails unless `act` ran to its end, and unless the window was open or closed
// after it as `end` says: a preview that never shows, or closes under its checks, cannot
// pass unseen.
inline void whilePreviewOpen(TrpReport& report, const std::function<void()>& show,
    const std::function<void(TrpPreviewForm&)>& act,
    const std::function<bool(TrpPreviewForm&)>& ready = previewPrepared,
    PreviewEnd end = PreviewEnd::StaysOpen)
{
    // The owner's windows (with its own commands) when it has chosen them.
    if (!report.HasViewerFactory())
        report.SetViewerFactory(rpPreviewWindows());
    bool started = false;
    bool finished = false;
    bool openAfterChecks = false;
    bool timedOut = false;
    QTimer watch;
    watch.setInterval(0);
    QObject::connect(&watch, &QTimer::timeout, [&] {
        TrpPreviewForm* form = rpPreviewFormOf(report);
        if (!form || !form->isVisible())
            return;
        if (!started && !timedOut && ready(*form)) {
            started = true;
            try {
                act(*form);
                finished = true;
            } catch (const std::exception& e) {
                ADD_FAILURE() << "the checks in the preview threw: " << e.what();
            } catch (...) {
                ADD_FAILURE() << "the checks in the preview threw";
            }
            form = rpPreviewFormOf(report);
            openAfterChecks = form && form->isVisible();
        }
        if (form && form->isVisible() && (started || timedOut) && !form->Preview->Running())
            form->close();
    });
    QTimer safety;
    safety.setSingleShot(true);
    safety.setInterval(sessionSafety());
    QObject::connect(&safety, &QTimer::timeout, [&] {
        timedOut = true;
        report.SetTerminated(true);
    });
    watch.start();
    safety.start();
    show();
    EXPECT_TRUE(started) << "the preview never showed a window ready for the checks";
    EXPECT_EQ(started, finished) << "the checks in the preview did not run to their end";
    if (finished) {
        EXPECT_EQ(openAfterChecks, end == PreviewEnd::StaysOpen)
            << (openAfterChecks ? "the checks were to close the preview, it stayed open"
                                : "the preview closed under its checks");
    }
    EXPECT_FALSE(timedOut) << "the preview was still open after " << sessionSafety().count()
                           << " ms";
    EXPECT_EQ(rpPreviewFormOf(report), nullptr) << "the report still knows its closed window";
}

// The same for the report's own ShowReport with clearing.
inline void whilePreviewOpen(TrpReport& report, const std::function<void(TrpPreviewForm&)>& act,
    const std::function<bool(TrpPreviewForm&)>& ready = previewPrepared,
    PreviewEnd end = PreviewEnd::StaysOpen)
{
    whilePreviewOpen(
        report, [&report] { report.ShowReport(true); }, act, ready, end);
}
