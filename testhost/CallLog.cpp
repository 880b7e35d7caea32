#include "testhost/CallLog.h"

#include <algorithm>
#include <cstdint>
#include <ostream>
#include <sstream>

#include "host/HuxPSDescriptorItems.h"

namespace SquelmHost {

HostEvent RequestEvent(EventKind kind, const PS::FilterRecord& r)
{
    HostEvent e;
    e.kind = kind;
    const RequestRects rects = RequestedRects(r);
    e.inRect = rects.in;
    e.outRect = rects.out;
    e.maskRect = rects.mask;
    e.wideCoordinates = rects.wide;
    e.inLoPlane = r.inLoPlane;
    e.inHiPlane = r.inHiPlane;
    e.outLoPlane = r.outLoPlane;
    e.outHiPlane = r.outHiPlane;
    e.inputRate = r.inputRate;
    e.maskRate = r.maskRate;
    return e;
}

Rect32 FromHostRect(const PS::Rect& r)
{
    return Rect32{r.left, r.top, r.right, r.bottom};
}

Rect32 FromHostRect(const PS::VRect& r)
{
    return Rect32{r.left, r.top, r.right, r.bottom};
}

PS::Rect ToHostRect(const Rect32& r)
{
    auto cut = [](int32_t v) { return int16_t(std::clamp<int32_t>(v, INT16_MIN, INT16_MAX)); };
    return PS::Rect{cut(r.top), cut(r.left), cut(r.bottom), cut(r.right)};
}

PS::VRect ToHostRect32(const Rect32& r)
{
    return PS::VRect{r.top, r.left, r.bottom, r.right};
}

RequestRects RequestedRects(const PS::FilterRecord& r)
{
    const PS::BigDocumentStruct* big = r.bigDocumentData;
    if (big && big->PluginUsing32BitCoordinates)
        return {FromHostRect(big->inRect32), FromHostRect(big->outRect32), FromHostRect(big->maskRect32), true};
    return {FromHostRect(r.inRect), FromHostRect(r.outRect), FromHostRect(r.maskRect), false};
}

const char* EventKindName(EventKind kind)
{
    switch (kind) {
    case EventKind::Selector: return "selector";
    case EventKind::About: return "about";
    case EventKind::AdvanceState: return "advanceState";
    case EventKind::Continue: return "serve-for-continue";
    case EventKind::OutputStored: return "output-stored";
    case EventKind::AbortPoll: return "abortProc";
    case EventKind::Progress: return "progressProc";
    case EventKind::ColorServices: return "colorServices";
    case EventKind::NewHandle: return "newProc";
    case EventKind::DisposeHandle: return "disposeProc";
    case EventKind::GetHandleSize: return "getSizeProc";
    case EventKind::SetHandleSize: return "setSizeProc";
    case EventKind::LockHandle: return "lockProc";
    case EventKind::UnlockHandle: return "unlockProc";
    case EventKind::RecoverSpace: return "recoverSpaceProc";
    case EventKind::DisposeRegularHandle: return "disposeRegularHandleProc";
    case EventKind::DisplayPixels: return "displayPixels";
    case EventKind::ProcessEvent: return "processEvent";
    case EventKind::DescriptorProc: return "descriptor";
    }
    return "?";
}

const char* SelectorName(int16_t selector)
{
    switch (selector) {
    case PS::filterSelectorAbout: return "About";
    case PS::filterSelectorParameters: return "Parameters";
    case PS::filterSelectorPrepare: return "Prepare";
    case PS::filterSelectorStart: return "Start";
    case PS::filterSelectorContinue: return "Continue";
    case PS::filterSelectorFinish: return "Finish";
    default: return "unknown";
    }
}

std::vector<HostEvent> CallLog::OfKind(EventKind kind) const
{
    std::vector<HostEvent> found;
    std::copy_if(events_.begin(), events_.end(), std::back_inserter(found),
                 [kind](const HostEvent& e) { return e.kind == kind; });
    return found;
}

size_t CallLog::Count(EventKind kind) const
{
    return size_t(std::count_if(events_.begin(), events_.end(), [kind](const HostEvent& e) { return e.kind == kind; }));
}

std::vector<int16_t> CallLog::SelectorSequence() const
{
    std::vector<int16_t> selectors;
    for (const HostEvent& e : events_) {
        if (e.kind == EventKind::Selector)
            selectors.push_back(e.selector);
        else if (e.kind == EventKind::About)
            selectors.push_back(PS::filterSelectorAbout);
    }
    return selectors;
}

namespace {

std::ostream& operator<<(std::ostream& out, const Rect32& r)
{
    return out << "(" << r.left << "," << r.top << ")-(" << r.right << "," << r.bottom << ")";
}

void PrintRequest(std::ostream& out, const HostEvent& e)
{
    out << " in " << e.inRect << " planes " << e.inLoPlane << ".." << e.inHiPlane << " rate 0x" << std::hex
        << e.inputRate << std::dec << "; mask " << e.maskRect << " rate 0x" << std::hex << e.maskRate << std::dec
        << "; out " << e.outRect << " planes " << e.outLoPlane << ".." << e.outHiPlane
        << (e.wideCoordinates ? " [32-bit]" : "") << " -> " << e.result;
}

} // namespace

std::ostream& operator<<(std::ostream& out, const HostEvent& e)
{
    out << EventKindName(e.kind);
    switch (e.kind) {
    case EventKind::Selector:
        out << " " << SelectorName(e.selector) << " (" << e.selector << ") -> " << e.result;
        if (!e.text.empty())
            out << " \"" << e.text << "\"";
        break;
    case EventKind::About:
        out << " -> " << e.result;
        break;
    case EventKind::AdvanceState:
    case EventKind::Continue:
        PrintRequest(out, e);
        break;
    case EventKind::OutputStored:
        out << " " << e.outRect << ", padding bytes overwritten: " << e.value;
        break;
    case EventKind::AbortPoll:
        out << " -> " << (e.result ? "cancel" : "go on");
        break;
    case EventKind::Progress:
        out << " " << e.value << "/" << e.value2;
        break;
    case EventKind::ColorServices:
        out << " size " << e.infoSize << " selector " << e.colorSelector << " spaces " << e.sourceSpace << "->"
            << e.resultSpace << " components " << e.components[0] << "," << e.components[1] << ","
            << e.components[2] << "," << e.components[3] << " -> " << e.result;
        break;
    case EventKind::RecoverSpace:
        out << " " << e.value;
        break;
    case EventKind::DisplayPixels:
    case EventKind::ProcessEvent:
        break;
    case EventKind::DescriptorProc:
        out << " " << e.text;
        if (e.value)
            out << " '" << HuxPSCodeText(uint32_t(e.value)) << "'";
        out << " -> " << e.result;
        break;
    default: // handle procs
        out << " " << e.handle << " value " << e.value << " -> " << e.result;
        break;
    }
    return out;
}

void CallLog::Print(std::ostream& out) const
{
    for (const HostEvent& e : events_)
        out << e << "\n";
}

std::string CallLog::ToString() const
{
    std::ostringstream out;
    Print(out);
    return out.str();
}

} // namespace SquelmHost
