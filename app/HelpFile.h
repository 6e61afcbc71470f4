#pragma once

#include <QString>

// The operator's guide shipped inside the program.
QString shippedGuideText();

// The help file to open: "Помощь.txt" of the current folder when there is one, otherwise
// the shipped guide written to a file of its own in the temporary folder.
QString helpFileToOpen();
