#include "testhost/DescriptorSession.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

#include "testhost/DescriptorCallbacks.h"
#include "testhost/HandleTable.h"

namespace SquelmHost {

namespace {

template <class Step>
Step* FindStep(const std::vector<std::unique_ptr<Step>>& steps, const void* token)
{
    const auto found = std::find_if(steps.begin(), steps.end(), [token](const auto& s) { return s.get() == token; });
    return found == steps.end() ? nullptr : found->get();
}

template <class Step>
void EraseStep(std::vector<std::unique_ptr<Step>>& steps, const void* token)
{
    steps.erase(std::remove_if(steps.begin(), steps.end(), [token](const auto& s) { return s.get() == token; }),
                steps.end());
}

} // namespace

DescriptorSession::DescriptorSession(HandleTable& handles) : handles_(handles) {}

DescriptorSession::~DescriptorSession() = default;

void DescriptorSession::Play(Descriptor step, int16_t playInfo)
{
    play_ = std::move(step);
    playInfo_ = playInfo;
}

void DescriptorSession::StopPlaying() { play_.reset(); }

PS::PIDescriptorParameters* DescriptorSession::Prepare(DescriptorOffer offer)
{
    Finish(false);
    recorded_.reset();
    if (offer == DescriptorOffer::NoBlock)
        return nullptr;
    readProcs_ = DescriptorCallbacks::ReadSuite();
    writeProcs_ = DescriptorCallbacks::WriteSuite();
    block_ = PS::PIDescriptorParameters{};
    // Without a step to play a host shows the dialog and records.
    block_.playInfo = play_ ? playInfo_ : int16_t(PS::playDialogShown);
    block_.recordInfo = PS::recordDialogOptional;
    if (play_)
        handed_ = block_.descriptor = NewHandleWith(EncodeDescriptor(*play_));
    if (offer == DescriptorOffer::Offered) {
        block_.readDescriptorProcs = &readProcs_;
        block_.writeDescriptorProcs = &writeProcs_;
    }
    return &block_;
}

void DescriptorSession::Finish(bool succeeded)
{
    PS::PIDescriptorHandle left = block_.descriptor;
    block_.descriptor = nullptr;
    if (left && left != handed_) {
        const std::optional<std::string> bytes = BytesOf(left);
        if (succeeded && bytes)
            recorded_ = DecodeDescriptor(*bytes, "the step the plug-in recorded");
        handles_.Dispose(left);
    }
    handles_.Dispose(handed_);
    handed_ = nullptr;
}

PS::PIReadDescriptor DescriptorSession::OpenRead(PS::PIDescriptorHandle descriptor)
{
    const std::optional<std::string> bytes = BytesOf(descriptor);
    if (!bytes)
        return nullptr;
    auto reading = std::make_unique<Reading>();
    try {
        reading->step = DecodeDescriptor(*bytes, "the step handed over");
    } catch (const std::runtime_error&) {
        return nullptr;
    }
    readings_.push_back(std::move(reading));
    return readings_.back().get();
}

PS::OSErr DescriptorSession::CloseRead(PS::PIReadDescriptor token)
{
    if (!FindReading(token))
        return PS::paramErr;
    EraseStep(readings_, token);
    return PS::noErr;
}

bool DescriptorSession::NextKey(PS::PIReadDescriptor token, PS::DescriptorKeyID& key, PS::DescriptorTypeID& type)
{
    Reading* reading = FindReading(token);
    if (!reading || reading->next >= reading->step.size())
        return false;
    const DescriptorValue& value = reading->step[reading->next++];
    key = value.key;
    type = value.type;
    return true;
}

const DescriptorValue* DescriptorSession::Current(PS::PIReadDescriptor token, PS::DescriptorTypeID type) const
{
    const Reading* reading = FindReading(token);
    if (!reading || reading->next == 0)
        return nullptr;
    const DescriptorValue& value = reading->step[reading->next - 1];
    return value.type == type ? &value : nullptr;
}

PS::Handle DescriptorSession::NewHandleWith(const std::string& bytes)
{
    PS::Handle handle = handles_.New(int32_t(bytes.size()), 0);
    std::memcpy(*handle, bytes.data(), bytes.size());
    return handle;
}

PS::PIWriteDescriptor DescriptorSession::OpenWrite()
{
    writings_.push_back(std::make_unique<Writing>());
    return writings_.back().get();
}

PS::OSErr DescriptorSession::Put(PS::PIWriteDescriptor token, DescriptorValue value)
{
    Writing* writing = FindWriting(token);
    if (!writing)
        return PS::paramErr;
    writing->step.push_back(std::move(value));
    return PS::noErr;
}

PS::OSErr DescriptorSession::CloseWrite(PS::PIWriteDescriptor token, PS::PIDescriptorHandle* out)
{
    Writing* writing = FindWriting(token);
    if (!writing || !out)
        return PS::paramErr;
    *out = NewHandleWith(EncodeDescriptor(writing->step));
    EraseStep(writings_, token);
    return PS::noErr;
}

std::optional<std::string> DescriptorSession::BytesOf(PS::Handle handle) const
{
    if (!handles_.Contains(handle))
        return std::nullopt;
    return std::string(*handle, size_t(handles_.Size(handle)));
}

DescriptorSession::Reading* DescriptorSession::FindReading(PS::PIReadDescriptor token) const
{
    return FindStep(readings_, token);
}

DescriptorSession::Writing* DescriptorSession::FindWriting(PS::PIWriteDescriptor token) const
{
    return FindStep(writings_, token);
}

} // namespace SquelmHost
