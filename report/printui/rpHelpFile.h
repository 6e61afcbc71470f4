#pragma once

// Opens the engine's help file "ReportUser.chm" in the program's folder, as F1 does in the
// preview and the print dialog; an "Error" box names the file when it is missing.
void rpOpenHelpFile();
