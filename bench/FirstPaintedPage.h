#pragma once

#include "report/engine/rpReport.h"
#include "report/preview/rpPreview.h"
#include "report/preview/rpPreviewForm.h"
#include "report/preview/rpPreviewViewer.h"
#include "report/preview/rpPreviewWorkspace.h"

#include <QElapsedTimer>
#include <QEvent>
#include <QTimer>

#include <functional>
#include <memory>

// Nanoseconds from `start` (which opens the report's preview modally) to the first paint of
// the preview's page area holding a page once the report is prepared; the preview is closed
// then, so `start` returns.
inline qint64 nanosecondsToFirstPaintedPage(TrpReport& report, const std::function<void()>& start)
{
    // Notes the first paint of a page area that holds a page.
    class FirstPagePaint : public QObject {
    public:
        explicit FirstPagePaint(TrpPreviewWorkspace* area) : fArea(area) { }
        bool painted = false;

    protected:
        bool eventFilter(QObject*, QEvent* event) override
        {
            if (event->type() == QEvent::Paint && fArea->PageList().Count() > 0)
                painted = true;
            return false;
        }

    private:
        TrpPreviewWorkspace* fArea;
    };

    QElapsedTimer clock;
    qint64 elapsed = 0;
    std::unique_ptr<FirstPagePaint> watcher;
    QTimer watch;
    watch.setInterval(0);
    QObject::connect(&watch, &QTimer::timeout, [&] {
        TrpPreviewForm* form = rpPreviewFormOf(report);
        if (!form)
            return;
        if (!watcher) {
            watcher = std::make_unique<FirstPagePaint>(form->Preview->Workspace());
            form->Preview->Workspace()->viewport()->installEventFilter(watcher.get());
        } else if (watcher->painted && !form->Preview->Running()) {
            elapsed = clock.nsecsElapsed();
            form->Preview->Workspace()->viewport()->removeEventFilter(watcher.get());
            form->close();
        }
    });
    watch.start();
    clock.start();
    start();
    return elapsed;
}
