// How the test host behaves: its window, the quirks of real hosts it can
// imitate, and the faults it can inject. Defaults are a well-behaved host.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>

#include "host/PSHostInterface.h"
#include "testhost/CallLog.h"

namespace SquelmHost {

struct ColourAnswer {
    bool refuse = false;              // answer `refusalCode` and leave the block alone
    PS::OSErr refusalCode = PS::userCanceledErr;
    uint16_t red = 0, green = 0, blue = 0; // written into colorComponents[0..2] on success
    // Answers a conversion with paramErr, as a host whose colorServices only picks.
    bool refuseConversion = false;
};

// Whether the host offers scripting descriptors (recording and playing
// actions), as current hosts do, or leaves them out as older hosts do.
enum class DescriptorOffer {
    Offered,   // the block with both procs suites
    NoBlock,   // descriptorParameters null
    NullProcs, // the block, its procs suites null (a host that zero-fills it)
};

struct HostOptions {
    // Area to filter in document coordinates. By default the whole image,
    // or with a mask the bounds of the selected (non-zero) pixels, as hosts
    // pass the selection's bounding rectangle.
    std::optional<Rect32> filterRect;

    // Current hosts describe the document in 32-bit fields too
    // (bigDocumentData) and honour them once the plug-in says it uses them;
    // off, the host is one from before them, with 16-bit fields only. The
    // 16-bit fields are cut to their range for documents of 32768 pixels or
    // more either way.
    bool bigDocument = true;

    // Owner window passed in PlatformData (0: none, as some hosts do).
    intptr_t ownerWindow = 0;
    bool nullPlatformData = false;      // FilterRecord.platformData null
    bool nullAboutPlatformData = false; // AboutRecord.platformData null

    // Handle quirks of real hosts.
    bool getSizeAnswersZero = false;    // getSizeProc says 0 for valid handles
    bool setSizeFails = false;          // setSizeProc answers memFullErr
    int16_t numHandleProcs = 8;         // smaller: the later procs are absent (null)
    int failNewHandleAt = 0;            // newProc refuses its N-th call and later ones (0: never)
    uint8_t newHandleFill = 0;          // contents of a fresh block
    bool moveBlocksOnUnlock = false;    // a block moves whenever unlocked; its old memory is poisoned

    // The result word before each call. The interface says 0; some hosts
    // preset another value and read whatever is there afterwards.
    int16_t resultWordPreset = PS::noErr;

    // Threads the plug-in renders with, passed in its SQUELM_THREADS
    // environment variable (1: serial); 0 leaves the variable as it is.
    int renderThreads = 0;

    // Faults.
    int failAdvanceStateAt = 0;         // advanceState fails from its N-th call on (0: never)
    PS::OSErr advanceStateError = PS::memFullErr;
    int cancelAtAbortPoll = 0;          // abortProc answers true from its N-th poll on (0: never)

    // Services a host may lack.
    bool nullAbortProc = false;
    bool nullProgressProc = false;
    bool nullColorServices = false;
    ColourAnswer colour;

    // What the host claims about the document, whatever it holds: a mode,
    // depth or plane count of a menu that offered the filter on a document
    // it cannot take (Bitmap, Indexed, 32 bits, too few planes).
    std::optional<int16_t> claimedImageMode;
    std::optional<int32_t> claimedDepth;
    std::optional<int16_t> claimedPlanes;

    DescriptorOffer descriptors = DescriptorOffer::Offered;

    // A host applies the selection to the output while autoMask is set;
    // turn off to see exactly what the plug-in wrote.
    bool honourAutoMask = true;
    // A host restores the document when a run fails; turn off to see what a
    // failing plug-in left behind.
    bool revertOnFailure = true;
};

struct RunOptions {
    bool callParameters = true;  // some hosts never call Parameters before Prepare
    int maxContinueCalls = 1000; // safety cap on the Continue loop
    // Runs on the freshly built record before the first selector, for tests
    // that imitate a host filling it oddly (a stray callback pointer, say).
    std::function<void(PS::FilterRecord&)> adjustRecord;
};

} // namespace SquelmHost
