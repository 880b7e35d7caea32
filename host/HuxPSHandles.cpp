#include "host/HuxPSHandles.h"

namespace {

// Places of the procs in the suite, as counted by numHandleProcs.
constexpr int16_t kDisposePosition = 2;
constexpr int16_t kGetSizePosition = 3;
constexpr int16_t kSetSizePosition = 4;
constexpr int16_t kLockPosition = 5;
constexpr int16_t kUnlockPosition = 6;

} // namespace

// Hosts without handle services at all pass a null suite; hosts that have
// them may still leave single procs null, so every pointer is tested. The
// optional procs are also checked against numHandleProcs, since a short
// suite leaves whatever follows it undefined.
bool HuxPSHandles::Counted(int16_t position) const { return m_procs && m_procs->numHandleProcs >= position; }

bool HuxPSHandles::CanCreate() const { return m_procs && m_procs->newProc; }

PS::Handle HuxPSHandles::New(int32_t size) const { return CanCreate() ? m_procs->newProc(size) : nullptr; }

void HuxPSHandles::Dispose(PS::Handle handle) const
{
    if (handle && Counted(kDisposePosition) && m_procs->disposeProc)
        m_procs->disposeProc(handle);
}

// Some hosts answer 0 for a perfectly good handle: 0 means "unknown", and a
// negative answer is no size either.
int32_t HuxPSHandles::Size(PS::Handle handle) const
{
    if (!handle || !Counted(kGetSizePosition) || !m_procs->getSizeProc)
        return 0;
    const int32_t size = m_procs->getSizeProc(handle);
    return size > 0 ? size : 0;
}

bool HuxPSHandles::SetSize(PS::Handle handle, int32_t size) const
{
    if (!handle || !Counted(kSetSizePosition) || !m_procs->setSizeProc)
        return false;
    return m_procs->setSizeProc(handle, size) == PS::noErr;
}

void* HuxPSHandles::Lock(PS::Handle handle) const
{
    if (!handle || !Counted(kLockPosition) || !m_procs->lockProc)
        return nullptr;
    return m_procs->lockProc(handle, true);
}

void HuxPSHandles::Unlock(PS::Handle handle) const
{
    if (handle && Counted(kUnlockPosition) && m_procs->unlockProc)
        m_procs->unlockProc(handle);
}

const char* HuxPSHandles::Lacking() const
{
    if (!m_procs)
        return "the host offers no handle procedures, which the filter needs to keep its settings";
    if (!CanCreate())
        return "the host's handle procedures cannot create a handle, which the filter needs to keep its settings";
    if (!Counted(kLockPosition) || !m_procs->lockProc)
        return "the host offers fewer than the five handle procedures the filter needs: it has no lock procedure";
    return nullptr;
}
