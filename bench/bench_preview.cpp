// From the print command of the main window to the first painted page of its preview: the
// 50 ms preparation timer, the preparation of the filled certificate, the layout and the
// first paint of the page area.

#include "app/Startup.h"
#include "app/main_unit.h"
#include "report/engine/rpReport.h"
#include "report/preview/rpPreview.h"
#include "report/preview/rpPreviewForm.h"
#include "report/preview/rpPreviewViewer.h"
#include "report/preview/rpPreviewWorkspace.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <benchmark/benchmark.h>

namespace {

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

void BM_PrintCommandToFirstPaintedPage(benchmark::State& state)
{
    QTemporaryDir folder;
    const QString previous = QDir::currentPath();
    QDir::setCurrent(folder.path());
    const std::unique_ptr<ProgramWindows> windows = createProgramWindows();
    TfmMain& main = *windows->fmMain;
    for (auto _ : state) {
        QElapsedTimer clock;
        qint64 elapsed = 0;
        std::unique_ptr<FirstPagePaint> watcher;
        QTimer watch;
        watch.setInterval(0);
        QObject::connect(&watch, &QTimer::timeout, [&] {
            TrpPreviewForm* form = rpPreviewFormOf(*main.rpReport1);
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
        main.btnPreview->click();
        state.SetIterationTime(double(elapsed) / 1e9);
    }
    QDir::setCurrent(previous);
}

} // namespace

BENCHMARK(BM_PrintCommandToFirstPaintedPage)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(20);
