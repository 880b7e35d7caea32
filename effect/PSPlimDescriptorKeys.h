// What the filter records in the host's actions: the scripting event and
// the keys of its descriptor, with their value types and the names the
// terminology (resources/Terminology.rc) gives them. The aete resource and
// this table must agree; a native test reads one against the other.
#pragma once

#include "host/PSDescriptorInterface.h"

#include <array>
#include <cstdint>

// The event's class and id in the PIPL's hstm property and the aete.
constexpr uint32_t kPSPlimScriptingClass = PS::FourCC('S', 'q', 'l', 'm');
constexpr uint32_t kPSPlimScriptingEvent = PS::FourCC('S', 'q', 'l', 'm');

constexpr PS::DescriptorKeyID kPSPlimKeyMesh = PS::FourCC('S', 'q', 'M', 'h');
constexpr PS::DescriptorKeyID kPSPlimKeyInterpolation = PS::FourCC('S', 'q', 'I', 'n');
constexpr PS::DescriptorKeyID kPSPlimKeySampleDensity = PS::FourCC('S', 'q', 'S', 'D');
constexpr PS::DescriptorKeyID kPSPlimKeySampleCountBias = PS::FourCC('S', 'q', 'S', 'B');
constexpr PS::DescriptorKeyID kPSPlimKeyExposedArea = PS::FourCC('S', 'q', 'E', 'A');
constexpr PS::DescriptorKeyID kPSPlimKeyExposedAreaColour = PS::FourCC('S', 'q', 'E', 'C');

struct PSPlimDescriptorKey {
    PS::DescriptorKeyID key;
    PS::DescriptorTypeID type;
    const char* name; // as the terminology names it
};

// In the order they are recorded.
constexpr std::array<PSPlimDescriptorKey, 6> kPSPlimDescriptorKeys = {{
    {kPSPlimKeyMesh, PS::typeText, "mesh"},
    {kPSPlimKeyInterpolation, PS::typeBoolean, "interpolation"},
    {kPSPlimKeySampleDensity, PS::typeFloat, "sample density"},
    {kPSPlimKeySampleCountBias, PS::typeFloat, "sample count bias"},
    {kPSPlimKeyExposedArea, PS::typeInteger, "exposed area"},
    {kPSPlimKeyExposedAreaColour, PS::typeInteger, "exposed area colour"},
}};

// The keys the filter expects, zero-terminated, for openReadDescriptorProc.
constexpr std::array<PS::DescriptorKeyID, kPSPlimDescriptorKeys.size() + 1> kPSPlimExpectedKeys = [] {
    std::array<PS::DescriptorKeyID, kPSPlimDescriptorKeys.size() + 1> keys{};
    for (size_t i = 0; i < kPSPlimDescriptorKeys.size(); ++i)
        keys[i] = kPSPlimDescriptorKeys[i].key;
    return keys;
}();
