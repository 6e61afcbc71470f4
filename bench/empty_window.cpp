// The floor of the program's start-up: the toolkit opening an empty main window, with the
// same first-paint hook as the program. bench/measure_startup runs it beside the program.

#include "platform/widgets/FirstPaintMarker.h"

#include <QApplication>
#include <QMainWindow>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QMainWindow window;
    platform::quitAfterFirstPaintWhenAsked(&window);
    window.show();
    return QApplication::exec();
}
