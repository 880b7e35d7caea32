// Little-endian fields of the files we write ourselves, put and read byte by
// byte so that the host's own byte order never matters. Readers take an
// offset the caller has checked to lie inside the bytes.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

inline void HuxPutUint32(std::string& out, uint32_t value)
{
    for (int shift = 0; shift < 32; shift += 8)
        out += static_cast<char>((value >> shift) & 0xFF);
}

inline uint32_t HuxGetUint32(std::string_view bytes, size_t at)
{
    uint32_t value = 0;
    for (int i = 3; i >= 0; --i)
        value = (value << 8) | static_cast<uint8_t>(bytes[at + size_t(i)]);
    return value;
}

// IEEE 754 binary64, low word first.
inline void HuxPutDouble(std::string& out, double value)
{
    const uint64_t bits = std::bit_cast<uint64_t>(value);
    HuxPutUint32(out, static_cast<uint32_t>(bits));
    HuxPutUint32(out, static_cast<uint32_t>(bits >> 32));
}

inline double HuxGetDouble(std::string_view bytes, size_t at)
{
    return std::bit_cast<double>(HuxGetUint32(bytes, at) | uint64_t(HuxGetUint32(bytes, at + 4)) << 32);
}
