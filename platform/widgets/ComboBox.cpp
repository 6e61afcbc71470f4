#include "ComboBox.h"

#include "platform/core/EventBoundary.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QScopedValueRollback>
#include <QSignalBlocker>

#include <utility>

namespace platform {

namespace {

const int kDropDownRows = 8;

} // namespace

TComboBox::TComboBox(QWidget* parent) : QComboBox(parent)
{
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    setMaxVisibleItems(kDropDownRows);
    // activated: the operator picked an item (list, arrow keys, wheel); textEdited: typed or
    // pasted.
    connect(this, &QComboBox::activated, this, [this] { operatorChanged(); });
    connect(lineEdit(), &QLineEdit::textEdited, this, [this] {
        if (fInKey) {
            fEditedInKey = true;
            return;
        }
        selectShownItem(false);
        operatorChanged();
    });
}

void TComboBox::operatorChanged()
{
    if (OnChange)
        runGuarded(OnChange);
}

void TComboBox::keyPressEvent(QKeyEvent* event)
{
    // The edit part reports a typed key before Qt completes the text to an item.
    fEditedInKey = false;
    {
        const QScopedValueRollback inKey(fInKey, true);
        QComboBox::keyPressEvent(event);
    }
    if (std::exchange(fEditedInKey, false)) {
        selectShownItem(true);
        operatorChanged();
    }
}

// Text that is no item leaves no item selected, as on the desktop; a text that the
// completion made an item selects that item.
void TComboBox::selectShownItem(bool completed)
{
    QLineEdit& edit = *lineEdit();
    const QString shown = edit.text();
    const int index = completed ? findText(shown, Qt::MatchExactly | Qt::MatchCaseSensitive) : -1;
    if (index == currentIndex())
        return;
    const int caret = edit.cursorPosition();
    const int start = edit.selectionStart();
    const int length = edit.selectionLength();
    {
        const QSignalBlocker blocker(this);
        setCurrentIndex(index);
        setEditText(shown);
    }
    if (length <= 0)
        edit.setCursorPosition(caret);
    else if (caret == start)
        edit.setSelection(start + length, -length);
    else
        edit.setSelection(start, length);
}

void TComboBox::SetItems(const QStringList& items)
{
    const QSignalBlocker blocker(this);
    const QString shown = currentText();
    clear();
    addItems(items);
    setCurrentIndex(-1);
    setEditText(shown);
}

void TComboBox::SetText(const QString& text)
{
    if (text == currentText())
        return;
    {
        const QSignalBlocker blocker(this);
        setEditText(text);
    }
    if (OnChange)
        OnChange();
}

void TComboBox::SetItemIndex(int index)
{
    const QSignalBlocker blocker(this);
    setCurrentIndex(index);
    if (index < 0)
        setEditText(QString());
}

} // namespace platform
