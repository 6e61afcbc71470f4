#include "ComboBox.h"

#include "EventBoundary.h"

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
    connect(lineEdit(), &QLineEdit::textEdited, this, change);
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
    const QString before = currentText();
    {
        const QSignalBlocker blocker(this);
        setEditText(text);
    }
    if (currentText() != before && OnChange)
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
