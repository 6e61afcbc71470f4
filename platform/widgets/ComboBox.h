#pragma once

#include "Edit.h"

#include <QComboBox>

namespace platform {

// An editable drop-down with the desktop's event rules: the operator may pick an item or
// type any text, and either raises OnChange through the event boundary; typed text leaves
// no item selected. Setting the text by
// code raises OnChange at once when the text differs; selecting an item by code raises
// nothing. Items are kept in the order given.
class TComboBox : public QComboBox {
    Q_OBJECT

public:
    explicit TComboBox(QWidget* parent = nullptr);

    void SetItems(const QStringList& items);

    QString Text() const { return currentText(); }
    void SetText(const QString& text);

    // -1 when no item is selected, also while the box shows a text of its own.
    int ItemIndex() const { return currentIndex(); }
    void SetItemIndex(int index);

    TNotifyEvent OnChange;

private:
    void deselectKeepingText();
};

} // namespace platform
