#include "testhost/AddressSpace.h"

#include <windows.h>

#include <malloc.h>

#include <cstddef>
#include <cstdint>

namespace SquelmHost {

#if defined(_WIN64)

namespace {

constexpr uintptr_t kLowLimit = uintptr_t(1) << 32;
// The first 64 KiB are never mapped; reservations start on this granularity.
constexpr uintptr_t kGranularity = 0x10000;

void ReserveFreeRegions()
{
    uintptr_t address = kGranularity;
    while (address < kLowLimit) {
        MEMORY_BASIC_INFORMATION info{};
        if (VirtualQuery(reinterpret_cast<void*>(address), &info, sizeof info) != sizeof info)
            return;
        const uintptr_t regionEnd = reinterpret_cast<uintptr_t>(info.BaseAddress) + info.RegionSize;
        if (info.State == MEM_FREE) {
            const uintptr_t start = (address + kGranularity - 1) & ~(kGranularity - 1);
            const uintptr_t end = regionEnd < kLowLimit ? regionEnd : kLowLimit;
            // A region the system refuses (too small, racing another thread)
            // stays free; the heaps are used up below all the same.
            if (start < end)
                VirtualAlloc(reinterpret_cast<void*>(start), end - start, MEM_RESERVE, PAGE_NOACCESS);
        }
        address = regionEnd;
    }
}

// Takes blocks of `size` bytes until the heap hands out one above 4 GiB
// (grown into a fresh segment) or none at all; the low ones are kept.
void TakeLowBlocks(HANDLE heap, size_t size)
{
    for (;;) {
        void* block = HeapAlloc(heap, 0, size);
        if (!block)
            return;
        if (reinterpret_cast<uintptr_t>(block) >= kLowLimit) {
            HeapFree(heap, 0, block);
            return;
        }
    }
}

// Large sizes first, so that small requests cannot grow a low segment; then
// every small size, since small blocks may come from per-size pools.
void UseUpLowHeapSpace(HANDLE heap)
{
    constexpr size_t kSmallestLarge = 32 * 1024;
    constexpr size_t kLargest = 4 * 1024 * 1024;
    constexpr size_t kSmallStep = 8;
    for (size_t size = kLargest; size >= kSmallestLarge; size /= 2)
        TakeLowBlocks(heap, size);
    for (size_t size = kSmallestLarge - kSmallStep; size >= kSmallStep; size -= kSmallStep)
        TakeLowBlocks(heap, size);
    TakeLowBlocks(heap, 1);
}

} // namespace

void ReserveLowAddressSpace()
{
    ReserveFreeRegions();
    // Only these two heaps: both grow on demand, and they serve every
    // allocation of the host and the plug-in (operator new and malloc use
    // the C runtime's heap).
    UseUpLowHeapSpace(GetProcessHeap());
    UseUpLowHeapSpace(reinterpret_cast<HANDLE>(_get_heap_handle()));
}

#else

void ReserveLowAddressSpace() {}

#endif

} // namespace SquelmHost
