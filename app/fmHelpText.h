#pragma once

#include <QWidget>

class QPlainTextEdit;

// The program's own read-only window for the help text, used where no text editor can be
// started.
class TfmHelpText : public QWidget {
    Q_OBJECT

public:
    explicit TfmHelpText(QWidget* parent = nullptr);

    // Shows the text and brings the window to the front; with a chapter, the line that
    // starts with it is the first one in view.
    void showText(const QString& text, const QString& chapter = QString());

    QPlainTextEdit* Memo = nullptr;
};

// Shows the shipped operator's guide at its printing chapter in a window of the program's
// own that the modal window in front (the preview, the print dialog) does not block: the
// help of F1 there.
void showPrintingHelp();
