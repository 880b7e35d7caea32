// The callbacks the host puts in the record. They carry no context, so each
// one answers for TestHost::Current() and logs what it was asked.
#pragma once

#include "host/PSHostInterface.h"

namespace SquelmHost {

class TestHost;

struct HostCallbacks {
    static PS::OSErr PS_CALLBACK AdvanceState();
    static PS::Boolean PS_CALLBACK Abort();
    static void PS_CALLBACK Progress(int32_t done, int32_t total);
    static PS::OSErr PS_CALLBACK ColorServices(PS::ColorServicesInfo* info);
    static PS::OSErr PS_CALLBACK DisplayPixels(const void* source, const PS::VRect* srcRect, int32_t dstRow,
                                               int32_t dstCol, void* platformContext);
    static void PS_CALLBACK ProcessEvent(void* event);

    static PS::Handle PS_CALLBACK NewHandle(int32_t size);
    static void PS_CALLBACK DisposeHandle(PS::Handle h);
    static int32_t PS_CALLBACK GetHandleSize(PS::Handle h);
    static PS::OSErr PS_CALLBACK SetHandleSize(PS::Handle h, int32_t newSize);
    static PS::Ptr PS_CALLBACK LockHandle(PS::Handle h, PS::Boolean moveHigh);
    static void PS_CALLBACK UnlockHandle(PS::Handle h);
    static void PS_CALLBACK RecoverSpace(int32_t size);
    static void PS_CALLBACK DisposeRegularHandle(PS::Handle h);

    // Fills the record's callback fields and the handle procs suite,
    // leaving out what the host's options say it lacks.
    static void Install(TestHost& host);
};

} // namespace SquelmHost
