#pragma once

// Pages that take the printer's defaults take them from the system's default printer
// (its default paper), A4 portrait when there is none. The program calls it once at
// start-up.
void rpUseSystemPrinterDefaults();
