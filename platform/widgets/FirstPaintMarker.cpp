#include "FirstPaintMarker.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

#include <chrono>
#include <cstdio>

namespace platform {

namespace {

// Waits for the window's first paint event; the mark is taken once that paint pass has
// reached the screen, from the next turn of the event loop.
class FirstPaintMarker final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            const QSize size = static_cast<QWidget*>(watched)->size();
            QTimer::singleShot(0, [size] {
                const auto now = std::chrono::system_clock::now().time_since_epoch();
                std::printf("first-paint %lld %dx%d\n",
                    static_cast<long long>(
                        std::chrono::duration_cast<std::chrono::microseconds>(now).count()),
                    size.width(), size.height());
                std::fflush(stdout);
                QCoreApplication::exit(0);
            });
        }
        return false;
    }
};

} // namespace

void quitAfterFirstPaintWhenAsked(QWidget* window)
{
    if (qEnvironmentVariableIsSet("VORSELA_QUIT_AFTER_FIRST_PAINT"))
        window->installEventFilter(new FirstPaintMarker(window));
}

} // namespace platform
