#pragma once

#include <chrono>

// How long a test waits for a window it drives before a safety ends it, so that no test can
// hang: one setting for every session. Under the sanitizers on two cores a preview or a
// dialog takes several times as long as in the release build, so that build waits longer.
inline std::chrono::milliseconds sessionSafety()
{
#if defined(__SANITIZE_ADDRESS__)
    return std::chrono::seconds(40);
#else
    return std::chrono::seconds(10);
#endif
}
