#include "testhost/HandleTable.h"

#include <algorithm>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/asan_interface.h>
#define SQUELM_POISON(address, size) ASAN_POISON_MEMORY_REGION(address, size)
#define SQUELM_UNPOISON(address, size) ASAN_UNPOISON_MEMORY_REGION(address, size)
#else
#define SQUELM_POISON(address, size) ((void)(address), (void)(size))
#define SQUELM_UNPOISON(address, size) ((void)(address), (void)(size))
#endif

namespace SquelmHost {

namespace {

// A zero-sized block still gets a distinct, non-null address.
std::vector<char> MakeStorage(int32_t size, uint8_t fill)
{
    return std::vector<char>(size_t(std::max<int32_t>(size, 1)), char(fill));
}

} // namespace

HandleTable::~HandleTable()
{
    for (std::vector<char>& old : graveyard_)
        SQUELM_UNPOISON(old.data(), old.size());
}

PS::Handle HandleTable::New(int32_t size, uint8_t fill)
{
    if (size < 0)
        return nullptr;
    auto block = std::make_unique<Block>();
    block->storage = MakeStorage(size, fill);
    block->master = block->storage.data();
    block->size = size;
    PS::Handle h = &block->master;
    blocks_.emplace(h, std::move(block));
    return h;
}

HandleTable::Block* HandleTable::Find(PS::Handle h) const
{
    auto it = blocks_.find(h);
    return it == blocks_.end() ? nullptr : it->second.get();
}

bool HandleTable::Dispose(PS::Handle h)
{
    return blocks_.erase(h) != 0;
}

bool HandleTable::Contains(PS::Handle h) const
{
    return Find(h) != nullptr;
}

int32_t HandleTable::Size(PS::Handle h) const
{
    const Block* block = Find(h);
    return block ? block->size : -1;
}

bool HandleTable::Resize(PS::Handle h, int32_t size, uint8_t fill)
{
    Block* block = Find(h);
    if (!block || size < 0)
        return false;
    // A locked block must stay where it is; it may only shrink in place.
    if (block->lockCount > 0 && size > int32_t(block->storage.size()))
        return false;
    if (block->lockCount == 0) {
        std::vector<char> moved = MakeStorage(size, fill);
        std::copy_n(block->storage.begin(), std::min<size_t>(size_t(std::min(size, block->size)), moved.size()),
                    moved.begin());
        block->storage.swap(moved);
        block->master = block->storage.data();
    }
    block->size = size;
    return true;
}

char* HandleTable::Lock(PS::Handle h)
{
    Block* block = Find(h);
    if (!block)
        return nullptr;
    ++block->lockCount;
    return block->master;
}

int HandleTable::Unlock(PS::Handle h, bool moveWhenUnlocked)
{
    Block* block = Find(h);
    if (!block)
        return -1;
    block->lockCount = std::max(0, block->lockCount - 1);
    if (moveWhenUnlocked && block->lockCount == 0)
        Move(*block);
    return block->lockCount;
}

// The bytes go to new memory; the old memory stays allocated, poisoned, so
// that a read through a stale address finds garbage (or trips the address
// sanitizer) and a write through one can be counted.
void HandleTable::Move(Block& block)
{
    std::vector<char> moved = block.storage;
    block.storage.swap(moved);
    block.master = block.storage.data();
    std::fill(moved.begin(), moved.end(), char(kPoison));
    SQUELM_POISON(moved.data(), moved.size());
    graveyard_.push_back(std::move(moved));
}

size_t HandleTable::StaleWrites() const
{
    size_t count = 0;
    for (const std::vector<char>& old : graveyard_) {
        SQUELM_UNPOISON(old.data(), old.size());
        count += size_t(std::count_if(old.begin(), old.end(), [](char c) { return uint8_t(c) != kPoison; }));
        SQUELM_POISON(old.data(), old.size());
    }
    return count;
}

int HandleTable::LockCount(PS::Handle h) const
{
    const Block* block = Find(h);
    return block ? block->lockCount : -1;
}

} // namespace SquelmHost
