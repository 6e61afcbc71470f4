#include "Edit.h"

#include "platform/core/EventBoundary.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QSignalBlocker>

#include <algorithm>

namespace platform {

namespace {

const char16_t kBackspace = 8;
const char16_t kTab = 9;
const char16_t kEnter = 13;
const char16_t kEscape = 27;

// Focus that comes and goes with the whole window (another window or a pop-up menu took it)
// is no entry into or exit from the control.
bool windowLevel(Qt::FocusReason reason)
{
    return reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason;
}

} // namespace

QChar typedCharacter(const QKeyEvent& event)
{
    const int key = event.key();
    const Qt::KeyboardModifiers mods = event.modifiers() & ~Qt::KeypadModifier;
    switch (key) {
    case Qt::Key_Backspace:
        return QChar(kBackspace);
    case Qt::Key_Tab:
        return QChar(kTab);
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return QChar(kEnter);
    case Qt::Key_Escape:
        return QChar(kEscape);
    default:
        break;
    }
    if ((mods & Qt::ControlModifier) && !(mods & Qt::AltModifier)) {
        if (key >= Qt::Key_A && key <= Qt::Key_Z)
            return QChar(char16_t(key - Qt::Key_A + 1));
        return QChar();
    }
    const QString text = event.text();
    if (text.size() == 1 && text.front().isPrint())
        return text.front();
    return QChar();
}

TEdit::TEdit(QWidget* parent) : QLineEdit(parent)
{
    // Only the operator's edits arrive here: code sets the text with signals blocked.
    connect(this, &QLineEdit::textChanged, this, [this] {
        cutInsertToLimit();
        fShownText = text();
        if (OnChange)
            runGuarded(OnChange);
    });
}

void TEdit::cutInsertToLimit()
{
    const QString now = text();
    if (fMaxLength <= 0 || now.size() <= fMaxLength)
        return;
    // An insert leaves the caret after it, and the text after the caret is what was there.
    const qsizetype end = cursorPosition();
    const qsizetype after = now.size() - end;
    if (after > fShownText.size() || !fShownText.endsWith(QStringView(now).mid(end)))
        return;
    qsizetype before = 0;
    const qsizetype beforeLimit = std::min(end, fShownText.size() - after);
    while (before < beforeLimit && now[before] == fShownText[before])
        ++before;
    const qsizetype inserted = end - before;
    const qsizetype room = std::max<qsizetype>(0, fMaxLength - (now.size() - inserted));
    if (inserted <= room)
        return;
    const QSignalBlocker blocker(this);
    setText(now.left(before + room) + now.mid(end));
    setCursorPosition(int(before + room));
}

void TEdit::SetText(const QString& newText)
{
    // Setting the same text changes nothing, not even the selection.
    if (newText == text())
        return;
    {
        const QSignalBlocker blocker(this);
        setText(newText);
    }
    fShownText = newText;
    if (OnChange)
        OnChange();
}

QColor TEdit::FontColor() const { return palette().color(QPalette::Text); }

void TEdit::SetFontColor(const QColor& color)
{
    QPalette p = palette();
    p.setColor(QPalette::Text, color);
    setPalette(p);
}

void TEdit::KeyPress(QChar& key)
{
    if (OnKeyPress)
        OnKeyPress(key);
}

void TEdit::keyPressEvent(QKeyEvent* event)
{
    const QChar typed = typedCharacter(*event);
    if (typed.isNull()) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    QChar key = typed;
    const bool handled = runGuarded([&] { KeyPress(key); });
    const bool fillsUp
        = key.isPrint() && fMaxLength > 0 && text().size() - selectedText().size() >= fMaxLength;
    if (!handled || key.isNull() || fillsUp) {
        event->accept();
        return;
    }
    if (key == typed) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    QKeyEvent replaced(event->type(), 0, Qt::NoModifier, QString(key));
    QLineEdit::keyPressEvent(&replaced);
    event->setAccepted(replaced.isAccepted());
}

void TEdit::mouseReleaseEvent(QMouseEvent* event)
{
    QLineEdit::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())
        && OnClick)
        runGuarded(OnClick);
}

void TEdit::focusInEvent(QFocusEvent* event)
{
    QLineEdit::focusInEvent(event);
    // Entering by keyboard or by code selects the whole text; a click places the caret.
    if (!windowLevel(event->reason()) && event->reason() != Qt::MouseFocusReason)
        selectAll();
}

void TEdit::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    if (!windowLevel(event->reason()) && OnExit)
        runGuarded(OnExit);
}

} // namespace platform
