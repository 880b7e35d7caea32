// Noise with a fixed seed: no symmetry for a flip or an offset to hide in.
#pragma once

#include "testhost/HostImage.h"

#include <cstdint>
#include <random>

namespace WarpTest {

inline SquelmHost::RgbImage NoiseImage(int width, int height, uint32_t seed)
{
    SquelmHost::RgbImage image(width, height);
    std::mt19937 random(seed);
    for (uint8_t& byte : image.pixels)
        byte = uint8_t(random());
    return image;
}

} // namespace WarpTest
