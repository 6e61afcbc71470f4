#include "platform/core/FontSetup.h"

#ifdef VORSELA_TEST_WIDGETS
#include <QApplication>
using TestApplication = QApplication;
#else
#include <QGuiApplication>
using TestApplication = QGuiApplication;
#endif

#include <gtest/gtest.h>

// Every test program runs on the offscreen platform with the program's fonts: the programs
// of widget code with a widget application, the widget-free layers with no more than the
// drawing and font services of a GUI application, so a widget they made would fail.
int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    TestApplication application(argc, argv);
    TestApplication::setQuitOnLastWindowClosed(false);
    platform::setUpProgramFonts();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
