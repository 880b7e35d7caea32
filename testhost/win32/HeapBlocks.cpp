#include "testhost/win32/HeapBlocks.h"

#include <windows.h>

#include <malloc.h>

namespace SquelmHost {

namespace {

void CollectBusyBlocks(HANDLE heap, std::vector<HeapBlock>& blocks)
{
    if (!HeapLock(heap))
        return;
    PROCESS_HEAP_ENTRY entry{};
    while (HeapWalk(heap, &entry)) {
        if ((entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) != 0)
            blocks.push_back({reinterpret_cast<uintptr_t>(entry.lpData), size_t(entry.cbData)});
    }
    HeapUnlock(heap);
}

} // namespace

std::vector<HeapBlock> BusyHeapBlocks()
{
    // Room enough before the walk: growing the list would change the heap
    // being walked.
    std::vector<HeapBlock> blocks;
    blocks.reserve(size_t(1) << 18);
    CollectBusyBlocks(GetProcessHeap(), blocks);
    HANDLE runtimeHeap = reinterpret_cast<HANDLE>(_get_heap_handle());
    if (runtimeHeap != GetProcessHeap())
        CollectBusyBlocks(runtimeHeap, blocks);
    return blocks;
}

} // namespace SquelmHost
