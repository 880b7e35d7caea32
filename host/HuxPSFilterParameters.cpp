// The parameters block in the host's `parameters` handle.
#include "host/HuxPSFilter.h"

#include "HuxLib/HUXUTIL/HuxException.h"
#include "host/HuxPSHandles.h"

int32_t HuxPSFilter::GetParametersSize() const { return 0; }

void HuxPSFilter::SetParametersPointer(void*) {}

void HuxPSFilter::SetDefaultParameters() {}

void HuxPSFilter::ValidateParameters() {}

// An existing block is validated; one that cannot serve (a host that cannot
// lock it, or a block not known to hold the whole record) is replaced by a
// new block with defaults. The handle stays locked until the call ends.
void HuxPSFilter::ObtainParameters()
{
    PS::FilterRecord& record = RequireRecord();
    if (m_lockedParameters)
        return; // already obtained in this call
    const int32_t size = GetParametersSize();
    if (record.parameters) {
        void* block = UsableParametersBlock(size);
        if (block || size == 0) {
            SetParametersPointer(block);
            ValidateParameters();
            return;
        }
        HuxPSHandles(record.handleProcs).Dispose(record.parameters);
        record.parameters = nullptr;
    }
    if (size != 0)
        CreateParametersBlock(size);
}

// The record is read and written only where the block is known to hold it.
// Hosts whose getSizeProc answers 0 (or who have none) cannot tell: the block
// is then made the record's size through setSizeProc, which keeps its leading
// bytes. A host that cannot resize it either leaves no byte of it known to be
// safe, so the stored record is given up for a new block with defaults.
void* HuxPSFilter::UsableParametersBlock(int32_t size)
{
    PS::FilterRecord& record = RequireRecord();
    const HuxPSHandles handles(record.handleProcs);
    if (size != 0) {
        const int32_t stored = handles.Size(record.parameters);
        const bool holdsRecord = stored != 0 ? stored >= size : handles.SetSize(record.parameters, size);
        if (!holdsRecord)
            return nullptr;
    }
    return LockParameters();
}

// Without handle services no block can exist: the derived class is handed a
// null pointer and decides (the effect reports what the host lacks).
void HuxPSFilter::CreateParametersBlock(int32_t size)
{
    PS::FilterRecord& record = RequireRecord();
    const HuxPSHandles handles(record.handleProcs);
    if (handles.CanCreate()) {
        record.parameters = handles.New(size);
        if (!record.parameters)
            throw HuxOSErr(PS::memFullErr);
    }
    SetParametersPointer(LockParameters());
    SetDefaultParameters();
}

// A lock the host refused (null) is no lock to undo.
void* HuxPSFilter::LockParameters()
{
    PS::FilterRecord& record = RequireRecord();
    void* block = HuxPSHandles(record.handleProcs).Lock(record.parameters);
    if (block)
        m_lockedParameters = record.parameters;
    return block;
}

void HuxPSFilter::ReleaseParameters() noexcept
{
    if (m_lockedParameters && m_record)
        HuxPSHandles(m_record->handleProcs).Unlock(m_lockedParameters);
    m_lockedParameters = nullptr;
    SetParametersPointer(nullptr);
}
