#pragma once

#include "Edit.h"

#include <QComboBox>

namespace platform {

// An editable drop-down with the desktop's event rules: the operator may pick an item or
// type any text, and either raises OnChange through the event boundary. A typed beginning
// is completed to the first item that starts with it (the completed part selected), and
// OnChange follows the text the box then shows: a typed key raises it once the completion
// is in, with the item shown selected; typed or pasted text that is no item leaves no item
// selected. Setting the text by code raises OnChange at once when the text differs;
// selecting an item by code raises nothing. Items are kept in the order given.
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

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    // Selects the item the shown text is, or none, keeping the text, caret and selection.
    void selectShownItem(bool completed);
    void operatorChanged();

    // Keys reach the edit part through the box; while one is handled its completion may
    // still follow the edit, so the change waits for the key to finish.
    bool fInKey = false;
    bool fEditedInKey = false;
};

} // namespace platform
