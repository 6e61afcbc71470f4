#pragma once

class TrpReport;

// What F1 does in a report's preview and print dialog: the report's help command when its
// owner has set one, otherwise the engine's help file "ReportUser.chm" in the program's
// folder, opened through the shell, with an "Error" box naming the file when it is missing.
void rpOpenHelp(const TrpReport& report);
