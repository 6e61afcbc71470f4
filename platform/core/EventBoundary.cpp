#include "EventBoundary.h"

#include "Exception.h"
#include "MessageService.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QString>

namespace platform {

namespace {

void reportSafely(const QString& message) noexcept
{
    try {
        showErrorBox(message);
    } catch (...) {
        // The error box itself failed (out of memory): nothing more can be shown.
    }
}

void reportAfterThisEvent(const QString& message) noexcept
{
    QCoreApplication* application = QCoreApplication::instance();
    if (!application) {
        reportSafely(message);
        return;
    }
    try {
        QMetaObject::invokeMethod(
            application, [message] { reportSafely(message); }, Qt::QueuedConnection);
    } catch (...) {
        // Out of memory: nothing more can be shown.
    }
}

bool runCaught(
    const std::function<void()>& handler, void (*report)(const QString&) noexcept) noexcept
{
    try {
        handler();
        return true;
    } catch (const Exception& e) {
        report(e.message());
    } catch (const std::exception& e) {
        report(QString::fromUtf8(e.what()));
    } catch (...) {
        report(QStringLiteral("Unknown error"));
    }
    return false;
}

} // namespace

bool runGuarded(const std::function<void()>& handler) noexcept
{
    return runCaught(handler, reportSafely);
}

bool runGuardedReportLater(const std::function<void()>& handler) noexcept
{
    return runCaught(handler, reportAfterThisEvent);
}

} // namespace platform
