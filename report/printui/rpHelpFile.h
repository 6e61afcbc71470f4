#pragma once

#include <functional>

// What F1 does in the preview and the print dialog: the program's own help when it has set
// one, otherwise the engine's help file "ReportUser.chm" in the program's folder, opened
// through the shell, with an "Error" box naming the file when it is missing.
void rpOpenHelpFile();

// Sets the program's own help for F1 (an empty function brings the engine's back).
void rpSetHelpOpener(std::function<void()> opener);
