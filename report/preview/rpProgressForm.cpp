#include "rpProgressForm.h"

#include "platform/core/EventBoundary.h"
#include "report/model/rpRes.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

TrpProgressForm::TrpProgressForm(QWidget* owner, std::function<void()> onCancel)
    : QWidget(owner ? owner->window() : nullptr, Qt::Dialog | Qt::FramelessWindowHint),
      FOnCancel(std::move(onCancel))
{
    setFixedSize(271, 101);
    FLabel = new QLabel(this);
    FLabel->setGeometry(8, 20, 255, 17);
    FLabel->setAlignment(Qt::AlignCenter);
    FCancel = new QPushButton(rpGet(QStringLiteral("btnCancel")), this);
    FCancel->setGeometry(98, 60, 75, 25);
    connect(FCancel, &QPushButton::clicked, this, [this] { platform::runGuarded(FOnCancel); });
    if (owner)
        move(owner->window()->geometry().center() - rect().center());
}

void TrpProgressForm::SetMessage(const QString& text) { FLabel->setText(text); }

void TrpProgressForm::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    activateWindow();
    FCancel->setFocus();
}

void TrpProgressForm::keyPressEvent(QKeyEvent* event)
{
    if (event->key() != Qt::Key_Escape || event->modifiers() != Qt::NoModifier) {
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
    platform::runGuarded(FOnCancel);
}
