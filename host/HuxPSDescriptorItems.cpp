#include "host/HuxPSDescriptorItems.h"

HuxPSDescriptorItem HuxPSInteger(PS::DescriptorKeyID key, int32_t value) { return {key, PS::typeInteger, value}; }

HuxPSDescriptorItem HuxPSFloat(PS::DescriptorKeyID key, double value) { return {key, PS::typeFloat, value}; }

HuxPSDescriptorItem HuxPSBoolean(PS::DescriptorKeyID key, bool value) { return {key, PS::typeBoolean, value}; }

HuxPSDescriptorItem HuxPSText(PS::DescriptorKeyID key, std::string value)
{
    return {key, PS::typeText, std::move(value)};
}

std::string HuxPSCodeText(uint32_t code)
{
    std::string text;
    for (int shift = 24; shift >= 0; shift -= 8) {
        const char c = char((code >> shift) & 0xFF);
        text += c >= 0x20 && c < 0x7F ? c : '?';
    }
    return text;
}
