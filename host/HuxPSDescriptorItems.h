// The values of a scripting descriptor, in the order the host holds them:
// what the plug-in reads from a recorded step and what it records. Only the
// types the filter uses carry a value; a key of any other type is kept with
// its type alone, so that a reader can say what it found instead.
#pragma once

#include "host/PSDescriptorInterface.h"

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

struct HuxPSDescriptorItem {
    PS::DescriptorKeyID key = 0;
    PS::DescriptorTypeID type = 0;
    // typeInteger, typeFloat, typeBoolean, typeText; monostate for the rest.
    std::variant<std::monostate, int32_t, double, bool, std::string> value;
};

using HuxPSDescriptorItems = std::vector<HuxPSDescriptorItem>;

HuxPSDescriptorItem HuxPSInteger(PS::DescriptorKeyID key, int32_t value);
HuxPSDescriptorItem HuxPSFloat(PS::DescriptorKeyID key, double value);
HuxPSDescriptorItem HuxPSBoolean(PS::DescriptorKeyID key, bool value);
HuxPSDescriptorItem HuxPSText(PS::DescriptorKeyID key, std::string value);

// A four-character code as its characters ('Msh ' -> "Msh "), for messages.
std::string HuxPSCodeText(uint32_t code);
