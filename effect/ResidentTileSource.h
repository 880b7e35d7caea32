// The tile cache as a render on another thread reads it: resident tiles as
// the cache holds them, and for a tile not resident a stand-in (black, all
// selected, so that a masked render still samples everything it would) while
// the miss is noted. A render that missed anything is thrown away and done
// again on the owner's thread, which loads as it reads.
//
// Reads only; the owner may load other tiles meanwhile, but none that a
// render reads, and evicts none of those.
#pragma once

#include "host/HuxPSTileCache.h"

#include <cstdint>

class ResidentTileSource final : public HuxPixelSource {
public:
    // The stand-ins hold a whole tile: TileWidth() x TileHeight() pixels
    // and as many mask bytes.
    ResidentTileSource(const HuxPSTileCache& cache, const uint8_t* standInPixels, const uint8_t* standInMask)
        : cache_(cache), standInPixels_(standInPixels), standInMask_(standInMask)
    {
    }

    HuxRect Bounds() const override { return cache_.Bounds(); }
    HuxPixelBlock BlockAt(int32_t x, int32_t y) override;
    const uint8_t* OutsidePixel(int32_t x, int32_t y) override;
    bool HasMask() const override { return cache_.HasMask(); }
    bool SwapsRedAndBlue() const override { return cache_.SwapsRedAndBlue(); }
    HuxPixelLayout Layout() const override { return cache_.Layout(); }

    bool Missed() const { return missed_; }
    void ForgetMisses() { missed_ = false; }

private:
    const HuxPSTileCache& cache_;
    const uint8_t* standInPixels_;
    const uint8_t* standInMask_;
    bool missed_ = false;
};
