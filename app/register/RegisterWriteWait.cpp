#include "app/register/RegisterWriteWait.h"

#include "register/CertificateRegister.h"

#include <QGuiApplication>
#include <QLabel>

using namespace Qt::Literals::StringLiterals;

RegisterWriteWait::RegisterWriteWait(CertificateRegister& reg, QLabel* label) : fRegister(reg)
{
    fRegister.setWaitNotice([this, label] {
        fWaiting = true;
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
        if (!label)
            return;
        const int seconds = (fRegister.busyTimeoutMs() + 999) / 1000;
        label->setText(
            u"Журнал занят другим рабочим местом; запись ждёт его не дольше %1 с…"_s.arg(seconds));
        label->show();
        label->repaint();
    });
}

RegisterWriteWait::~RegisterWriteWait()
{
    fRegister.setWaitNotice({});
    if (fWaiting)
        QGuiApplication::restoreOverrideCursor();
}
