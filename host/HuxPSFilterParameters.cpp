// The parameters block in the host's `parameters` handle.
#include "host/HuxPSFilter.h"

#include "HuxLib/HUXUTIL/HuxException.h"
#include "host/HuxPSHandles.h"

int32_t HuxPSFilter::GetParametersSize() const { return 0; }

void HuxPSFilter::SetParametersPointer(void*) {}

void HuxPSFilter::SetDefaultParameters() {}

void HuxPSFilter::ValidateParameters() {}

// An existing block is validated; one that cannot serve (a host that cannot
// lock it, or one that reports it shorter than the record) is replaced by a
// new block with defaults. The handle stays locked until Dispatch unlocks it.
void HuxPSFilter::ObtainParameters()
{
    PS::FilterRecord& record = RequireRecord();
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

// A size of 0 from the host means "unknown", never "empty": only a block
// reported shorter than the record is known to be unusable.
void* HuxPSFilter::UsableParametersBlock(int32_t size)
{
    PS::FilterRecord& record = RequireRecord();
    const HuxPSHandles handles(record.handleProcs);
    const int32_t stored = handles.Size(record.parameters);
    if (stored != 0 && stored < size)
        return nullptr;
    return handles.Lock(record.parameters);
}

// Without handle services no block can exist: the derived class is handed a
// null pointer and decides (the effect reports "Parameters not set").
void HuxPSFilter::CreateParametersBlock(int32_t size)
{
    PS::FilterRecord& record = RequireRecord();
    const HuxPSHandles handles(record.handleProcs);
    if (handles.CanCreate()) {
        record.parameters = handles.New(size);
        if (!record.parameters)
            throw HuxOSErr(PS::memFullErr);
    }
    SetParametersPointer(handles.Lock(record.parameters));
    SetDefaultParameters();
}
