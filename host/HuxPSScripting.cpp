#include "host/HuxPSScripting.h"

#include "HuxLib/HUXUTIL/HuxException.h"
#include "host/HuxPSHandles.h"

#include <algorithm>
#include <cstdint>
#include <stdexcept>

namespace {

// Places of the procs in their suites, as the suites' counts count them.
constexpr int16_t kOpenPosition = 1;
constexpr int16_t kClosePosition = 2;
constexpr int16_t kGetKeyPosition = 3;
constexpr int16_t kGetIntegerPosition = 4;
constexpr int16_t kGetFloatPosition = 5;
constexpr int16_t kGetBooleanPosition = 7;
constexpr int16_t kGetTextPosition = 8;
constexpr int16_t kPutIntegerPosition = 3;
constexpr int16_t kPutFloatPosition = 4;
constexpr int16_t kPutBooleanPosition = 6;
constexpr int16_t kPutTextPosition = 7;

// A host that keeps answering getKey would hold the filter forever; no
// step of this filter has anywhere near this many keys.
constexpr size_t kMaxKeys = 1000;

// A proc counts only when the suite's count reaches it and it is not null:
// a short suite leaves whatever follows it undefined.
template <class Proc>
bool Offered(int16_t count, int16_t position, Proc proc)
{
    return count >= position && proc != nullptr;
}

std::string HostFailure(const char* what, PS::DescriptorKeyID key, PS::OSErr code)
{
    return std::string("the host failed to ") + what + " the recorded '" + HuxPSCodeText(key) + "' (error " +
           std::to_string(code) + ")";
}

// A handle the host handed over or the filter made, freed when done with.
class OwnedHandle {
public:
    OwnedHandle(const HuxPSHandles& handles, PS::Handle handle) : m_handles(handles), m_handle(handle) {}
    ~OwnedHandle() { m_handles.Dispose(m_handle); }
    OwnedHandle(const OwnedHandle&) = delete;
    OwnedHandle& operator=(const OwnedHandle&) = delete;
    PS::Handle Get() const { return m_handle; }

private:
    const HuxPSHandles& m_handles;
    PS::Handle m_handle;
};

} // namespace

HuxPSScripting::HuxPSScripting(PS::FilterRecord& record) : m_record(record) {}

PS::PIDescriptorParameters* HuxPSScripting::Block() const
{
    return static_cast<PS::PIDescriptorParameters*>(m_record.descriptorParameters);
}

bool HuxPSScripting::Playing() const
{
    const PS::PIDescriptorParameters* block = Block();
    if (!block || !block->descriptor || !block->readDescriptorProcs)
        return false;
    const PS::ReadDescriptorProcs& procs = *block->readDescriptorProcs;
    const int16_t n = procs.numReadDescriptorProcs;
    return Offered(n, kOpenPosition, procs.openReadDescriptorProc) &&
           Offered(n, kClosePosition, procs.closeReadDescriptorProc) &&
           Offered(n, kGetKeyPosition, procs.getKeyProc);
}

int16_t HuxPSScripting::PlayInfo() const
{
    const PS::PIDescriptorParameters* block = Block();
    return block ? block->playInfo : int16_t(PS::playDialogShown);
}

HuxPSDescriptorItems HuxPSScripting::Read(const PS::DescriptorKeyID* keys) const
{
    PS::PIDescriptorParameters& block = *Block();
    const PS::ReadDescriptorProcs& procs = *block.readDescriptorProcs;
    const int16_t n = procs.numReadDescriptorProcs;
    const PS::PIReadDescriptor token = procs.openReadDescriptorProc(block.descriptor, keys);
    if (!token)
        throw std::runtime_error("the host could not open the recorded step");
    // Close answers an error when a key the filter expects is missing; the
    // filter judges what it got itself, so only the closing matters.
    struct Closer {
        const PS::ReadDescriptorProcs& procs;
        PS::PIReadDescriptor token;
        ~Closer() { procs.closeReadDescriptorProc(token); }
    } closer{procs, token};

    HuxPSDescriptorItems items;
    PS::DescriptorKeyID key = 0;
    PS::DescriptorTypeID type = 0;
    int32_t flags = 0;
    while (procs.getKeyProc(token, &key, &type, &flags)) {
        if (items.size() == kMaxKeys)
            throw std::runtime_error("the recorded step has more keys than the filter ever records");
        HuxPSDescriptorItem item{key, type, {}};
        PS::OSErr code = PS::noErr;
        if (type == PS::typeInteger && Offered(n, kGetIntegerPosition, procs.getIntegerProc)) {
            int32_t value = 0;
            code = procs.getIntegerProc(token, &value);
            item.value = value;
        } else if (type == PS::typeFloat && Offered(n, kGetFloatPosition, procs.getFloatProc)) {
            double value = 0.0;
            code = procs.getFloatProc(token, &value);
            item.value = value;
        } else if (type == PS::typeBoolean && Offered(n, kGetBooleanPosition, procs.getBooleanProc)) {
            PS::Boolean value = 0;
            code = procs.getBooleanProc(token, &value);
            item.value = value != 0;
        } else if (type == PS::typeText && Offered(n, kGetTextPosition, procs.getTextProc)) {
            item.value = ReadText(token);
        }
        if (code != PS::noErr)
            throw std::runtime_error(HostFailure("hand over", key, code));
        items.push_back(std::move(item));
    }
    return items;
}

// The host makes the text's handle and the filter frees it. Its size is the
// text's length: a host that cannot tell it (getSizeProc answering 0)
// cannot hand text over.
std::string HuxPSScripting::ReadText(PS::PIReadDescriptor token) const
{
    const PS::ReadDescriptorProcs& procs = *Block()->readDescriptorProcs;
    PS::Handle handle = nullptr;
    const PS::OSErr code = procs.getTextProc(token, &handle);
    const HuxPSHandles handles(m_record.handleProcs);
    const OwnedHandle owned(handles, handle);
    if (code != PS::noErr || !handle)
        throw std::runtime_error("the host failed to hand over recorded text (error " + std::to_string(code) + ")");
    const int32_t size = handles.Size(handle);
    if (size == 0)
        throw std::runtime_error("the host does not tell the length of the recorded text");
    const char* block = static_cast<const char*>(handles.Lock(handle));
    if (!block)
        throw std::runtime_error("the host could not lock the recorded text");
    std::string text(block, size_t(size));
    handles.Unlock(handle);
    return text;
}

bool HuxPSScripting::CanRecord() const
{
    const PS::PIDescriptorParameters* block = Block();
    if (!block || !block->writeDescriptorProcs)
        return false;
    const PS::WriteDescriptorProcs& procs = *block->writeDescriptorProcs;
    const int16_t n = procs.numWriteDescriptorProcs;
    return Offered(n, kOpenPosition, procs.openWriteDescriptorProc) &&
           Offered(n, kClosePosition, procs.closeWriteDescriptorProc) &&
           Offered(n, kPutIntegerPosition, procs.putIntegerProc) &&
           Offered(n, kPutFloatPosition, procs.putFloatProc) &&
           Offered(n, kPutBooleanPosition, procs.putBooleanProc) &&
           Offered(n, kPutTextPosition, procs.putTextProc);
}

void HuxPSScripting::Record(const HuxPSDescriptorItems& items) const
{
    PS::PIDescriptorParameters& block = *Block();
    const PS::WriteDescriptorProcs& procs = *block.writeDescriptorProcs;
    const PS::PIWriteDescriptor token = procs.openWriteDescriptorProc();
    if (!token)
        return;
    const HuxPSHandles handles(m_record.handleProcs);
    PS::PIDescriptorHandle written = nullptr;
    try {
        for (const HuxPSDescriptorItem& item : items)
            Put(token, item);
    } catch (...) {
        // The host's token is closed whatever happened; what it made is freed.
        procs.closeWriteDescriptorProc(token, &written);
        handles.Dispose(written);
        throw;
    }
    const PS::OSErr code = procs.closeWriteDescriptorProc(token, &written);
    if (code != PS::noErr) {
        handles.Dispose(written);
        throw HuxOSErr(code);
    }
    block.descriptor = written;
    block.recordInfo = PS::recordDialogOptional;
}

void HuxPSScripting::Put(PS::PIWriteDescriptor token, const HuxPSDescriptorItem& item) const
{
    const PS::WriteDescriptorProcs& procs = *Block()->writeDescriptorProcs;
    PS::OSErr code = PS::noErr;
    if (const auto* integer = std::get_if<int32_t>(&item.value))
        code = procs.putIntegerProc(token, item.key, *integer);
    else if (const auto* real = std::get_if<double>(&item.value))
        code = procs.putFloatProc(token, item.key, real);
    else if (const auto* flag = std::get_if<bool>(&item.value))
        code = procs.putBooleanProc(token, item.key, PS::Boolean(*flag ? 1 : 0));
    else if (const auto* text = std::get_if<std::string>(&item.value))
        PutText(token, item.key, *text);
    if (code != PS::noErr)
        throw HuxOSErr(code);
}

// The host copies the text out of the filter's handle, which the filter
// then frees.
void HuxPSScripting::PutText(PS::PIWriteDescriptor token, PS::DescriptorKeyID key, const std::string& text) const
{
    const HuxPSHandles handles(m_record.handleProcs);
    if (text.size() > size_t(INT32_MAX))
        throw HuxOSErr(PS::memFullErr);
    const OwnedHandle owned(handles, handles.New(int32_t(text.size())));
    char* block = owned.Get() ? static_cast<char*>(handles.Lock(owned.Get())) : nullptr;
    if (!block)
        throw HuxOSErr(PS::memFullErr);
    std::copy(text.begin(), text.end(), block);
    handles.Unlock(owned.Get());
    const PS::OSErr code = Block()->writeDescriptorProcs->putTextProc(token, key, owned.Get());
    if (code != PS::noErr)
        throw HuxOSErr(code);
}
