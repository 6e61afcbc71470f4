// The start-up steps of the program from the application object to the first paint of the
// main window (offscreen platform, fonts registered by the shared main): the whole path, the
// main window alone (controls, certificate template, FormCreate), each template, and the
// windows made after the main one. bench/measure_startup measures the whole process.

#include "EmptyFolder.h"

#include "app/About.h"
#include "app/Startup.h"
#include "app/fmMemo.h"
#include "app/main_unit.h"
#include "report/engine/rpReport.h"
#include "templates/Templates.h"

#include <QApplication>
#include <QEvent>

#include <benchmark/benchmark.h>

namespace {

// Notes the first paint of a window.
class PaintWatcher final : public QObject {
public:
    bool painted = false;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            painted = true;
        return false;
    }
};

void BM_ProgramWindowsToFirstPaint(benchmark::State& state)
{
    const EmptyFolder folder;
    for (auto _ : state) {
        PaintWatcher watcher;
        std::unique_ptr<ProgramWindows> windows = std::make_unique<ProgramWindows>();
        windows->fmMain = std::make_unique<TfmMain>();
        windows->fmMain->installEventFilter(&watcher);
        windows->fmMain->show();
        windows->fmAbout = std::make_unique<TfmAbout>();
        windows->formMemo = std::make_unique<TformMemo>();
        windows->fmMain->attachWindows(windows->fmAbout.get(), windows->formMemo.get());
        while (!watcher.painted)
            QApplication::processEvents(QEventLoop::WaitForMoreEvents);
        state.PauseTiming();
        windows.reset();
        state.ResumeTiming();
    }
}

void BM_MainWindowCreated(benchmark::State& state)
{
    const EmptyFolder folder;
    for (auto _ : state) {
        auto main = std::make_unique<TfmMain>();
        benchmark::DoNotOptimize(main.get());
        state.PauseTiming();
        main.reset();
        state.ResumeTiming();
    }
}

void BM_CertificateTemplateRead(benchmark::State& state)
{
    for (auto _ : state) {
        TrpReport report;
        loadCertificateTemplate(report);
    }
}

void BM_TestPageTemplateRead(benchmark::State& state)
{
    for (auto _ : state) {
        TrpReport report;
        loadTestPageTemplate(report);
    }
}

void BM_AboutWindowCreated(benchmark::State& state)
{
    for (auto _ : state)
        TfmAbout about;
}

void BM_AboutWindowFirstShown(benchmark::State& state)
{
    for (auto _ : state) {
        TfmAbout about;
        about.show();
        about.hide();
    }
}

void BM_SettingsViewerCreated(benchmark::State& state)
{
    for (auto _ : state)
        TformMemo memo;
}

} // namespace

BENCHMARK(BM_ProgramWindowsToFirstPaint)->Unit(benchmark::kMillisecond)->MinTime(2);
BENCHMARK(BM_MainWindowCreated)->Unit(benchmark::kMillisecond)->MinTime(2);
BENCHMARK(BM_CertificateTemplateRead)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TestPageTemplateRead)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_AboutWindowCreated)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_AboutWindowFirstShown)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SettingsViewerCreated)->Unit(benchmark::kMicrosecond);
