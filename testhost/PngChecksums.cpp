#include "testhost/PngChecksums.h"


namespace SquelmHost {

namespace {

// Bytes that can be summed before the 32-bit sums must be reduced.
constexpr size_t kAdlerRun = 5552;
constexpr uint32_t kAdlerBase = 65521;

} // namespace

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
