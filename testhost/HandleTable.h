// Mac-style handles as hosts hand them out: a Handle points at a master
// pointer, which points at the block. Blocks move when resized while
// unlocked, and on request whenever they are unlocked, so a plug-in that
// keeps a stale address is caught: the old memory is kept, filled with
// kPoison (and, under AddressSanitizer, made unreadable).
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <vector>

#include "host/PSHostInterface.h"

namespace SquelmHost {

class HandleTable {
public:
    static constexpr uint8_t kPoison = 0xDD;

    HandleTable() = default;
    ~HandleTable();
    HandleTable(const HandleTable&) = delete;
    HandleTable& operator=(const HandleTable&) = delete;

    // Null for a negative size.
    PS::Handle New(int32_t size, uint8_t fill);
    bool Dispose(PS::Handle h);
    bool Contains(PS::Handle h) const;
    // -1 for an unknown handle.
    int32_t Size(PS::Handle h) const;
    bool Resize(PS::Handle h, int32_t size, uint8_t fill);
    // Null for an unknown handle.
    char* Lock(PS::Handle h);
    // Lock count after the call; unlocking an unlocked handle is harmless,
    // as with the host's own handles. -1 for an unknown handle. With
    // moveWhenUnlocked an unlocked block moves to new memory.
    int Unlock(PS::Handle h, bool moveWhenUnlocked = false);
    int LockCount(PS::Handle h) const;
    size_t LiveCount() const { return blocks_.size(); }
    // Blocks moved away from so far, and bytes of their old memory that no
    // longer hold the poison: writes through a stale address.
    size_t MovedCount() const { return graveyard_.size(); }
    size_t StaleWrites() const;

private:
    struct Block {
        char* master = nullptr; // what the Handle points at
        std::vector<char> storage;
        int32_t size = 0;
        int lockCount = 0;
    };

    Block* Find(PS::Handle h) const;
    void Move(Block& block);

    std::map<PS::Handle, std::unique_ptr<Block>> blocks_;
    std::vector<std::vector<char>> graveyard_; // old memory of moved blocks, poisoned
};

} // namespace SquelmHost
