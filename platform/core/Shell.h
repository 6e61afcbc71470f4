#pragma once

#include <QString>

namespace platform {

// Opens an address (a web page) with the desktop's handler for it. The outcome is not
// examined: a failure shows nothing.
void shellOpenAddress(const QString& address);

// Starts the system text editor on a file name, in the current directory. The outcome is
// not examined: a missing file is reported by the editor itself. On Windows the editor is
// Notepad; elsewhere the first desktop text editor found on the PATH, else the desktop's
// handler for the file.
void startTextEditor(const QString& fileName);

} // namespace platform
