#pragma once

#include <functional>

namespace platform {

// Every user event enters the program's handlers through here. An exception that leaves
// the handler is shown in the error box; the rest of the handler is skipped and the
// program goes on with the next event. Nothing is ever thrown into Qt.
// Returns false when the handler ended with an error.
bool runGuarded(const std::function<void()>& handler) noexcept;

// The same for code that must not open a window where it runs, such as painting: the error
// box is shown once the current event is over.
bool runGuardedReportLater(const std::function<void()>& handler) noexcept;

// Wraps a handler for connecting to a Qt signal.
template <class Handler> auto guarded(Handler handler)
{
    return [handler = std::move(handler)] { runGuarded(handler); };
}

} // namespace platform
