// Binary interface of the host's scripting descriptors: the block that
// FilterRecord.descriptorParameters points to and the two procs suites in
// it, declared from the published layout (natural alignment). Every offset
// is pinned for x86 and x64 below; the x64 checks also hold for the native
// build, which shares this header with the test host.
#pragma once

#include "host/PSHostInterface.h"

#include <cstddef>
#include <cstdint>

namespace PS {

using PIDescriptorHandle = Handle;
using PIReadDescriptor = void*;  // the host's token for a descriptor being read
using PIWriteDescriptor = void*; // and for one being written
using DescriptorKeyID = uint32_t;
using DescriptorTypeID = uint32_t;

// playInfo: how the host plays a recorded step.
enum : int16_t {
    playDialogIfNeeded = 0, // show the dialog only when the descriptor is not enough
    playDialogShown = 1,    // show the dialog, starting from the descriptor's values
    playSilent = 2,         // never show it: fail with errReportString when the descriptor is not enough
};

// recordInfo: how the plug-in lets the host play what it recorded.
enum : int16_t { recordDialogOptional = 0, recordDialogRequired = 1, recordDialogNone = 2 };

// Value types a descriptor reports for its keys.
constexpr DescriptorTypeID typeInteger = FourCC('l', 'o', 'n', 'g');
constexpr DescriptorTypeID typeFloat = FourCC('d', 'o', 'u', 'b');
constexpr DescriptorTypeID typeUnitFloat = FourCC('U', 'n', 't', 'F');
constexpr DescriptorTypeID typeBoolean = FourCC('b', 'o', 'o', 'l');
constexpr DescriptorTypeID typeText = FourCC('T', 'E', 'X', 'T');
constexpr DescriptorTypeID typeEnumerated = FourCC('e', 'n', 'u', 'm');
constexpr DescriptorTypeID typeClass = FourCC('t', 'y', 'p', 'e');
constexpr DescriptorTypeID typeObject = FourCC('O', 'b', 'j', 'c');
constexpr DescriptorTypeID typeRawData = FourCC('t', 'd', 't', 'a');

// ---- Reading ------------------------------------------------------------------

using OpenReadDescriptorProc = PIReadDescriptor(PS_CALLBACK*)(PIDescriptorHandle, const DescriptorKeyID* keys);
using CloseReadDescriptorProc = OSErr(PS_CALLBACK*)(PIReadDescriptor);
using GetKeyProc = Boolean(PS_CALLBACK*)(PIReadDescriptor, DescriptorKeyID* key, DescriptorTypeID* type,
                                         int32_t* flags);
using GetIntegerProc = OSErr(PS_CALLBACK*)(PIReadDescriptor, int32_t*);
using GetFloatProc = OSErr(PS_CALLBACK*)(PIReadDescriptor, double*);
using GetUnitFloatProc = OSErr(PS_CALLBACK*)(PIReadDescriptor, uint32_t* unit, double*);
using GetBooleanProc = OSErr(PS_CALLBACK*)(PIReadDescriptor, Boolean*);
using GetTextProc = OSErr(PS_CALLBACK*)(PIReadDescriptor, Handle*);
using GetAliasProc = OSErr(PS_CALLBACK*)(PIReadDescriptor, Handle*);
using GetEnumeratedProc = OSErr(PS_CALLBACK*)(PIReadDescriptor, uint32_t*);
using GetClassProc = OSErr(PS_CALLBACK*)(PIReadDescriptor, uint32_t*);
using GetSimpleReferenceProc = OSErr(PS_CALLBACK*)(PIReadDescriptor, void*);
using GetObjectProc = OSErr(PS_CALLBACK*)(PIReadDescriptor, uint32_t* type, PIDescriptorHandle*);
using GetCountProc = OSErr(PS_CALLBACK*)(PIReadDescriptor, uint32_t*);
using GetStringProc = OSErr(PS_CALLBACK*)(PIReadDescriptor, Str255*);
using GetPinnedIntegerProc = OSErr(PS_CALLBACK*)(PIReadDescriptor, int32_t min, int32_t max, int32_t*);
using GetPinnedFloatProc = OSErr(PS_CALLBACK*)(PIReadDescriptor, const double* min, const double* max, double*);
using GetPinnedUnitFloatProc = OSErr(PS_CALLBACK*)(PIReadDescriptor, const double* min, const double* max,
                                                   uint32_t* unit, double*);

struct ReadDescriptorProcs {
    int16_t readDescriptorProcsVersion;
    int16_t numReadDescriptorProcs;
    OpenReadDescriptorProc openReadDescriptorProc;
    CloseReadDescriptorProc closeReadDescriptorProc;
    GetKeyProc getKeyProc;
    GetIntegerProc getIntegerProc;
    GetFloatProc getFloatProc;
    GetUnitFloatProc getUnitFloatProc;
    GetBooleanProc getBooleanProc;
    GetTextProc getTextProc;
    GetAliasProc getAliasProc;
    GetEnumeratedProc getEnumeratedProc;
    GetClassProc getClassProc;
    GetSimpleReferenceProc getSimpleReferenceProc;
    GetObjectProc getObjectProc;
    GetCountProc getCountProc;
    GetStringProc getStringProc;
    GetPinnedIntegerProc getPinnedIntegerProc;
    GetPinnedFloatProc getPinnedFloatProc;
    GetPinnedUnitFloatProc getPinnedUnitFloatProc;
};
constexpr int16_t kReadDescriptorProcsCount = 18;

// ---- Writing ------------------------------------------------------------------

using OpenWriteDescriptorProc = PIWriteDescriptor(PS_CALLBACK*)();
using CloseWriteDescriptorProc = OSErr(PS_CALLBACK*)(PIWriteDescriptor, PIDescriptorHandle* out);
using PutIntegerProc = OSErr(PS_CALLBACK*)(PIWriteDescriptor, DescriptorKeyID, int32_t);
using PutFloatProc = OSErr(PS_CALLBACK*)(PIWriteDescriptor, DescriptorKeyID, const double*);
using PutUnitFloatProc = OSErr(PS_CALLBACK*)(PIWriteDescriptor, DescriptorKeyID, uint32_t unit, const double*);
using PutBooleanProc = OSErr(PS_CALLBACK*)(PIWriteDescriptor, DescriptorKeyID, Boolean);
using PutTextProc = OSErr(PS_CALLBACK*)(PIWriteDescriptor, DescriptorKeyID, Handle);
using PutAliasProc = OSErr(PS_CALLBACK*)(PIWriteDescriptor, DescriptorKeyID, Handle);
using PutEnumeratedProc = OSErr(PS_CALLBACK*)(PIWriteDescriptor, DescriptorKeyID, uint32_t type, uint32_t value);
using PutClassProc = OSErr(PS_CALLBACK*)(PIWriteDescriptor, DescriptorKeyID, uint32_t);
using PutSimpleReferenceProc = OSErr(PS_CALLBACK*)(PIWriteDescriptor, DescriptorKeyID, const void*);
using PutObjectProc = OSErr(PS_CALLBACK*)(PIWriteDescriptor, DescriptorKeyID, uint32_t type, PIDescriptorHandle);
using PutCountProc = OSErr(PS_CALLBACK*)(PIWriteDescriptor, DescriptorKeyID, uint32_t);
using PutStringProc = OSErr(PS_CALLBACK*)(PIWriteDescriptor, DescriptorKeyID, const Str255*);
using PutScopedClassProc = OSErr(PS_CALLBACK*)(PIWriteDescriptor, DescriptorKeyID, uint32_t);
using PutScopedObjectProc = OSErr(PS_CALLBACK*)(PIWriteDescriptor, DescriptorKeyID, uint32_t type,
                                                PIDescriptorHandle*);

struct WriteDescriptorProcs {
    int16_t writeDescriptorProcsVersion;
    int16_t numWriteDescriptorProcs;
    OpenWriteDescriptorProc openWriteDescriptorProc;
    CloseWriteDescriptorProc closeWriteDescriptorProc;
    PutIntegerProc putIntegerProc;
    PutFloatProc putFloatProc;
    PutUnitFloatProc putUnitFloatProc;
    PutBooleanProc putBooleanProc;
    PutTextProc putTextProc;
    PutAliasProc putAliasProc;
    PutEnumeratedProc putEnumeratedProc;
    PutClassProc putClassProc;
    PutSimpleReferenceProc putSimpleReferenceProc;
    PutObjectProc putObjectProc;
    PutCountProc putCountProc;
    PutStringProc putStringProc;
    PutScopedClassProc putScopedClassProc;
    PutScopedObjectProc putScopedObjectProc;
};
constexpr int16_t kWriteDescriptorProcsCount = 16;

struct PIDescriptorParameters {
    int16_t descriptorParametersVersion;
    int16_t playInfo;
    int16_t recordInfo;
    PIDescriptorHandle descriptor; // null unless the host plays a recorded step
    WriteDescriptorProcs* writeDescriptorProcs;
    ReadDescriptorProcs* readDescriptorProcs;
};

// ---- Layout checks ----------------------------------------------------------

#define PS_DESCRIPTOR_PIN(type, field, x86, x64) \
    static_assert(offsetof(type, field) == PS::Off(x86, x64), #type "::" #field " offset")

PS_DESCRIPTOR_PIN(PIDescriptorParameters, playInfo, 2, 2);
PS_DESCRIPTOR_PIN(PIDescriptorParameters, recordInfo, 4, 4);
PS_DESCRIPTOR_PIN(PIDescriptorParameters, descriptor, 8, 8);
PS_DESCRIPTOR_PIN(PIDescriptorParameters, writeDescriptorProcs, 12, 16);
PS_DESCRIPTOR_PIN(PIDescriptorParameters, readDescriptorProcs, 16, 24);
static_assert(sizeof(PIDescriptorParameters) == Off(20, 32));

PS_DESCRIPTOR_PIN(ReadDescriptorProcs, numReadDescriptorProcs, 2, 2);
PS_DESCRIPTOR_PIN(ReadDescriptorProcs, openReadDescriptorProc, 4, 8);
PS_DESCRIPTOR_PIN(ReadDescriptorProcs, closeReadDescriptorProc, 8, 16);
PS_DESCRIPTOR_PIN(ReadDescriptorProcs, getKeyProc, 12, 24);
PS_DESCRIPTOR_PIN(ReadDescriptorProcs, getIntegerProc, 16, 32);
PS_DESCRIPTOR_PIN(ReadDescriptorProcs, getFloatProc, 20, 40);
PS_DESCRIPTOR_PIN(ReadDescriptorProcs, getUnitFloatProc, 24, 48);
PS_DESCRIPTOR_PIN(ReadDescriptorProcs, getBooleanProc, 28, 56);
PS_DESCRIPTOR_PIN(ReadDescriptorProcs, getTextProc, 32, 64);
PS_DESCRIPTOR_PIN(ReadDescriptorProcs, getAliasProc, 36, 72);
PS_DESCRIPTOR_PIN(ReadDescriptorProcs, getEnumeratedProc, 40, 80);
PS_DESCRIPTOR_PIN(ReadDescriptorProcs, getClassProc, 44, 88);
PS_DESCRIPTOR_PIN(ReadDescriptorProcs, getSimpleReferenceProc, 48, 96);
PS_DESCRIPTOR_PIN(ReadDescriptorProcs, getObjectProc, 52, 104);
PS_DESCRIPTOR_PIN(ReadDescriptorProcs, getCountProc, 56, 112);
PS_DESCRIPTOR_PIN(ReadDescriptorProcs, getStringProc, 60, 120);
PS_DESCRIPTOR_PIN(ReadDescriptorProcs, getPinnedIntegerProc, 64, 128);
PS_DESCRIPTOR_PIN(ReadDescriptorProcs, getPinnedFloatProc, 68, 136);
PS_DESCRIPTOR_PIN(ReadDescriptorProcs, getPinnedUnitFloatProc, 72, 144);
static_assert(sizeof(ReadDescriptorProcs) == Off(76, 152));

PS_DESCRIPTOR_PIN(WriteDescriptorProcs, numWriteDescriptorProcs, 2, 2);
PS_DESCRIPTOR_PIN(WriteDescriptorProcs, openWriteDescriptorProc, 4, 8);
PS_DESCRIPTOR_PIN(WriteDescriptorProcs, closeWriteDescriptorProc, 8, 16);
PS_DESCRIPTOR_PIN(WriteDescriptorProcs, putIntegerProc, 12, 24);
PS_DESCRIPTOR_PIN(WriteDescriptorProcs, putFloatProc, 16, 32);
PS_DESCRIPTOR_PIN(WriteDescriptorProcs, putUnitFloatProc, 20, 40);
PS_DESCRIPTOR_PIN(WriteDescriptorProcs, putBooleanProc, 24, 48);
PS_DESCRIPTOR_PIN(WriteDescriptorProcs, putTextProc, 28, 56);
PS_DESCRIPTOR_PIN(WriteDescriptorProcs, putAliasProc, 32, 64);
PS_DESCRIPTOR_PIN(WriteDescriptorProcs, putEnumeratedProc, 36, 72);
PS_DESCRIPTOR_PIN(WriteDescriptorProcs, putClassProc, 40, 80);
PS_DESCRIPTOR_PIN(WriteDescriptorProcs, putSimpleReferenceProc, 44, 88);
PS_DESCRIPTOR_PIN(WriteDescriptorProcs, putObjectProc, 48, 96);
PS_DESCRIPTOR_PIN(WriteDescriptorProcs, putCountProc, 52, 104);
PS_DESCRIPTOR_PIN(WriteDescriptorProcs, putStringProc, 56, 112);
PS_DESCRIPTOR_PIN(WriteDescriptorProcs, putScopedClassProc, 60, 120);
PS_DESCRIPTOR_PIN(WriteDescriptorProcs, putScopedObjectProc, 64, 128);
static_assert(sizeof(WriteDescriptorProcs) == Off(68, 136));

#undef PS_DESCRIPTOR_PIN

} // namespace PS
