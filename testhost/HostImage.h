// The test host's document: an image in one of the modes a host offers a
// filter (grey, RGB, CMYK or Lab, 8 or 16 bits, optionally a layer with
// transparency), and an optional grey selection mask.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace SquelmHost {

enum class ColourSpace { Grey, RGB, CMYK, Lab };

enum class Transparency {
    None,      // a flat image
    Editable,  // a layer whose transparency the filter may change
    Protected, // a layer whose transparency is locked
};

// Samples as the host hands them to a filter: 8 bits 0..255, or 16 bits
// 0..32768 (white at 32768), little-endian. Top-down, rows packed, planes
// interleaved: the colour planes, then the transparency plane of a layer.
struct HostImage {
    int width = 0;
    int height = 0;
    ColourSpace space = ColourSpace::RGB;
    int depth = 8;
    Transparency transparency = Transparency::None;
    std::vector<uint8_t> pixels;

    HostImage() = default;
    // An 8-bit RGB image, every byte `fill`.
    HostImage(int w, int h, uint8_t fill = 0);
    // Any document, every sample 0.
    HostImage(int w, int h, ColourSpace space, int depth, Transparency transparency);

    static int ColourPlanes(ColourSpace space);
    int ColourPlanes() const { return ColourPlanes(space); }
    int Planes() const { return ColourPlanes() + (transparency == Transparency::None ? 0 : 1); }
    int SampleBytes() const { return depth / 8; }
    int PixelBytes() const { return Planes() * SampleBytes(); }
    // The full-scale sample: 255 or 32768.
    uint32_t White() const { return depth == 16 ? 32768 : 255; }

    bool Empty() const { return width <= 0 || height <= 0; }
    uint8_t* At(int x, int y) { return pixels.data() + (size_t(y) * size_t(width) + size_t(x)) * PixelBytes(); }
    const uint8_t* At(int x, int y) const
    {
        return pixels.data() + (size_t(y) * size_t(width) + size_t(x)) * PixelBytes();
    }
    uint32_t Sample(int x, int y, int plane) const;
    void SetSample(int x, int y, int plane, uint32_t value);
    // The first three 8-bit samples of a pixel.
    void Set(int x, int y, uint8_t r, uint8_t g, uint8_t b);
};

// The document most tests use: 8-bit RGB without transparency.
using RgbImage = HostImage;

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
