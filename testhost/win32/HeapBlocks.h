// The blocks in use in the heaps that serve the host and the plug-in, for
// tests that check where a run's memory lies.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace SquelmHost {

struct HeapBlock {
    uintptr_t address = 0;
    size_t size = 0;
};

// Every block in use in the process heap and the C runtime's heap.
std::vector<HeapBlock> BusyHeapBlocks();

} // namespace SquelmHost
