#include "testhost/HostCallbacks.h"

#include "HuxLib/HUXIMAGE/HuxColourFormulas.h"
#include "testhost/HandleTable.h"
#include "testhost/RequestServer.h"
#include "testhost/TestHost.h"

#include <algorithm>

namespace SquelmHost {

namespace {

HostEvent Event(EventKind kind)
{
    HostEvent e;
    e.kind = kind;
    return e;
}

HostEvent HandleEvent(EventKind kind, PS::Handle h, int64_t value, int32_t result)
{
    HostEvent e = Event(kind);
    e.handle = h;
    e.value = value;
    e.result = result;
    return e;
}

// This host converts from RGB into CMYK without black generation (cyan,
// magenta and yellow alone, where the plug-in's own formula takes the black
// out) and into Lab by the formula; components are 8-bit plane values.
PS::OSErr ConvertColour(PS::ColorServicesInfo& info)
{
    if (info.sourceSpace != PS::plugIncolorServicesRGBSpace)
        return PS::paramErr;
    uint32_t rgb[3];
    for (int p = 0; p < 3; ++p)
        rgb[p] = uint32_t(std::clamp<int16_t>(info.colorComponents[p], 0, 255));
    uint32_t converted[4] = {};
    switch (info.resultSpace) {
    case PS::plugIncolorServicesCMYKSpace:
        std::copy(rgb, rgb + 3, converted);
        converted[3] = 255;
        break;
    case PS::plugIncolorServicesLabSpace: HuxColour::LabFromRgb(rgb, 255, converted); break;
    default: return PS::paramErr;
    }
    for (int p = 0; p < 4; ++p)
        info.colorComponents[p] = int16_t(converted[p]);
    return PS::noErr;
}

} // namespace

PS::OSErr HostCallbacks::AdvanceState()
{
    TestHost* host = TestHost::Current();
    if (!host)
        return PS::paramErr;
    auto& counters = host->counters_;
    HostEvent e = RequestEvent(EventKind::AdvanceState, host->record_);
    ++counters.advanceStateCalls;
    const int failAt = host->options_.failAdvanceStateAt;
    if (counters.advanceStateError != PS::noErr) {
        // Called again after an error: keep refusing, and count the fault.
        ++counters.callsAfterError;
        e.result = counters.advanceStateError;
    } else if (failAt > 0 && counters.advanceStateCalls >= failAt) {
        host->server_->StoreOutput();
        host->server_->Release();
        e.result = host->options_.advanceStateError;
    } else {
        e.result = host->server_->Serve();
    }
    if (e.result != PS::noErr)
        counters.advanceStateError = PS::OSErr(e.result);
    host->log_.Add(e);
    return PS::OSErr(e.result);
}

PS::Boolean HostCallbacks::Abort()
{
    TestHost* host = TestHost::Current();
    if (!host)
        return false;
    const int cancelAt = host->options_.cancelAtAbortPoll;
    const bool cancel = ++host->counters_.abortPolls >= cancelAt && cancelAt > 0;
    HostEvent e = Event(EventKind::AbortPoll);
    e.result = cancel;
    host->log_.Add(e);
    return cancel;
}

void HostCallbacks::Progress(int32_t done, int32_t total)
{
    if (TestHost* host = TestHost::Current()) {
        HostEvent e = Event(EventKind::Progress);
        e.value = done;
        e.value2 = total;
        host->log_.Add(e);
    }
}

PS::OSErr HostCallbacks::ColorServices(PS::ColorServicesInfo* info)
{
    TestHost* host = TestHost::Current();
    if (!host || !info)
        return PS::paramErr;
    HostEvent e = Event(EventKind::ColorServices);
    e.infoSize = info->infoSize;
    e.colorSelector = info->selector;
    e.sourceSpace = info->sourceSpace;
    e.resultSpace = info->resultSpace;
    for (int i = 0; i < 4; ++i)
        e.components[i] = info->colorComponents[i];

    // This host's picker only answers in RGB; it converts from RGB.
    const ColourAnswer& answer = host->options_.colour;
    const bool rgbResult = info->resultSpace == PS::plugIncolorServicesRGBSpace ||
                           info->resultSpace == PS::plugIncolorServicesChosenSpace;
    if (info->selector == PS::plugIncolorServicesConvertColor) {
        e.result = answer.refuseConversion ? PS::OSErr(PS::paramErr) : ConvertColour(*info);
    } else if (info->selector != PS::plugIncolorServicesChooseColor || !rgbResult) {
        e.result = PS::paramErr;
    } else if (answer.refuse) {
        e.result = answer.refusalCode;
    } else {
        info->resultSpace = PS::plugIncolorServicesRGBSpace;
        info->colorComponents[0] = int16_t(answer.red);
        info->colorComponents[1] = int16_t(answer.green);
        info->colorComponents[2] = int16_t(answer.blue);
        info->colorComponents[3] = 0;
        e.result = PS::noErr;
    }
    host->log_.Add(e);
    return PS::OSErr(e.result);
}

PS::OSErr HostCallbacks::DisplayPixels(const void*, const PS::VRect*, int32_t, int32_t, void*)
{
    if (TestHost* host = TestHost::Current())
        host->log_.Add(Event(EventKind::DisplayPixels));
    return PS::noErr;
}

void HostCallbacks::ProcessEvent(void*)
{
    if (TestHost* host = TestHost::Current())
        host->log_.Add(Event(EventKind::ProcessEvent));
}

PS::Handle HostCallbacks::NewHandle(int32_t size)
{
    TestHost* host = TestHost::Current();
    if (!host)
        return nullptr;
    const int failAt = host->options_.failNewHandleAt;
    const bool refuse = failAt > 0 && ++host->counters_.newHandleCalls >= failAt;
    PS::Handle h = refuse ? nullptr : host->handles_->New(size, host->options_.newHandleFill);
    host->log_.Add(HandleEvent(EventKind::NewHandle, h, size, h ? PS::noErr : PS::memFullErr));
    return h;
}

void HostCallbacks::DisposeHandle(PS::Handle h)
{
    if (TestHost* host = TestHost::Current()) {
        const bool known = host->handles_->Dispose(h);
        if (known && h == host->parameters_)
            host->parameters_ = nullptr;
        host->log_.Add(HandleEvent(EventKind::DisposeHandle, h, 0, known ? PS::noErr : PS::nilHandleErr));
    }
}

// Some hosts answer 0 for every handle; 0 means "unknown" there.
int32_t HostCallbacks::GetHandleSize(PS::Handle h)
{
    TestHost* host = TestHost::Current();
    if (!host)
        return 0;
    const int32_t size = host->handles_->Size(h);
    const int32_t answer = host->options_.getSizeAnswersZero || size < 0 ? 0 : size;
    host->log_.Add(HandleEvent(EventKind::GetHandleSize, h, answer, size < 0 ? PS::nilHandleErr : PS::noErr));
    return answer;
}

PS::OSErr HostCallbacks::SetHandleSize(PS::Handle h, int32_t newSize)
{
    TestHost* host = TestHost::Current();
    if (!host)
        return PS::nilHandleErr;
    PS::OSErr result = PS::noErr;
    if (!host->handles_->Contains(h))
        result = PS::nilHandleErr;
    else if (host->options_.setSizeFails || !host->handles_->Resize(h, newSize, host->options_.newHandleFill))
        result = PS::memFullErr;
    host->log_.Add(HandleEvent(EventKind::SetHandleSize, h, newSize, result));
    return result;
}

PS::Ptr HostCallbacks::LockHandle(PS::Handle h, PS::Boolean)
{
    TestHost* host = TestHost::Current();
    if (!host)
        return nullptr;
    PS::Ptr p = host->handles_->Lock(h);
    host->TallyLock(h, true);
    host->log_.Add(HandleEvent(EventKind::LockHandle, h, host->handles_->LockCount(h), p ? PS::noErr : PS::nilHandleErr));
    return p;
}

void HostCallbacks::UnlockHandle(PS::Handle h)
{
    if (TestHost* host = TestHost::Current()) {
        const int count = host->handles_->Unlock(h, host->options_.moveBlocksOnUnlock);
        host->TallyLock(h, false);
        host->log_.Add(HandleEvent(EventKind::UnlockHandle, h, count, count < 0 ? PS::nilHandleErr : PS::noErr));
    }
}

void HostCallbacks::RecoverSpace(int32_t size)
{
    if (TestHost* host = TestHost::Current())
        host->log_.Add(HandleEvent(EventKind::RecoverSpace, nullptr, size, PS::noErr));
}

// Handles the plug-in got from the operating system are not the host's to
// free here; the call is only recorded.
void HostCallbacks::DisposeRegularHandle(PS::Handle h)
{
    if (TestHost* host = TestHost::Current())
        host->log_.Add(HandleEvent(EventKind::DisposeRegularHandle, h, 0, PS::noErr));
}

void HostCallbacks::Install(TestHost& host)
{
    const HostOptions& options = host.options_;
    PS::FilterRecord& r = host.record_;
    r.advanceState = &AdvanceState;
    r.abortProc = options.nullAbortProc ? nullptr : &Abort;
    r.progressProc = options.nullProgressProc ? nullptr : &Progress;
    r.colorServices = options.nullColorServices ? nullptr : &ColorServices;
    r.displayPixels = &DisplayPixels;
    r.processEvent = &ProcessEvent;
    r.hostProc = nullptr;

    // A host with fewer procs leaves the ones beyond its count out.
    PS::HandleProcs& procs = host.handleProcs_;
    procs = PS::HandleProcs{};
    procs.handleProcsVersion = 1;
    procs.numHandleProcs = options.numHandleProcs;
    const int n = options.numHandleProcs;
    procs.newProc = n >= 1 ? &NewHandle : nullptr;
    procs.disposeProc = n >= 2 ? &DisposeHandle : nullptr;
    procs.getSizeProc = n >= 3 ? &GetHandleSize : nullptr;
    procs.setSizeProc = n >= 4 ? &SetHandleSize : nullptr;
    procs.lockProc = n >= 5 ? &LockHandle : nullptr;
    procs.unlockProc = n >= 6 ? &UnlockHandle : nullptr;
    procs.recoverSpaceProc = n >= 7 ? &RecoverSpace : nullptr;
    procs.disposeRegularHandleProc = n >= 8 ? &DisposeRegularHandle : nullptr;
    r.handleProcs = &procs;
}

} // namespace SquelmHost
