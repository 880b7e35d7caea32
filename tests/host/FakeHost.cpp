#include "FakeHost.h"

#include <algorithm>
#include <cstring>

namespace FakeHostTest {

namespace {

// Rows are delivered wider than asked, so a reader that assumes packed rows
// reads the marker instead of pixels.
constexpr int32_t kRowPadding = 7;
constexpr uint8_t kPaddingMarker = 0xEE;

HuxRect FromHost(const PS::Rect& r) { return {r.left, r.top, r.right, r.bottom}; }

} // namespace

FakeHost* FakeHost::current = nullptr;

FakeHost::FakeHost(int32_t w, int32_t h) : width(w), height(h)
{
    current = this;
    procs.handleProcsVersion = 1;
    procs.numHandleProcs = 8;
    procs.newProc = NewHandle;
    procs.disposeProc = DisposeHandle;
    procs.getSizeProc = HandleSize;
    procs.setSizeProc = SetHandleSize;
    procs.lockProc = LockHandle;
    procs.unlockProc = UnlockHandle;
    record.handleProcs = &procs;
    record.advanceState = AdvanceState;
    record.abortProc = Abort;
    record.progressProc = Progress;
    record.colorServices = Colour;
    // A flat 8-bit RGB image, as a host describes it.
    record.imageMode = PS::plugInModeRGBColor;
    record.depth = 8;
    record.planes = 3;
    record.filterCase = PS::filterCaseFlatImageNoSelection;
    SetFilterRect({0, 0, w, h});
}

FakeHost::~FakeHost()
{
    if (current == this)
        current = nullptr;
}

void FakeHost::SetFilterRect(const HuxRect& r)
{
    record.filterRect = {int16_t(r.top), int16_t(r.left), int16_t(r.bottom), int16_t(r.right)};
}

PS::Handle FakeHost::StoreParameters(const std::vector<uint8_t>& bytes)
{
    record.parameters = Allocate(bytes);
    return record.parameters;
}

PS::Handle FakeHost::Allocate(const std::vector<uint8_t>& bytes)
{
    auto block = std::make_unique<HostBlock>();
    block->bytes = bytes;
    block->master = reinterpret_cast<char*>(block->bytes.data());
    PS::Handle h = &block->master;
    blocks[h] = std::move(block);
    return h;
}

std::vector<uint8_t> FakeHost::Block(PS::Handle h) const
{
    auto found = blocks.find(h);
    return found == blocks.end() ? std::vector<uint8_t>{} : found->second->bytes;
}

int FakeHost::LockCount(PS::Handle h) const
{
    auto found = blocks.find(h);
    return found == blocks.end() ? 0 : found->second->locks;
}

PS::Handle FakeHost::NewHandle(int32_t size)
{
    ++current->newCalls;
    if (current->newFails)
        return nullptr;
    return current->Allocate(std::vector<uint8_t>(size_t(size), 0xA5));
}

void FakeHost::DisposeHandle(PS::Handle h)
{
    ++current->disposeCalls;
    const auto found = current->blocks.find(h);
    if (found == current->blocks.end())
        return;
    current->disposed.push_back(std::move(found->second));
    current->blocks.erase(found);
}

int32_t FakeHost::HandleSize(PS::Handle h)
{
    if (current->sizeAnswer >= 0)
        return current->sizeAnswer;
    auto found = current->blocks.find(h);
    return found == current->blocks.end() ? 0 : int32_t(found->second->bytes.size());
}

// Resizing reallocates, keeping the leading bytes and zeroing new ones.
PS::OSErr FakeHost::SetHandleSize(PS::Handle h, int32_t size)
{
    current->setSizeCalls.push_back(size);
    auto found = current->blocks.find(h);
    if (current->setSizeFails || found == current->blocks.end() || size < 0 || found->second->locks > 0)
        return PS::memFullErr;
    HostBlock& block = *found->second;
    std::vector<uint8_t> resized(size_t(size), 0);
    std::copy_n(block.bytes.begin(), std::min(block.bytes.size(), resized.size()), resized.begin());
    block.bytes.swap(resized);
    block.master = reinterpret_cast<char*>(block.bytes.data());
    return PS::noErr;
}

PS::Ptr FakeHost::LockHandle(PS::Handle h, PS::Boolean)
{
    ++current->lockCalls;
    auto found = current->blocks.find(h);
    if (current->lockFails || found == current->blocks.end())
        return nullptr;
    ++found->second->locks;
    return found->second->master;
}

void FakeHost::UnlockHandle(PS::Handle h)
{
    ++current->unlockCalls;
    auto found = current->blocks.find(h);
    if (found != current->blocks.end() && found->second->locks > 0)
        --found->second->locks;
}

PS::Boolean FakeHost::Abort()
{
    ++current->abortPolls;
    return current->abortAnswer;
}

void FakeHost::Progress(int32_t done, int32_t total) { current->progress.emplace_back(done, total); }

PS::OSErr FakeHost::Colour(PS::ColorServicesInfo* info)
{
    current->colourCalls.push_back(*info);
    if (current->colourAnswer != PS::noErr)
        return current->colourAnswer;
    std::copy(current->colourPicked.begin(), current->colourPicked.end(), info->colorComponents);
    return PS::noErr;
}

PS::OSErr FakeHost::AdvanceState()
{
    FakeHost& host = *current;
    PS::FilterRecord& r = host.record;
    host.requests.push_back({FromHost(r.inRect), FromHost(r.outRect), FromHost(r.maskRect), r.inLoPlane,
                             r.inHiPlane, r.inputRate, r.maskRate});
    if (host.advanceError != PS::noErr)
        return host.advanceError;
    host.Serve();
    return PS::noErr;
}

// Host-side sampling: scaled pixel (i, j) is document pixel (i*s, j*s).
void FakeHost::Serve()
{
    record.inData = nullptr;
    record.maskData = nullptr;
    if (deliverNothing)
        return;
    const HuxRect in = FromHost(record.inRect);
    if (!in.IsEmpty()) {
        const int32_t s = record.inputRate >> 16;
        record.inRowBytes = in.Width() * 3 + kRowPadding;
        inBuffer.assign(size_t(record.inRowBytes) * size_t(in.Height()), kPaddingMarker);
        for (int32_t j = 0; j < in.Height(); ++j) {
            for (int32_t i = 0; i < in.Width(); ++i) {
                const int32_t x = (in.left + i) * s, y = (in.top + j) * s;
                uint8_t* p = &inBuffer[size_t(j) * record.inRowBytes + size_t(i) * 3];
                p[0] = Red(x, y), p[1] = Green(x, y), p[2] = Blue(x, y);
            }
        }
        record.inData = inBuffer.data();
    }
    const HuxRect mask = FromHost(record.maskRect);
    if (!mask.IsEmpty()) {
        const int32_t s = record.maskRate >> 16;
        record.maskRowBytes = mask.Width() + kRowPadding;
        maskBuffer.assign(size_t(record.maskRowBytes) * size_t(mask.Height()), kPaddingMarker);
        for (int32_t j = 0; j < mask.Height(); ++j)
            for (int32_t i = 0; i < mask.Width(); ++i)
                maskBuffer[size_t(j) * record.maskRowBytes + size_t(i)] = MaskAt((mask.left + i) * s, (mask.top + j) * s);
        record.maskData = maskBuffer.data();
    }
}

int16_t RunInStart(RecordingFilter& filter, FakeHost& host, std::function<void()> body)
{
    intptr_t data = 0;
    int16_t result = 0;
    filter.Dispatch(PS::filterSelectorPrepare, &host.Record(), &data, &result);
    filter.onStart = std::move(body);
    filter.Dispatch(PS::filterSelectorStart, &host.Record(), &data, &result);
    filter.onStart = nullptr;
    return result;
}

} // namespace FakeHostTest
