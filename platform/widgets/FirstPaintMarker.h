#pragma once

class QWidget;

namespace platform {

// Start-up measurement hook. When the environment variable VORSELA_QUIT_AFTER_FIRST_PAINT is
// set, the first paint of window is followed by one line on the standard output, the wall
// clock in microseconds since the epoch and the window's size ("first-paint <µs> <w>x<h>"),
// and the end of the program.
// Without the variable nothing is installed. Call before the window is first shown.
void quitAfterFirstPaintWhenAsked(QWidget* window);

} // namespace platform
