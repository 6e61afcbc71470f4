#pragma once

#include <QString>
#include <QStringList>

// What the command line asks for. The program takes only its own options; anything else is
// refused with a message, so a mistyped option never starts the program on the wrong folder.
struct CommandLine {
    // Start the window (false: print `output` and end with `exitCode`).
    bool run = true;
    int exitCode = 0;
    // Printed on the standard output (help, version) or, when exitCode is not 0, on the
    // standard error stream.
    QString output;
    // Work in the user's home folder: where the desktop menu starts the program, so the
    // settings file is found and written there.
    bool homeFolder = false;
};

// Reads the arguments (the program's name first).
CommandLine parseCommandLine(const QStringList& arguments);
