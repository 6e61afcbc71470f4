#pragma once

#include <QWidget>

class QPlainTextEdit;

// The program's own read-only window for the help text, used where no text editor can be
// started.
class TfmHelpText : public QWidget {
    Q_OBJECT

public:
    explicit TfmHelpText(QWidget* parent = nullptr);

    // Shows the text and brings the window to the front.
    void showText(const QString& text);

    QPlainTextEdit* Memo = nullptr;
};
