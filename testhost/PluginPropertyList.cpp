#include "testhost/PluginPropertyList.h"

#include "host/HuxPSDescriptorItems.h"

#include <stdexcept>

namespace SquelmHost {

namespace {

constexpr PS::OSType kVendor = PS::FourCC('8', 'B', 'I', 'M');
constexpr PS::OSType kKind = PS::FourCC('k', 'i', 'n', 'd');
constexpr PS::OSType kFilterKind = PS::FourCC('8', 'B', 'F', 'M');
constexpr PS::OSType kVersion = PS::FourCC('v', 'e', 'r', 's');
constexpr PS::OSType kModes = PS::FourCC('m', 'o', 'd', 'e');
constexpr PS::OSType kName = PS::FourCC('n', 'a', 'm', 'e');
constexpr PS::OSType kCategory = PS::FourCC('c', 'a', 't', 'g');

constexpr size_t kHeaderSize = 10;   // int16 format, int32 version, int32 count
constexpr size_t kPropertyHead = 16; // vendor, key, id, length
constexpr uint32_t kMaxInterfaceMajor = 4;
constexpr uint8_t kRgbModeFlag = 0x10; // mode 3: bit 0x80 >> 3 of byte 0

uint32_t ReadU32(const uint8_t* p)
{
    return uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24);
}

// The key in quotes, as messages name it.
std::string Quoted(PS::OSType key)
{
    std::string text(1, '\'');
    text += HuxPSCodeText(key);
    text += '\'';
    return text;
}

[[noreturn]] void Fail(const std::string& what)
{
    throw std::runtime_error("PiPL: " + what);
}

const PiPLProperty& Require(const PiPL& list, PS::OSType key)
{
    const PiPLProperty* property = list.Find(key);
    if (!property)
        Fail("no " + Quoted(key) + " property");
    return *property;
}

} // namespace

const PiPLProperty* PiPL::Find(PS::OSType key) const
{
    for (const PiPLProperty& property : properties) {
        if (property.vendor == kVendor && property.key == key)
            return &property;
    }
    return nullptr;
}

PiPL ParsePiPL(const uint8_t* bytes, size_t size, PiPLStepping stepping)
{
    if (size < kHeaderSize)
        Fail("header truncated: " + std::to_string(size) + " bytes");
    PiPL list;
    list.format = int16_t(uint16_t(bytes[0] | (bytes[1] << 8)));
    list.version = int32_t(ReadU32(bytes + 2));
    const uint32_t count = ReadU32(bytes + 6);
    size_t offset = kHeaderSize;
    for (uint32_t i = 0; i < count; ++i) {
        const std::string where = "property " + std::to_string(i) + " at offset " + std::to_string(offset);
        if (size - offset < kPropertyHead)
            Fail(where + ": truncated (" + std::to_string(count) + " announced)");
        PiPLProperty property;
        property.vendor = ReadU32(bytes + offset);
        property.key = ReadU32(bytes + offset + 4);
        property.id = int32_t(ReadU32(bytes + offset + 8));
        property.length = ReadU32(bytes + offset + 12);
        offset += kPropertyHead;
        if (property.length > size - offset)
            Fail(where + " (" + Quoted(property.key) + "): " + std::to_string(property.length) +
                 " data bytes run past the end");
        property.data.assign(bytes + offset, bytes + offset + property.length);
        // Data is padded to a multiple of four; the last property's padding
        // may be cut off.
        const size_t padded = (size_t(property.length) + 3) & ~size_t(3);
        const size_t step = stepping == PiPLStepping::PaddedLength ? padded : property.length;
        offset = step <= size - offset ? offset + step : size;
        list.properties.push_back(std::move(property));
    }
    return list;
}

uint32_t PropertyUInt32(const PiPLProperty& property)
{
    if (property.data.size() < 4)
        Fail(Quoted(property.key) + " holds " + std::to_string(property.data.size()) +
             " bytes, not a 32-bit value");
    return ReadU32(property.data.data());
}

std::string PropertyPascalString(const PiPLProperty& property)
{
    if (property.data.empty() || size_t(property.data[0]) + 1 > property.data.size())
        Fail(Quoted(property.key) + " is not a length-prefixed string");
    return std::string(property.data.begin() + 1, property.data.begin() + 1 + property.data[0]);
}

std::string PropertyCString(const PiPLProperty& property)
{
    std::string text;
    for (uint8_t c : property.data) {
        if (c == 0)
            return text;
        text.push_back(char(c));
    }
    Fail(Quoted(property.key) + " is not zero-terminated");
}

std::string FilterEntryName(const PiPL& list, PS::OSType entryKey)
{
    const uint32_t kind = PropertyUInt32(Require(list, kKind));
    if (kind != kFilterKind)
        Fail("kind " + Quoted(kind) + " is not a filter ('8BFM')");
    const uint32_t version = PropertyUInt32(Require(list, kVersion));
    if ((version >> 16) > kMaxInterfaceMajor)
        Fail("interface version " + std::to_string(version >> 16) + "." + std::to_string(version & 0xFFFF) +
             " is newer than 4.0");
    const PiPLProperty& modes = Require(list, kModes);
    if (modes.data.empty() || (modes.data[0] & kRgbModeFlag) == 0)
        Fail("'mode' does not include RGB colour");
    if (PropertyPascalString(Require(list, kName)).empty())
        Fail("empty 'name'");
    if (PropertyPascalString(Require(list, kCategory)).empty())
        Fail("empty 'catg'");
    std::string entry = PropertyCString(Require(list, entryKey));
    if (entry.empty())
        Fail("empty " + Quoted(entryKey) + " entry point name");
    return entry;
}

} // namespace SquelmHost
