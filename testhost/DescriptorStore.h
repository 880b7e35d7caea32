// A scripting descriptor as this host keeps it: the values a plug-in put,
// in order, each as its key, its type and its bytes (an integer 4 bytes and
// a float 8, little-endian; a boolean 1 byte; text its characters). The
// same bytes fill the descriptor's handle and the files of --record and
// --play:
//
//   offset 0   "SQHDESC1"              signature
//   offset 8   count, 32-bit LE
//   then per value: key, type, length (32-bit LE each), the bytes
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace SquelmHost {

struct DescriptorValue {
    uint32_t key = 0;
    uint32_t type = 0;
    std::string bytes;

    bool operator==(const DescriptorValue&) const = default;
};

using Descriptor = std::vector<DescriptorValue>;

// Larger files are refused unread: the largest mesh as text is half that.
inline constexpr size_t kDescriptorFileLimit = 4 << 20;

DescriptorValue IntegerValue(uint32_t key, int32_t value);
DescriptorValue FloatValue(uint32_t key, double value);
DescriptorValue BooleanValue(uint32_t key, bool value);
DescriptorValue TextValue(uint32_t key, std::string text);
// The value read back as its type; 0 for bytes of another length.
int32_t IntegerOf(const DescriptorValue& value);
double FloatOf(const DescriptorValue& value);

std::string EncodeDescriptor(const Descriptor& descriptor);
// Throws std::runtime_error, naming `what`, for bytes that are not a
// descriptor of this host.
Descriptor DecodeDescriptor(std::string_view bytes, const std::string& what);

// A step damaged as a broken action file would be: one character in the
// middle of its first text changed. Throws std::invalid_argument for a
// step without text.
void CorruptDescriptor(Descriptor& descriptor);

} // namespace SquelmHost
