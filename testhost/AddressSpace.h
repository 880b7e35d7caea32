// Makes pointer truncation fail loudly in 64-bit test programs: once the
// address space below 4 GiB is used up, every later allocation (the host's
// handles and image buffers, the plug-in's own heap blocks) lies above it,
// and a pointer cut to 32 bits points nowhere instead of working by luck.
#pragma once

namespace SquelmHost {

// On 64-bit Windows: reserves every free region below 4 GiB and uses up the
// free space left below 4 GiB in the process heap and the C runtime's heap.
// The blocks taken are never released. Call it first thing in main, and again
// just before a check that relies on it (blocks freed in between are free
// low memory again). Elsewhere it does nothing: a 32-bit process has no
// other memory, and natively the sanitizers watch the plug-in's memory.
void ReserveLowAddressSpace();

} // namespace SquelmHost
