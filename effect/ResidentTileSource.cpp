#include "effect/ResidentTileSource.h"

namespace {

alignas(8) const uint8_t kStandInOutside[kHuxLargestPixelBytes] = {};

} // namespace

HuxPixelBlock ResidentTileSource::BlockAt(int32_t x, int32_t y)
{
    const int32_t index = cache_.TileIndexAt(x, y);
    HuxPixelBlock block = cache_.TileBlock(index);
    if (block.pixels == nullptr) {
        missed_ = true;
        block.pixels = standInPixels_;
        block.mask = cache_.HasMask() ? standInMask_ : nullptr;
    }
    return block;
}

const uint8_t* ResidentTileSource::OutsidePixel(int32_t x, int32_t y)
{
    int32_t index = -1;
    uint32_t offset = 0;
    cache_.OutsideSource(x, y, index, offset);
    if (index < 0)
        return cache_.EdgePixel();
    const HuxPixelBlock block = cache_.TileBlock(index);
    if (block.pixels == nullptr) {
        missed_ = true;
        return kStandInOutside;
    }
    return block.pixels + offset;
}
