// From the print command of the main window to the first painted page of its preview: the
// 50 ms preparation timer, the preparation of the filled certificate, the layout and the
// first paint of the page area.

#include "EmptyFolder.h"
#include "FirstPaintedPage.h"

#include "app/Startup.h"
#include "app/main_unit.h"

#include <QPushButton>

#include <benchmark/benchmark.h>

namespace {

void BM_PrintCommandToFirstPaintedPage(benchmark::State& state)
{
    const EmptyFolder folder;
    const std::unique_ptr<ProgramWindows> windows = createProgramWindows();
    TfmMain& main = *windows->fmMain;
    for (auto _ : state) {
        const qint64 elapsed
            = nanosecondsToFirstPaintedPage(*main.rpReport1, [&] { main.btnPreview->click(); });
        state.SetIterationTime(double(elapsed) / 1e9);
    }
}

} // namespace

BENCHMARK(BM_PrintCommandToFirstPaintedPage)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(20);
