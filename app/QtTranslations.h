#pragma once

class QLocale;

// Installs Qt's own translations for the locale (the standard buttons, the file dialogs, the
// edit context menu) when the system carries them. Returns whether they were found.
bool installQtTranslations(const QLocale& locale);
