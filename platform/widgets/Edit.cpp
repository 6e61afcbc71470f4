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

bool isLineBreak(char16_t c)
{
    return (c >= u'\n' && c <= u'\r') || c == 0x85 || c == 0x2028 || c == 0x2029;
}

bool isControl(char16_t c) { return c < 0x20 || (c >= 0x7F && c < 0xA0); }

enum class LineBreaks { EndTheText, BecomeBlanks };

// The text as a single-line field holds it: a tab becomes a blank, other control characters
// are dropped, and a line break (CR LF counting as one) either ends the text or becomes a
// blank.
QString singleLine(QStringView text, LineBreaks breaks)
{
    QString line;
    line.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (isLineBreak(c)) {
            if (breaks == LineBreaks::EndTheText)
                break;
            line += QLatin1Char(' ');
            if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
                ++i;
        } else if (c == u'\t') {
            line += QLatin1Char(' ');
        } else if (!isControl(c)) {
            line += QChar(c);
        }
    }
    return line;
}

// Where the operator's latest edit put new text into `now`, which was `before`.
struct Insert {
    qsizetype from;
    qsizetype to;
};

Insert insertedPart(QStringView before, QStringView now, qsizetype caret)
{
    const qsizetype shorter = std::min(before.size(), now.size());
    // An insert leaves the caret after it, and the text after the caret is what was there.
    // The views compare by content, so an emptied field (a null text) counts as empty.
    const qsizetype after = now.size() - caret;
    qsizetype from = 0;
    if (after <= before.size() && before.right(after) == now.mid(caret)) {
        const qsizetype beforeLimit = std::min(caret, before.size() - after);
        while (from < beforeLimit && now[from] == before[from])
            ++from;
        return {from, caret};
    }
    // Otherwise (an undo, a drag within the field) what lies between the common ends.
    while (from < shorter && now[from] == before[from])
        ++from;
    qsizetype back = 0;
    while (back < shorter - from && now[now.size() - 1 - back] == before[before.size() - 1 - back])
        ++back;
    return {from, now.size() - back};
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
        // An insert that kept nothing changed nothing.
        if (tidyInsert() && text() == fShownText)
            return;
        fShownText = text();
        if (OnChange)
            runGuarded(OnChange);
    });
}

bool TEdit::tidyInsert()
{
    const QString now = text();
    const Insert insert = insertedPart(fShownText, now, cursorPosition());
    const QStringView inserted = QStringView(now).mid(insert.from, insert.to - insert.from);
    // A paste keeps its first line, as the desktop's single-line edit pastes it.
    QString kept = singleLine(inserted, LineBreaks::EndTheText);
    if (fMaxLength > 0) {
        qsizetype room = std::max<qsizetype>(0, fMaxLength - (now.size() - inserted.size()));
        if (room < kept.size() && room > 0 && kept[room - 1].isHighSurrogate())
            --room;
        kept.truncate(room);
    }
    if (kept == inserted)
        return false;
    const QSignalBlocker blocker(this);
    setText(now.left(insert.from) + kept + now.mid(insert.to));
    setCursorPosition(int(insert.from + kept.size()));
    return true;
}

void TEdit::SetText(const QString& newText)
{
    // Text set by code loses none of its lines: they are joined with blanks.
    const QString line = singleLine(newText, LineBreaks::BecomeBlanks);
    // Setting the same text changes nothing, not even the selection.
    if (line == text())
        return;
    {
        const QSignalBlocker blocker(this);
        setText(line);
    }
    fShownText = line;
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
