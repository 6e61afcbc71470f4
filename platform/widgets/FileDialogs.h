#pragma once

#include <QString>

namespace platform {

// One question for a file name. The filter is written the desktop way, description and
// pattern joined by "|" ("Prepared Report (*.prp)|*.prp").
struct FileDialogRequest {
    enum Kind { Open, Save };

    Kind kind = Open;
    QString filter;
    // Added to a saved name typed without one ("prp"), before the dialog asks whether an
    // existing file may be replaced, so the question is about the file that gets written.
    QString defaultExtension;
    // The dialog's caption; empty for the desktop's own.
    QString title;
};

// Asks for a file name in a modal dialog; an empty answer means the operator cancelled. The
// default asker uses the standard file dialogs; tests install one that answers at once.
class FileDialogAsker {
public:
    virtual ~FileDialogAsker() = default;
    virtual QString ask(const FileDialogRequest& request) = 0;
};

// Installs an asker for all later questions; nullptr restores the standard dialogs.
// Returns the asker that was installed before.
FileDialogAsker* setFileDialogAsker(FileDialogAsker* asker);

// The filter in the form the standard dialogs take ("Prepared Report (*.prp)").
QString qtFileFilter(const QString& filter);

QString getOpenFileName(const QString& filter);
QString getSaveFileName(
    const QString& filter, const QString& defaultExtension, const QString& title = {});

} // namespace platform
