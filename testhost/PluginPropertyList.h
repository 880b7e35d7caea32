// The plug-in property list (PiPL resource) as a host reads it: parsing the
// raw bytes, and the checks a host makes before it lists a filter.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "host/PSHostInterface.h"

namespace SquelmHost {

struct PiPLProperty {
    PS::OSType vendor = 0;
    PS::OSType key = 0;
    int32_t id = 0;
    uint32_t length = 0;       // as stated in the list
    std::vector<uint8_t> data; // `length` bytes
};

struct PiPL {
    int16_t format = 0;        // 1
    int32_t version = 0;       // 0
    std::vector<PiPLProperty> properties;

    // The first property with this key from vendor '8BIM', or null.
    const PiPLProperty* Find(PS::OSType key) const;
};

// How a reader finds the next property. Hosts differ: most round the stated
// data length up to the padding (a multiple of four); some step by the
// stated length alone and lose their place after an odd one.
enum class PiPLStepping {
    PaddedLength,
    StatedLength,
};

// Parses a property list; throws std::runtime_error saying what is wrong and
// where (a truncated header or property, data running past the end).
PiPL ParsePiPL(const uint8_t* bytes, size_t size, PiPLStepping stepping = PiPLStepping::PaddedLength);

// Readings of property data; each throws std::runtime_error naming the key
// when the data does not have the form.
uint32_t PropertyUInt32(const PiPLProperty& property); // four bytes, little-endian
std::string PropertyPascalString(const PiPLProperty& property);
std::string PropertyCString(const PiPLProperty& property); // up to the first zero

// The properties naming the entry point: a 32-bit x86 host reads 'wx86', a
// 64-bit one '8664'; each ignores the other.
inline constexpr PS::OSType kEntryX86 = PS::FourCC('w', 'x', '8', '6');
inline constexpr PS::OSType kEntryX64 = PS::FourCC('8', '6', '6', '4');
// The one a host built like this program reads.
inline constexpr PS::OSType kOwnEntryKey = sizeof(void*) == 8 ? kEntryX64 : kEntryX86;

// The checks of a Windows host: a filter ('kind' '8BFM'), interface version
// at most 4.x, RGB among the modes, non-empty name and category, and a
// non-empty entry point under `entryKey`. Returns the entry point's name;
// throws std::runtime_error with the first failed check.
std::string FilterEntryName(const PiPL& list, PS::OSType entryKey);

} // namespace SquelmHost
