// The floor of the program's start-up: the toolkit opening an empty main window, with the
// same first-paint hook as the program. bench/measure_startup runs it beside the program,
// at the toolkit's default size and, given "WIDTHxHEIGHT", at the program's size.

#include "platform/widgets/FirstPaintMarker.h"

#include <QApplication>
#include <QMainWindow>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QMainWindow window;
    const QStringList size = QApplication::arguments().value(1).split(u'x');
    if (size.size() == 2)
        window.resize(size.at(0).toInt(), size.at(1).toInt());
    platform::quitAfterFirstPaintWhenAsked(&window);
    window.show();
    return QApplication::exec();
}
