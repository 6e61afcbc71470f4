#include "platform/FontSetup.h"

#include <QApplication>

#include <gtest/gtest.h>

// Every test program runs real widgets on the offscreen platform, with the program's fonts.
int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    platform::setUpProgramFonts();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
