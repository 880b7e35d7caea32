#include "testhost/DescriptorCallbacks.h"

#include <algorithm>

#include "testhost/DescriptorSession.h"
#include "testhost/TestHost.h"

namespace SquelmHost {

namespace {

DescriptorSession* Session()
{
    TestHost* host = TestHost::Current();
    return host ? &host->Descriptors() : nullptr;
}

template <class Result>
Result Logged(const char* proc, uint32_t key, Result result)
{
    DescriptorCallbacks::Log(proc, key, int32_t(result));
    return result;
}

// The value at the reading's key, when it has the type the get proc reads.
const DescriptorValue* Value(PS::PIReadDescriptor token, PS::DescriptorTypeID type)
{
    DescriptorSession* session = Session();
    return session ? session->Current(token, type) : nullptr;
}

uint32_t KeyOf(const DescriptorValue* value) { return value ? value->key : 0; }

PS::PIReadDescriptor PS_CALLBACK OpenRead(PS::PIDescriptorHandle descriptor, const PS::DescriptorKeyID*)
{
    DescriptorSession* session = Session();
    PS::PIReadDescriptor token = session ? session->OpenRead(descriptor) : nullptr;
    Logged("openReadDescriptorProc", 0, token ? PS::noErr : PS::paramErr);
    return token;
}

PS::OSErr PS_CALLBACK CloseRead(PS::PIReadDescriptor token)
{
    DescriptorSession* session = Session();
    return Logged("closeReadDescriptorProc", 0, session ? session->CloseRead(token) : PS::OSErr(PS::paramErr));
}

PS::Boolean PS_CALLBACK GetKey(PS::PIReadDescriptor token, PS::DescriptorKeyID* key, PS::DescriptorTypeID* type,
                               int32_t* flags)
{
    DescriptorSession* session = Session();
    PS::DescriptorKeyID k = 0;
    PS::DescriptorTypeID t = 0;
    if (!session || !session->NextKey(token, k, t))
        return Logged("getKeyProc", 0, PS::Boolean(false));
    if (key)
        *key = k;
    if (type)
        *type = t;
    if (flags)
        *flags = 0;
    return Logged("getKeyProc", k, PS::Boolean(true));
}

PS::OSErr PS_CALLBACK GetInteger(PS::PIReadDescriptor token, int32_t* out)
{
    const DescriptorValue* value = Value(token, PS::typeInteger);
    if (value && out)
        *out = IntegerOf(*value);
    return Logged("getIntegerProc", KeyOf(value), value && out ? PS::OSErr(PS::noErr) : PS::OSErr(PS::paramErr));
}

PS::OSErr PS_CALLBACK GetPinnedInteger(PS::PIReadDescriptor token, int32_t min, int32_t max, int32_t* out)
{
    const PS::OSErr code = GetInteger(token, out);
    if (code == PS::noErr)
        *out = std::clamp(*out, min, max);
    return code;
}

PS::OSErr PS_CALLBACK GetFloat(PS::PIReadDescriptor token, double* out)
{
    const DescriptorValue* value = Value(token, PS::typeFloat);
    if (value && out)
        *out = FloatOf(*value);
    return Logged("getFloatProc", KeyOf(value), value && out ? PS::OSErr(PS::noErr) : PS::OSErr(PS::paramErr));
}

PS::OSErr PS_CALLBACK GetPinnedFloat(PS::PIReadDescriptor token, const double* min, const double* max, double* out)
{
    const PS::OSErr code = GetFloat(token, out);
    if (code == PS::noErr && min && max)
        *out = std::clamp(*out, *min, *max);
    return code;
}

PS::OSErr PS_CALLBACK GetBoolean(PS::PIReadDescriptor token, PS::Boolean* out)
{
    const DescriptorValue* value = Value(token, PS::typeBoolean);
    const bool ok = value && out && value->bytes.size() == 1;
    if (ok)
        *out = value->bytes[0] != 0;
    return Logged("getBooleanProc", KeyOf(value), ok ? PS::OSErr(PS::noErr) : PS::OSErr(PS::paramErr));
}

// A new handle holding the text, which the plug-in frees.
PS::OSErr PS_CALLBACK GetText(PS::PIReadDescriptor token, PS::Handle* out)
{
    const DescriptorValue* value = Value(token, PS::typeText);
    if (value && out)
        *out = Session()->NewHandleWith(value->bytes);
    return Logged("getTextProc", KeyOf(value), value && out ? PS::OSErr(PS::noErr) : PS::OSErr(PS::paramErr));
}

PS::PIWriteDescriptor PS_CALLBACK OpenWrite()
{
    DescriptorSession* session = Session();
    PS::PIWriteDescriptor token = session ? session->OpenWrite() : nullptr;
    Logged("openWriteDescriptorProc", 0, token ? PS::noErr : PS::paramErr);
    return token;
}

PS::OSErr PS_CALLBACK CloseWrite(PS::PIWriteDescriptor token, PS::PIDescriptorHandle* out)
{
    DescriptorSession* session = Session();
    return Logged("closeWriteDescriptorProc", 0,
                  session ? session->CloseWrite(token, out) : PS::OSErr(PS::paramErr));
}

PS::OSErr Put(const char* proc, PS::PIWriteDescriptor token, DescriptorValue value)
{
    DescriptorSession* session = Session();
    const uint32_t key = value.key;
    return Logged(proc, key, session ? session->Put(token, std::move(value)) : PS::OSErr(PS::paramErr));
}

PS::OSErr PS_CALLBACK PutInteger(PS::PIWriteDescriptor token, PS::DescriptorKeyID key, int32_t value)
{
    return Put("putIntegerProc", token, IntegerValue(key, value));
}

PS::OSErr PS_CALLBACK PutFloat(PS::PIWriteDescriptor token, PS::DescriptorKeyID key, const double* value)
{
    return value ? Put("putFloatProc", token, FloatValue(key, *value))
                 : Logged("putFloatProc", key, PS::OSErr(PS::paramErr));
}

PS::OSErr PS_CALLBACK PutBoolean(PS::PIWriteDescriptor token, PS::DescriptorKeyID key, PS::Boolean value)
{
    return Put("putBooleanProc", token, BooleanValue(key, value != 0));
}

// The host copies the text; the handle stays the plug-in's.
PS::OSErr PS_CALLBACK PutText(PS::PIWriteDescriptor token, PS::DescriptorKeyID key, PS::Handle text)
{
    DescriptorSession* session = Session();
    const std::optional<std::string> bytes = session ? session->BytesOf(text) : std::nullopt;
    return bytes ? Put("putTextProc", token, TextValue(key, *bytes))
                 : Logged("putTextProc", key, PS::OSErr(PS::nilHandleErr));
}

} // namespace

void DescriptorCallbacks::Log(const char* proc, uint32_t key, int32_t result)
{
    TestHost* host = TestHost::Current();
    if (!host)
        return;
    HostEvent e;
    e.kind = EventKind::DescriptorProc;
    e.text = proc;
    e.value = key;
    e.result = result;
    host->log_.Add(e);
}

PS::ReadDescriptorProcs DescriptorCallbacks::ReadSuite()
{
    PS::ReadDescriptorProcs procs{};
    procs.numReadDescriptorProcs = PS::kReadDescriptorProcsCount;
    procs.openReadDescriptorProc = &OpenRead;
    procs.closeReadDescriptorProc = &CloseRead;
    procs.getKeyProc = &GetKey;
    procs.getIntegerProc = &GetInteger;
    procs.getFloatProc = &GetFloat;
    procs.getBooleanProc = &GetBoolean;
    procs.getTextProc = &GetText;
    procs.getPinnedIntegerProc = &GetPinnedInteger;
    procs.getPinnedFloatProc = &GetPinnedFloat;
    return procs;
}

PS::WriteDescriptorProcs DescriptorCallbacks::WriteSuite()
{
    PS::WriteDescriptorProcs procs{};
    procs.numWriteDescriptorProcs = PS::kWriteDescriptorProcsCount;
    procs.openWriteDescriptorProc = &OpenWrite;
    procs.closeWriteDescriptorProc = &CloseWrite;
    procs.putIntegerProc = &PutInteger;
    procs.putFloatProc = &PutFloat;
    procs.putBooleanProc = &PutBoolean;
    procs.putTextProc = &PutText;
    return procs;
}

} // namespace SquelmHost
