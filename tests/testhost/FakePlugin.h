// A scripted stand-in for a plug-in: each selector runs a test-supplied
// function with the record the host passed. The entry point has no context
// pointer, so one script is active at a time (the FakePlugin alive).
#pragma once

#include <functional>
#include <map>

#include "host/PSHostInterface.h"

namespace SquelmHostTest {

class FakePlugin {
public:
    // Runs for a selector; returns the result to leave in the result word
    // (0 leaves it untouched, as a plug-in does on success).
    using Step = std::function<PS::OSErr(PS::FilterRecord& record)>;

    FakePlugin();
    ~FakePlugin();
    FakePlugin(const FakePlugin&) = delete;
    FakePlugin& operator=(const FakePlugin&) = delete;

    void On(int16_t selector, Step step) { steps_[selector] = std::move(step); }
    // About receives an AboutRecord, not a FilterRecord.
    void OnAbout(std::function<PS::OSErr(PS::AboutRecord& about)> step) { about_ = std::move(step); }

    static PS::PluginEntry Entry();

    // What the last call received.
    int16_t lastResultOnEntry = 0x7777;
    intptr_t* lastData = nullptr;

private:
    static void PS_CALLBACK Main(int16_t selector, void* record, intptr_t* data, int16_t* result);

    std::map<int16_t, Step> steps_;
    std::function<PS::OSErr(PS::AboutRecord&)> about_;
};

// Convenience for steps: the request fields in one call.
void Request(PS::FilterRecord& r, PS::Rect in, PS::Rect out, PS::Rect mask, int scale = 1);
PS::Rect HostRect(int left, int top, int right, int bottom);

} // namespace SquelmHostTest
