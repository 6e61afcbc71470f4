#pragma once

#include "Edit.h"

#include <QDateEdit>
#include <QFrame>
#include <QLabel>
#include <QToolButton>

namespace platform {

// Static text that sizes its width to its caption, as the desktop's labels do; the size
// given at construction is the one laid out for the initial caption.
class TLabel : public QLabel {
    Q_OBJECT

public:
    explicit TLabel(QWidget* parent = nullptr);

    QString Caption() const { return text(); }
    void SetCaption(const QString& caption);
};

// A plain container with a raised one-pixel bevel and no caption.
class TPanel : public QFrame {
    Q_OBJECT

public:
    explicit TPanel(QWidget* parent = nullptr);
};

// A date-only picker shown in the long date format of the program-wide format, with a
// drop-down calendar. Tab leaves the picker instead of walking its day, month and year.
class TDateTimePicker : public QDateEdit {
    Q_OBJECT

public:
    explicit TDateTimePicker(QWidget* parent = nullptr);

protected:
    bool focusNextPrevChild(bool next) override;
};

// A small push button that never takes the focus, so clicking it leaves the focus (and
// the text being edited) where it is.
class TSpeedButton : public QToolButton {
    Q_OBJECT

public:
    explicit TSpeedButton(QWidget* parent = nullptr);

    TNotifyEvent OnClick;
};

} // namespace platform
