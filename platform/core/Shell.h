#pragma once

#include <QString>

namespace platform {

// Opens an address (a web page) with the desktop's handler for it. The outcome is not
// examined: a failure shows nothing.
void shellOpenAddress(const QString& address);

// Starts the system text editor on a file name, in the current directory: on Windows
// Notepad; elsewhere the first desktop text editor found on the PATH, else the desktop's
// handler for the file. Returns whether an editor or handler could be started.
bool startTextEditor(const QString& fileName);

} // namespace platform
