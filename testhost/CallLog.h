// Everything the plug-in asked of the host, in order, as records that tests
// can assert on, with a printable form for the command line and for failures.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

#include "host/PSHostInterface.h"

namespace SquelmHost {

enum class EventKind {
    Selector,         // selector, result
    About,            // result
    AdvanceState,     // request fields as the plug-in set them, result
    Continue,         // requests served before a Continue call (result: host's serving result)
    OutputStored,     // outRect written back into the document (value: padding bytes clobbered)
    AbortPoll,        // result: the answer (1 cancel)
    Progress,         // value: done, value2: total
    ColorServices,    // colour fields received, result
    NewHandle,        // value: size, handle (null when refused)
    DisposeHandle,    // handle, result: 0, or paramErr for an unknown handle
    GetHandleSize,    // handle, value: the answer
    SetHandleSize,    // handle, value: new size, result
    LockHandle,       // handle, value: lock count after the call
    UnlockHandle,     // handle, value: lock count after the call
    RecoverSpace,     // value: size
    DisposeRegularHandle, // handle
    DisplayPixels,    // result
    ProcessEvent,
    DescriptorProc,   // text: the proc, value: the key (0 where it has none), result
};

const char* EventKindName(EventKind kind);

struct Rect32 {
    int32_t left = 0, top = 0, right = 0, bottom = 0;

    bool Empty() const { return right <= left || bottom <= top; }
    int32_t Width() const { return right - left; }
    int32_t Height() const { return bottom - top; }
    bool operator==(const Rect32&) const = default;
};

Rect32 FromHostRect(const PS::Rect& r);
Rect32 FromHostRect(const PS::VRect& r);
// Coordinates beyond the 16-bit range are cut to it, as hosts fill the old
// fields for documents too large for them.
PS::Rect ToHostRect(const Rect32& r);
PS::VRect ToHostRect32(const Rect32& r);

// The request rectangles the host honours: the 32-bit fields when the record
// has them and the plug-in said it uses them, else the 16-bit ones.
struct RequestRects {
    Rect32 in, out, mask;
    bool wide = false; // read from the 32-bit fields
};
RequestRects RequestedRects(const PS::FilterRecord& record);

struct HostEvent {
    EventKind kind = EventKind::Selector;
    int16_t selector = 0;         // Selector: which one
    int32_t result = 0;           // OSErr, answer or return value (see EventKind)
    int64_t value = 0;
    int64_t value2 = 0;
    const void* handle = nullptr;

    // AdvanceState / Continue: the request as the plug-in left it.
    Rect32 inRect, outRect, maskRect;
    bool wideCoordinates = false; // the rectangles came from the 32-bit fields
    int16_t inLoPlane = 0, inHiPlane = 0, outLoPlane = 0, outHiPlane = 0;
    int32_t inputRate = 0, maskRate = 0;

    // ColorServices: the block as received.
    int32_t infoSize = 0;
    int16_t colorSelector = 0, sourceSpace = 0, resultSpace = 0;
    int16_t components[4] = {0, 0, 0, 0};

    std::string text; // Selector with errReportString: the error text
};

class CallLog {
public:
    void Add(const HostEvent& event) { events_.push_back(event); }
    void Clear() { events_.clear(); }

    const std::vector<HostEvent>& Events() const { return events_; }
    HostEvent& MutableEvent(size_t index) { return events_.at(index); }
    std::vector<HostEvent> OfKind(EventKind kind) const;
    size_t Count(EventKind kind) const;
    // The selectors called, in order (About included as selector 0).
    std::vector<int16_t> SelectorSequence() const;

    void Print(std::ostream& out) const;
    std::string ToString() const;

private:
    std::vector<HostEvent> events_;
};

// An event carrying the request fields the record holds (rectangles, planes, rates).
HostEvent RequestEvent(EventKind kind, const PS::FilterRecord& record);

std::ostream& operator<<(std::ostream& out, const HostEvent& event);
const char* SelectorName(int16_t selector);

} // namespace SquelmHost
