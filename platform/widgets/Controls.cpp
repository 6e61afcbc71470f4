#include "Controls.h"

#include "platform/core/EventBoundary.h"
#include "platform/core/NumberFormat.h"

namespace platform {

TLabel::TLabel(QWidget* parent) : QLabel(parent)
{
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setWordWrap(false);
}

void TLabel::SetCaption(const QString& caption)
{
    setText(caption);
    resize(sizeHint().width(), height());
}

TPanel::TPanel(QWidget* parent) : QFrame(parent)
{
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    setLineWidth(1);
}

TDateTimePicker::TDateTimePicker(QWidget* parent) : QDateEdit(parent)
{
    setCalendarPopup(true);
    setDisplayFormat(numberFormat().longDateFormat);
}

// Tab leaves the field instead of stepping through the date's sections.
bool TDateTimePicker::focusNextPrevChild(bool next)
{
    return QWidget::focusNextPrevChild(next); // NOLINT(bugprone-parent-virtual-call)
}

TSpeedButton::TSpeedButton(QWidget* parent) : QToolButton(parent)
{
    setFocusPolicy(Qt::NoFocus);
    setText(QStringLiteral("?"));
    connect(this, &QToolButton::clicked, this, [this] {
        if (OnClick)
            runGuarded(OnClick);
    });
}

} // namespace platform
