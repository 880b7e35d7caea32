// The photograph-sized test card the effect benchmarks render: smooth
// gradients with fine texture, 4000 x 3000 (12 megapixels).
#pragma once

#include "testhost/HostImage.h"

#include <cstdint>

namespace Bench {

constexpr int kCardWidth = 4000;
constexpr int kCardHeight = 3000;

inline SquelmHost::RgbImage TestCard()
{
    SquelmHost::RgbImage image(kCardWidth, kCardHeight);
    for (int y = 0; y < kCardHeight; ++y)
        for (int x = 0; x < kCardWidth; ++x)
            image.Set(x, y, uint8_t(x * 255 / kCardWidth), uint8_t(y * 255 / kCardHeight), uint8_t((x ^ y) & 0xFF));
    return image;
}

} // namespace Bench
