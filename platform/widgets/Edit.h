#pragma once

#include <QLineEdit>

#include <functional>

namespace platform {

using TNotifyEvent = std::function<void()>;
using TKeyPressEvent = std::function<void(QChar& key)>;

// A single-line edit with the desktop's event rules. Setting the text by code raises
// OnChange at once when the text differs, and an exception from the handler reaches the
// caller; edits by the operator raise it through the event boundary. Every typed character
// (clipboard shortcuts included, as their control codes) passes KeyPress first, which may
// change or refuse it before the edit inserts it.
// The text is always one line without control characters: what the operator inserts
// (pasting through the keyboard or the context menu, dropping) keeps its first line, as the
// desktop's single-line edit pastes it; text set by code has its line breaks replaced by
// blanks; in both a tab becomes a blank and other control characters are dropped.
class TEdit : public QLineEdit {
    Q_OBJECT

public:
    explicit TEdit(QWidget* parent = nullptr);

    QString Text() const { return text(); }
    void SetText(const QString& text);

    // Most characters the operator may enter, by typing or by inserting (pasting through the
    // keyboard or the context menu, dropping): an insert is cut to the room the limit
    // leaves, as the desktop's edit does; 0 = no limit. Text set by code is never cut.
    int MaxLength() const { return fMaxLength; }
    void SetMaxLength(int length) { fMaxLength = length; }

    QColor FontColor() const;
    void SetFontColor(const QColor& color);

    TNotifyEvent OnChange;
    TNotifyEvent OnClick;
    TNotifyEvent OnExit;
    TKeyPressEvent OnKeyPress;

protected:
    // The control's own step for a typed character; null refuses it. The default raises
    // OnKeyPress.
    virtual void KeyPress(QChar& key);

    void keyPressEvent(QKeyEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    // Tidies what the operator's latest edit inserted into one line and cuts it to the
    // length limit; true when that changed the text.
    bool tidyInsert();

    int fMaxLength = 0;
    // The text before the operator's latest edit.
    QString fShownText;
};

// The character a key event types, as the desktop delivers it: Backspace 8, Tab 9, Enter 13,
// Escape 27, Ctrl+A..Ctrl+Z 1..26, otherwise the printable text. Null when the key types
// nothing (arrows, Delete, Home, function keys).
QChar typedCharacter(const QKeyEvent& event);

} // namespace platform
