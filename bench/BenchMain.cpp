#include "platform/core/FontSetup.h"
#include "platform/core/HeapSetup.h"

#ifdef VORSELA_BENCH_WIDGETS
#include <QApplication>
using BenchApplication = QApplication;
#else
#include <QGuiApplication>
using BenchApplication = QGuiApplication;
#endif

#include <benchmark/benchmark.h>

#include <clocale>

// Fonts and windows need the application object, so the benchmark programs share this main:
// the offscreen platform unless another is asked for, and the program's fonts. Programs that
// measure windows get a widget application, the others no more than a GUI application. The
// heap is set up as the program sets up its own.
int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    platform::setUpProgramHeap();
    BenchApplication application(argc, argv);
    BenchApplication::setQuitOnLastWindowClosed(false);
    platform::setUpProgramFonts();
    // The application object set the C library's locale from the environment; the benchmark
    // library reads its numeric options (--benchmark_min_time=0.5) with the C library, so
    // numbers take a point under every locale.
    std::setlocale(LC_NUMERIC, "C");
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
