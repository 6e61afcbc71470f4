#include "platform/FontSetup.h"

#include <QApplication>

#include <benchmark/benchmark.h>

// Fonts and windows need the application object, so the benchmark programs share this main:
// the offscreen platform unless another is asked for, and the program's fonts.
int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    platform::setUpProgramFonts();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
