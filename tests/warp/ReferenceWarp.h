// A plain, unoptimised rendering of the warp, written straight from the
// arithmetic: no tiles, no fast paths, pixels read from the host's image.
// The optimised mapper and cache must match it byte for byte.
#pragma once

#include "HuxLib/HuxGeometry/HuxPoint2D.h"
#include "HuxLib/HuxGeometry/HuxRect.h"
#include "testhost/HostImage.h"

#include <cstdint>
#include <functional>
#include <vector>

namespace WarpTest {

// The source as the cache presents it: the document sampled at `scale`
// (scaled pixel (i, j) is document pixel (i * scale, j * scale)) over the
// scaled filter rectangle, with an edge mode outside it.
struct ReferenceSource {
    const SquelmHost::RgbImage* image = nullptr;
    const SquelmHost::GreyImage* mask = nullptr;
    int scale = 1;
    HuxRect scaled;
    int edgeMode = 0;
    uint32_t edgeColour = 0;
    bool swapped = false; // channel order 1

    void Pixel(int64_t x, int64_t y, int32_t out[3]) const;
    bool Selected(int64_t x, int64_t y) const;
};

struct ReferenceSettings {
    int mode = 1;
    double bias = 0.9;
    double density = 1.0;
};

using MapFunction = std::function<HuxGeometry::HuxPoint2D(HuxGeometry::HuxPoint2D)>;

// One pixel from its four mapped corners; 3 bytes.
void ReferencePixel(const ReferenceSource& source, const ReferenceSettings& settings,
                    const HuxGeometry::HuxPoint2D corners[4], uint8_t out[3]);

// A whole tile, packed rows; corners mapped row by row, left to right.
// knockout < 0: plain; otherwise masked (knockout == 0x1000000) or knockout colour.
std::vector<uint8_t> ReferenceTile(const ReferenceSource& source, const ReferenceSettings& settings,
                                   const HuxRect& tile, const MapFunction& map, int64_t knockout = -1);

constexpr int64_t kMaskedCopy = 0x1000000;

} // namespace WarpTest
