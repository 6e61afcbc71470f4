#pragma once

namespace platform {

// Makes real message boxes, centred on the screen, the default presenter of the message
// service. The program calls it once at start-up.
void useMessageBoxes();

} // namespace platform
