#pragma once

#include <QString>

// The operator's guide shipped inside the program.
QString shippedGuideText();

// The heading of the guide's chapter on printing, where F1 of the print dialog and the
// preview opens it.
QString printingChapterHeading();

// Where the installed program's guide lies: "Помощь.txt" in the package's documentation
// folder beside the program's folder (/usr/share/doc/vorsela for /usr/bin/vorsela).
QString installedGuidePath();

// The help file for the text editor: "Помощь.txt" of the current folder when there is one,
// otherwise the installed guide where it lies; empty when neither exists, and the program
// shows its shipped guide in a window of its own. Nothing is ever written for it.
QString helpFileToOpen();
