// A pixel source for pixels whose reads span more source tiles than the
// cache holds at once. A render reads through it twice: first it records
// the positions read (handing out a stand-in), then, once Gather has loaded
// every tile of those positions once and copied the pixels out, it serves
// the very same reads from the copies. The sampler's positions depend only
// on the corners, so the second render reads nothing that was not
// recorded. Every block is one pixel, so that the reader asks for each
// position by itself.
#pragma once

#include "host/HuxPSTileCache.h"

#include <cstdint>
#include <unordered_map>
#include <vector>

class GatheredSource final : public HuxPixelSource {
public:
    explicit GatheredSource(HuxPSTileCache& cache) : cache_(cache) {}

    HuxRect Bounds() const override { return cache_.Bounds(); }
    HuxPixelBlock BlockAt(int32_t x, int32_t y) override;
    const uint8_t* OutsidePixel(int32_t x, int32_t y) override;
    bool HasMask() const override { return cache_.HasMask(); }
    bool SwapsRedAndBlue() const override { return cache_.SwapsRedAndBlue(); }
    HuxPixelLayout Layout() const override { return cache_.Layout(); }

    // Positions recorded and not yet gathered.
    size_t Recorded() const { return slots_.size(); }
    // Loads each tile of the recorded positions once and copies their
    // pixels; from then on reads are served from the copies.
    void Gather();
    // Forgets every position and records again.
    void Clear();

private:
    struct Pixel {
        alignas(8) uint8_t bytes[kHuxLargestPixelBytes] = {};
        uint8_t mask = 0xFF;
    };
    // The slot of a position's pixel: recorded while recording, found when
    // serving.
    Pixel& PixelOf(int32_t tile, uint32_t offset);

    HuxPSTileCache& cache_;
    bool gathered_ = false;
    Pixel standIn_;
    // (tile << 32 | byte offset) -> slot
    std::unordered_map<uint64_t, uint32_t> slots_;
    std::vector<Pixel> pixels_; // per slot
};
