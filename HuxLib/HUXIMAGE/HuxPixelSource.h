// Read-only access to an image held in blocks (a tile cache, source fetched
// ahead, a plain image in memory). A reader asks for the block that holds a
// position and reads that block's memory directly until a position leaves
// it: one call per block, not per pixel.
#pragma once

#include "HuxLib/HUXIMAGE/HuxPixelFormat.h"
#include "HuxLib/HuxGeometry/HuxRect.h"

#include <cstdint>

// A rectangle of pixels in memory, in the source's layout, rows rowBytes
// apart (a multiple of the sample size, and so is the block's address).
// Width and height are unsigned so that a reader tells inside from outside
// with one comparison per axis.
struct HuxPixelBlock {
    const uint8_t* pixels = nullptr; // the pixel at (left, top)
    const uint8_t* mask = nullptr;   // its selection byte; null when the source has no mask
    int32_t rowBytes = 0;
    int32_t maskRowBytes = 0;
    int32_t left = 0;
    int32_t top = 0;
    uint32_t width = 0;
    uint32_t height = 0;
};

// A source that fetches on demand may reuse memory on its next fetch: what
// BlockAt or OutsidePixel returns is only certain to stay valid until the
// source's next BlockAt or OutsidePixel.
class HuxPixelSource {
public:
    virtual ~HuxPixelSource() = default;

    // The image's rectangle; every position inside it lies in some block.
    virtual HuxRect Bounds() const = 0;
    // The block holding (x, y), a position inside Bounds().
    virtual HuxPixelBlock BlockAt(int32_t x, int32_t y) = 0;
    // The pixel a position outside Bounds() reads, by the source's edge
    // rule. Nothing outside is selected.
    virtual const uint8_t* OutsidePixel(int32_t x, int32_t y) = 0;
    // Whether blocks carry the selection mask; without one every pixel is
    // selected.
    virtual bool HasMask() const = 0;
    // Pixels in blue-green-red order instead of red-green-blue.
    virtual bool SwapsRedAndBlue() const = 0;
    // How the pixels of blocks and OutsidePixel lie in memory.
    virtual HuxPixelLayout Layout() const = 0;

protected:
    HuxPixelSource() = default;
    HuxPixelSource(const HuxPixelSource&) = default;
    HuxPixelSource& operator=(const HuxPixelSource&) = default;
};
