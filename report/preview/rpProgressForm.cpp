#include "rpProgressForm.h"

#include "platform/core/EventBoundary.h"
#include "report/model/rpRes.h"

#include <QLabel>
#include <QPushButton>

TrpProgressForm::TrpProgressForm(QWidget* owner, std::function<void()> onCancel)
    : QWidget(nullptr, Qt::Dialog | Qt::FramelessWindowHint)
{
    setFixedSize(271, 101);
    FLabel = new QLabel(this);
    FLabel->setGeometry(8, 20, 255, 17);
    FLabel->setAlignment(Qt::AlignCenter);
    FCancel = new QPushButton(rpGet(QStringLiteral("btnCancel")), this);
    FCancel->setGeometry(98, 60, 75, 25);
    connect(FCancel, &QPushButton::clicked, this,
        [onCancel = std::move(onCancel)] { platform::runGuarded(onCancel); });
    if (owner)
        move(owner->window()->geometry().center() - rect().center());
}

void TrpProgressForm::SetMessage(const QString& text) { FLabel->setText(text); }
