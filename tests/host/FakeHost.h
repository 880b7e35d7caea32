// A small in-test host: a zeroed FilterRecord whose callbacks serve a
// synthetic image, keep handles, and record what the plug-in asked, so that
// single operations of the filter framework can be driven and observed.
#pragma once

#include "HuxLib/HuxGeometry/HuxRect.h"
#include "host/HuxPSFilter.h"
#include "host/PSHostInterface.h"

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <vector>

namespace FakeHostTest {

struct Request {
    HuxRect inRect, outRect, maskRect;
    int16_t inLoPlane = 0, inHiPlane = 0;
    int32_t inputRate = 0, maskRate = 0;
};

class FakeHost {
public:
    // An image of width x height whose pixel (x, y) is Red/Green/Blue(x, y)
    // and whose mask is MaskAt(x, y); filterRect the whole image.
    FakeHost(int32_t width, int32_t height);
    ~FakeHost();
    FakeHost(const FakeHost&) = delete;
    FakeHost& operator=(const FakeHost&) = delete;

    static uint8_t Red(int32_t x, int32_t y) { return uint8_t(x * 7 + y); }
    static uint8_t Green(int32_t x, int32_t y) { return uint8_t(y * 5 + (x >> 2) + 1); }
    static uint8_t Blue(int32_t x, int32_t y) { return uint8_t(x ^ (y * 3)); }
    static uint8_t MaskAt(int32_t x, int32_t y) { return uint8_t((x * 31 + y * 17) & 0xFF); }

    PS::FilterRecord& Record() { return record; }
    const PS::FilterRecord& Record() const { return record; }
    // By value: the field is misaligned on x64 (the record is packed to 4).
    PS::Handle Parameters() const { return record.parameters; }
    PS::HandleProcs& Procs() { return procs; }
    void SetFilterRect(const HuxRect& r);
    void SetMask(bool on) { record.haveMask = on; }

    // Handles.
    // A stored parameters block: allocated and put into `parameters`.
    PS::Handle StoreParameters(const std::vector<uint8_t>& bytes);
    std::vector<uint8_t> Block(PS::Handle h) const;
    bool IsLive(PS::Handle h) const { return blocks.count(h) != 0; }
    int LockCount(PS::Handle h) const;

    // Behaviour.
    int32_t sizeAnswer = -1;   // getSizeProc: -1 the true size, else this
    bool lockFails = false;    // lockProc answers null
    bool setSizeFails = false; // setSizeProc answers memFullErr
    bool newFails = false;     // newProc answers null
    PS::OSErr advanceError = PS::noErr;
    bool deliverNothing = false; // advanceState succeeds but leaves the data null
    bool abortAnswer = false;
    PS::OSErr colourAnswer = PS::noErr;
    std::array<int16_t, 4> colourPicked{}; // the answer to a pick or a conversion

    // What happened.
    std::vector<Request> requests;
    std::vector<std::pair<int32_t, int32_t>> progress;
    std::vector<PS::ColorServicesInfo> colourCalls;
    int abortPolls = 0;
    int lockCalls = 0;
    int unlockCalls = 0;
    std::vector<int32_t> setSizeCalls; // the sizes asked for
    int disposeCalls = 0;
    int newCalls = 0;

    static FakeHost* current;

private:
    struct HostBlock {
        std::vector<uint8_t> bytes;
        char* master = nullptr;
        int locks = 0;
    };
    static PS::OSErr PS_CALLBACK AdvanceState();
    static PS::Boolean PS_CALLBACK Abort();
    static void PS_CALLBACK Progress(int32_t done, int32_t total);
    static PS::OSErr PS_CALLBACK Colour(PS::ColorServicesInfo* info);
    static PS::Handle PS_CALLBACK NewHandle(int32_t size);
    static void PS_CALLBACK DisposeHandle(PS::Handle h);
    static int32_t PS_CALLBACK HandleSize(PS::Handle h);
    static PS::OSErr PS_CALLBACK SetHandleSize(PS::Handle h, int32_t size);
    static PS::Ptr PS_CALLBACK LockHandle(PS::Handle h, PS::Boolean);
    static void PS_CALLBACK UnlockHandle(PS::Handle h);
    void Serve();
    PS::Handle Allocate(const std::vector<uint8_t>& bytes);

    int32_t width, height;
    PS::FilterRecord record{};
    PS::HandleProcs procs{};
    std::map<PS::Handle, std::unique_ptr<HostBlock>> blocks;
    // Disposed blocks stay allocated until the host goes, so that a new
    // handle never reuses an old one's address (which would make a disposed
    // handle look live again once the allocator recycles memory).
    std::vector<std::unique_ptr<HostBlock>> disposed;
    std::vector<uint8_t> inBuffer, maskBuffer;
};

// A filter whose selector operations can be observed and scripted.
class RecordingFilter : public HuxPSFilter {
public:
    void About() override { Note(0); }
    void Parameters() override { Note(1); HuxPSFilter::Parameters(); }
    void Prepare() override { Note(2); HuxPSFilter::Prepare(); }
    void Start() override { Note(3); if (onStart) onStart(); }
    void Continue() override { Note(4); HuxPSFilter::Continue(); }
    void Finish() override { Note(5); }

    int32_t GetParametersSize() const override { return parametersSize; }
    void SetParametersPointer(void* p) override
    {
        parameters = p;
        if (p)
            parametersSeen = p;
    }
    void SetDefaultParameters() override { ++defaultsWritten; }
    void ValidateParameters() override { ++validations; }

    void UpdateSourcePreview(const HuxRect& r) override { updates.push_back({'S', r}); HuxPSFilter::UpdateSourcePreview(r); }
    void UpdateDisplayPreview(const HuxRect& r) override { updates.push_back({'D', r}); }
    void UpdateMaskPreview(const HuxRect& r) override { updates.push_back({'M', r}); }
    void UpdateOutputPreview(const HuxRect& r) override { updates.push_back({'O', r}); }
    void BuildOutputPreview() override { ++outputBuilds; }

    using HuxPSFilter::ReplaceOutputPreview;

    std::vector<int> calls;
    std::function<void()> onStart;
    int32_t parametersSize = 0;
    void* parameters = nullptr;     // as the framework holds it now
    void* parametersSeen = nullptr; // the last block it handed over
    int defaultsWritten = 0;
    int validations = 0;
    int outputBuilds = 0;
    std::vector<std::pair<char, HuxRect>> updates;

private:
    void Note(int selector) { calls.push_back(selector); }
};

// Runs body inside a Start call of filter on host (after a Prepare, so the
// filter rectangle is known); returns the call's result word.
int16_t RunInStart(RecordingFilter& filter, FakeHost& host, std::function<void()> body);

} // namespace FakeHostTest
