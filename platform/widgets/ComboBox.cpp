#include "ComboBox.h"

#include "platform/core/EventBoundary.h"

#include <QLineEdit>
#include <QSignalBlocker>

namespace platform {

namespace {

const int kDropDownRows = 8;

} // namespace

TComboBox::TComboBox(QWidget* parent) : QComboBox(parent)
{
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    setMaxVisibleItems(kDropDownRows);
    const auto change = [this] {
        if (OnChange)
            runGuarded(OnChange);
    };
    // activated: the operator picked an item (list, arrow keys, wheel); textEdited: typed.
    connect(this, &QComboBox::activated, this, change);
    connect(lineEdit(), &QLineEdit::textEdited, this, [this, change] {
        deselectKeepingText();
        change();
    });
}

// Typing into the edit part leaves no item selected, as on the desktop, while the typed
// text and the caret stay where they are.
void TComboBox::deselectKeepingText()
{
    if (currentIndex() < 0)
        return;
    const QString typed = lineEdit()->text();
    const int caret = lineEdit()->cursorPosition();
    {
        const QSignalBlocker blocker(this);
        setCurrentIndex(-1);
        setEditText(typed);
    }
    lineEdit()->setCursorPosition(caret);
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
