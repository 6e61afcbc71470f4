#pragma once

namespace platform {

// Keeps memory the program frees at the top of its heap for the next allocation instead of
// handing it back to the system at once. Printing allocates and frees a few hundred
// kilobytes for every page (the PDF writer's compressor tables and page buffers); handing
// them back and taking them again costs the kernel a page fault for every 4 KiB, about a
// seventh of a many-page job. Freed memory beyond 32 MiB still goes back. Call once at the
// start of the process, before other threads exist.
void setUpProgramHeap();

} // namespace platform
