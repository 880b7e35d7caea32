// The test host's document: an 8-bit RGB image and an optional grey mask.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace SquelmHost {

// Top-down, 3 interleaved bytes per pixel (red, green, blue), rows packed.
struct RgbImage {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> pixels;

    RgbImage() = default;
    RgbImage(int w, int h, uint8_t fill = 0);

    bool Empty() const { return width <= 0 || height <= 0; }
    uint8_t* At(int x, int y) { return pixels.data() + (size_t(y) * size_t(width) + size_t(x)) * 3; }
    const uint8_t* At(int x, int y) const { return pixels.data() + (size_t(y) * size_t(width) + size_t(x)) * 3; }
    void Set(int x, int y, uint8_t r, uint8_t g, uint8_t b);
};

// Top-down, one byte per pixel (255 fully selected), rows packed.
struct GreyImage {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> pixels;

    GreyImage() = default;
    GreyImage(int w, int h, uint8_t fill = 0);

    bool Empty() const { return width <= 0 || height <= 0; }
    uint8_t& At(int x, int y) { return pixels[size_t(y) * size_t(width) + size_t(x)]; }
    uint8_t At(int x, int y) const { return pixels[size_t(y) * size_t(width) + size_t(x)]; }
};

} // namespace SquelmHost
