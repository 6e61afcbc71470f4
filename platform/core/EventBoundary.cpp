#include "EventBoundary.h"

#include "Exception.h"
#include "MessageService.h"

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

} // namespace

bool runGuarded(const std::function<void()>& handler) noexcept
{
    try {
        handler();
        return true;
    } catch (const Exception& e) {
        reportSafely(e.message());
    } catch (const std::exception& e) {
        reportSafely(QString::fromUtf8(e.what()));
    } catch (...) {
        reportSafely(QStringLiteral("Unknown error"));
    }
    return false;
}

} // namespace platform
