// A host for the filter plug-in interface, played faithfully on a document
// held in memory (HostImage.h: its modes, depths and transparency). It lays
// the FilterRecord out as a current host does, serves advanceState requests
// (sampling on the host side at inputRate), keeps the parameters handle
// between runs, and logs every call in both directions.
//
// Callbacks carry no context pointer, so the host that is running a plug-in
// call (or, outside calls, the most recently created live host) is the one
// that answers them. One host at a time may be driving a plug-in.
#pragma once

#include <array>
#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

#include "host/PSHostInterface.h"
#include "testhost/CallLog.h"
#include "testhost/HostImage.h"
#include "testhost/HostOptions.h"

namespace SquelmHost {

class DescriptorSession;
class HandleTable;
class RequestServer;

struct RunResult {
    PS::OSErr result = PS::noErr;   // the failing selector's result, else 0
    int16_t failedSelector = -1;    // selector that failed, -1 for none
    bool startCalled = false;
    bool finishCalled = false;
    int continueCalls = 0;
    std::string errorText;          // the text behind errReportString
    std::string hostError;          // the host's own complaint (loop cap, bad request)

    bool Succeeded() const { return result == PS::noErr && hostError.empty(); }
};

// Locks and unlocks of one handle during one plug-in call.
struct LockTally {
    int call = 0;          // the host's count of plug-in calls, from 1
    int16_t selector = 0;
    const void* handle = nullptr;
    int locks = 0;
    int unlocks = 0;

    bool Balanced() const { return locks == unlocks; }
};

std::ostream& operator<<(std::ostream& out, const LockTally& tally);

class TestHost {
public:
    explicit TestHost(PS::PluginEntry entry, HostOptions options = {});
    ~TestHost();
    TestHost(const TestHost&) = delete;
    TestHost& operator=(const TestHost&) = delete;

    HostOptions& Options() { return options_; }

    // Largest side of a document, as the largest documents hosts open.
    static constexpr int kMaxImageSide = 300000;

    // ---- Document ---------------------------------------------------------
    void SetImage(HostImage image);
    void SetMask(GreyImage mask); // same size as the image; marks a selection
    void ClearMask();
    const HostImage& Image() const { return image_; }
    const GreyImage* Mask() const { return mask_.Empty() ? nullptr : &mask_; }

    // ---- Running ----------------------------------------------------------
    // Parameters (optional), Prepare, Start, Continue while anything is
    // requested, Finish if Start succeeded; stops at the first failure, and
    // then restores the document unless the options say otherwise.
    RunResult RunFilter(const RunOptions& run = {});
    // Selector 0 with an AboutRecord.
    PS::OSErr CallAbout();

    // Fills a fresh record for a run (RunFilter does this itself).
    void BuildRecord();
    // One selector with the current record, exactly as RunFilter makes each
    // call: result word zeroed first, pending output stored afterwards.
    PS::OSErr CallSelector(int16_t selector);
    // Serves the current requests the way the host does before Continue.
    PS::OSErr ServeRequests();
    // Set when there is no entry point to call or a C++ exception left it;
    // cleared by BuildRecord.
    const std::string& HostError() const { return hostError_; }

    // The live record and private-data word, for tests that tamper with them.
    // Pointer fields may sit misaligned in the packed record (x64): copy them
    // before binding a reference (gtest's EXPECT_EQ binds one).
    PS::FilterRecord& Record() { return record_; }
    intptr_t& DataWord() { return data_; }
    std::string ErrorStringText() const;

    // ---- Parameters handle ------------------------------------------------
    PS::Handle ParametersHandle() const { return parameters_; }
    std::vector<uint8_t> ParameterBytes() const; // empty without a handle
    void SetParameterBytes(const std::vector<uint8_t>& bytes);
    void DiscardParameters();
    // The file form of ParametersFile.h; loading a missing file returns false
    // and keeps the handle. Both throw std::runtime_error for a file that is
    // not a parameters file (which saving leaves untouched) and for I/O errors.
    void SaveParameters(const std::string& path) const;
    bool LoadParameters(const std::string& path);

    // ---- Scripting descriptors (the host's actions) -------------------------
    // The step the runs play and the one the last run recorded.
    DescriptorSession& Descriptors() { return *descriptors_; }
    const DescriptorSession& Descriptors() const { return *descriptors_; }

    // ---- Handles -----------------------------------------------------------
    bool IsLiveHandle(PS::Handle h) const;
    int LockCount(PS::Handle h) const;
    size_t LiveHandleCount() const;
    // Every (call, handle) with a lock or unlock, in order of first use.
    const std::vector<LockTally>& LockTallies() const { return lockTallies_; }
    std::vector<LockTally> UnbalancedLocks() const;
    // Blocks moved on unlock so far, and writes found in their old memory.
    size_t MovedBlocks() const;
    size_t StaleBlockWrites() const;

    // The filter rectangle a run gives the plug-in: the option's, else the
    // selection's bounds, else the whole image. Throws std::invalid_argument
    // for an option that is not a non-empty part of the image.
    Rect32 EffectiveFilterRect() const;

    // ---- Log ----------------------------------------------------------------
    const CallLog& Log() const { return log_; }
    void ClearLog() { log_.Clear(); }
    // Bytes past the pixels of outData rows that the plug-in overwrote.
    long PaddingViolations() const;
    // advanceState calls made after it had returned an error in this run.
    int CallsAfterAdvanceStateError() const;

    // Callback side: the host that answers callbacks right now.
    static TestHost* Current();

private:
    friend struct HostCallbacks;
    friend struct DescriptorCallbacks;
    class ActiveScope;

    // Counted from the start of each run, for the scripted faults.
    struct RunCounters {
        int advanceStateCalls = 0;
        int newHandleCalls = 0;
        int abortPolls = 0;
        int callsAfterError = 0;
        PS::OSErr advanceStateError = PS::noErr; // first error returned, sticky
    };

    void StoreParametersFromRecord();
    PS::OSErr InvokeEntry(int16_t selector, void* record);
    void TallyLock(PS::Handle h, bool lock);
    void RunContinueLoop(const RunOptions& run, RunResult& result);

    PS::PluginEntry entry_;
    HostOptions options_;
    HostImage image_;    // the destination: what the document shows
    HostImage original_; // the source: the document when the run began
    GreyImage mask_;
    PS::FilterRecord record_{};
    PS::HandleProcs handleProcs_{};
    PS::BigDocumentStruct bigDocument_{};
    PS::PlatformData platformData_{};
    PS::PlatformData aboutPlatformData_{};
    std::array<unsigned char, 256> errorString_{};
    intptr_t data_ = 0;
    PS::Handle parameters_ = nullptr;
    std::unique_ptr<HandleTable> handles_;
    std::unique_ptr<RequestServer> server_;
    std::unique_ptr<DescriptorSession> descriptors_;
    CallLog log_;
    RunCounters counters_;
    int calls_ = 0;               // plug-in calls made, for the lock tallies
    int16_t callSelector_ = 0;
    std::vector<LockTally> lockTallies_;
    std::string hostError_;
};

} // namespace SquelmHost
