#include "app/Startup.h"
#include "app/logic/CommandLine.h"

#include <QDir>

#include <cstdio>

int main(int argc, char** argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    const CommandLine command = parseCommandLine(arguments);
    if (!command.run) {
        std::fputs(qUtf8Printable(command.output), command.exitCode == 0 ? stdout : stderr);
        return command.exitCode;
    }
    if (command.homeFolder)
        QDir::setCurrent(QDir::homePath());
    // The options are the program's own; Qt sees only the program's name.
    int qtArgc = 1;
    return runProgram(qtArgc, argv);
}
