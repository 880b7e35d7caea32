// The host's handle services, wrapped once so that every host quirk about
// them is handled here and nowhere else.
#pragma once

#include "host/PSHostInterface.h"

#include <cstdint>

class HuxPSHandles {
public:
    explicit HuxPSHandles(const PS::HandleProcs* procs) : m_procs(procs) {}

    // Whether the host can make new handles at all.
    bool CanCreate() const;
    // A new handle of size bytes, or null when the host gives none.
    PS::Handle New(int32_t size) const;
    // Frees a handle; skipped when the host offers no disposeProc.
    void Dispose(PS::Handle handle) const;
    // The block's size in bytes; 0 when the host cannot tell.
    int32_t Size(PS::Handle handle) const;
    // Makes the block size bytes long, keeping its leading bytes; false when
    // the host cannot (no setSizeProc, or it failed).
    bool SetSize(PS::Handle handle, int32_t size) const;
    // Locks the block and returns its address; null when it cannot be had.
    void* Lock(PS::Handle handle) const;
    // Skipped when the host offers no unlockProc.
    void Unlock(PS::Handle handle) const;
    // What the host lacks to keep a block the plug-in can lock, in words
    // that follow the host's "Cannot complete operation because"; null
    // when it lacks nothing.
    const char* Lacking() const;

private:
    bool Counted(int16_t position) const;

    const PS::HandleProcs* m_procs;
};
