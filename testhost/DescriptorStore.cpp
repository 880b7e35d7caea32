#include "testhost/DescriptorStore.h"

#include "host/PSDescriptorInterface.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace SquelmHost {

namespace {

constexpr std::string_view kSignature = "SQHDESC1";

void AppendWord(std::string& out, uint32_t v)
{
    for (int shift = 0; shift < 32; shift += 8)
        out += char((v >> shift) & 0xFF);
}

uint32_t WordAt(std::string_view bytes, size_t at)
{
    uint32_t v = 0;
    for (int k = 3; k >= 0; --k)
        v = (v << 8) | uint8_t(bytes[at + size_t(k)]);
    return v;
}

template <class T>
std::string LittleEndianBytes(T value)
{
    uint64_t bits = 0;
    std::memcpy(&bits, &value, sizeof value);
    std::string out;
    for (size_t k = 0; k < sizeof value; ++k)
        out += char((bits >> (8 * k)) & 0xFF);
    return out;
}

template <class T>
T FromLittleEndian(const std::string& bytes)
{
    if (bytes.size() != sizeof(T))
        return T{};
    uint64_t bits = 0;
    for (size_t k = 0; k < sizeof(T); ++k)
        bits |= uint64_t(uint8_t(bytes[k])) << (8 * k);
    T value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

} // namespace

DescriptorValue IntegerValue(uint32_t key, int32_t value)
{
    return {key, PS::typeInteger, LittleEndianBytes(value)};
}

DescriptorValue FloatValue(uint32_t key, double value)
{
    return {key, PS::typeFloat, LittleEndianBytes(value)};
}

DescriptorValue BooleanValue(uint32_t key, bool value)
{
    return {key, PS::typeBoolean, std::string(1, value ? '\1' : '\0')};
}

DescriptorValue TextValue(uint32_t key, std::string text) { return {key, PS::typeText, std::move(text)}; }

int32_t IntegerOf(const DescriptorValue& value) { return FromLittleEndian<int32_t>(value.bytes); }

double FloatOf(const DescriptorValue& value) { return FromLittleEndian<double>(value.bytes); }

std::string EncodeDescriptor(const Descriptor& descriptor)
{
    std::string out(kSignature);
    AppendWord(out, uint32_t(descriptor.size()));
    for (const DescriptorValue& value : descriptor) {
        AppendWord(out, value.key);
        AppendWord(out, value.type);
        AppendWord(out, uint32_t(value.bytes.size()));
        out += value.bytes;
    }
    return out;
}

Descriptor DecodeDescriptor(std::string_view bytes, const std::string& what)
{
    const auto refuse = [&](const std::string& why) { throw std::runtime_error(what + " " + why); };
    if (bytes.size() < kSignature.size() + 4 || bytes.substr(0, kSignature.size()) != kSignature)
        refuse("is not a recorded step of squelm-host (it does not begin with SQHDESC1)");
    const uint32_t count = WordAt(bytes, kSignature.size());
    size_t at = kSignature.size() + 4;
    Descriptor descriptor;
    for (uint32_t k = 0; k < count; ++k) {
        if (bytes.size() - at < 12)
            refuse("is cut short in value " + std::to_string(k + 1));
        DescriptorValue value{WordAt(bytes, at), WordAt(bytes, at + 4), {}};
        const uint32_t length = WordAt(bytes, at + 8);
        at += 12;
        if (bytes.size() - at < length)
            refuse("is cut short in value " + std::to_string(k + 1));
        value.bytes = std::string(bytes.substr(at, length));
        at += length;
        descriptor.push_back(std::move(value));
    }
    if (at != bytes.size())
        refuse("has " + std::to_string(bytes.size() - at) + " bytes after its last value");
    return descriptor;
}

void CorruptDescriptor(Descriptor& descriptor)
{
    const auto text = std::find_if(descriptor.begin(), descriptor.end(), [](const DescriptorValue& v) {
        return v.type == PS::typeText && !v.bytes.empty();
    });
    if (text == descriptor.end())
        throw std::invalid_argument("the recorded step holds no text to damage");
    char& c = text->bytes[text->bytes.size() / 2];
    c = c == 'A' ? 'B' : 'A';
}

} // namespace SquelmHost
