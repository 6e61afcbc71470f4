#include "HeapSetup.h"

// Any C library header defines __GLIBC__ where the C library is glibc.
#include <cstdlib>

#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace platform {

void setUpProgramHeap()
{
#ifdef __GLIBC__
    mallopt(M_TRIM_THRESHOLD, 32 * 1024 * 1024);
#endif
}

} // namespace platform
