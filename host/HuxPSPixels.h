// Copying the host's interleaved pixels, in its red-green-blue order or
// swapped to the blue-green-red order of preview images.
#pragma once

#include <cstdint>
#include <cstring>

inline void HuxPSCopyPixels(const uint8_t* from, uint8_t* to, int32_t count, bool swap)
{
    if (count <= 0)
        return;
    if (!swap) {
        std::memcpy(to, from, size_t(count) * 3);
        return;
    }
    for (int32_t x = 0; x < count; ++x, from += 3, to += 3) {
        to[0] = from[2];
        to[1] = from[1];
        to[2] = from[0];
    }
}
