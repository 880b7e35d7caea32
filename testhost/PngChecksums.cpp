#include "testhost/PngChecksums.h"

#include <array>

namespace SquelmHost {

namespace {

constexpr std::array<uint32_t, 256> MakeCrcTable()
{
    std::array<uint32_t, 256> table{};
    for (uint32_t n = 0; n < 256; ++n) {
        uint32_t c = n;
        for (int k = 0; k < 8; ++k)
            c = c & 1 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        table[n] = c;
    }
    return table;
}

constexpr std::array<uint32_t, 256> kCrcTable = MakeCrcTable();

// Bytes that can be summed before the 32-bit sums must be reduced.
constexpr size_t kAdlerRun = 5552;
constexpr uint32_t kAdlerBase = 65521;

} // namespace

// `crc` continues an earlier run: CRC(a + b) = PngCrc32(b, PngCrc32(a)).
uint32_t PngCrc32(std::string_view bytes, uint32_t crc)
{
    uint32_t c = crc ^ 0xFFFFFFFFu;
    for (const char byte : bytes)
        c = kCrcTable[(c ^ uint8_t(byte)) & 0xFF] ^ (c >> 8);
    return c ^ 0xFFFFFFFFu;
}

uint32_t ZlibAdler32(std::string_view bytes)
{
    uint32_t a = 1, b = 0;
    while (!bytes.empty()) {
        const std::string_view run = bytes.substr(0, kAdlerRun);
        for (const char byte : run) {
            a += uint8_t(byte);
            b += a;
        }
        a %= kAdlerBase;
        b %= kAdlerBase;
        bytes.remove_prefix(run.size());
    }
    return (b << 16) | a;
}

} // namespace SquelmHost
