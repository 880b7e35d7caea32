#include "effect/GatheredSource.h"

#include <algorithm>
#include <stdexcept>

HuxPixelBlock GatheredSource::BlockAt(int32_t x, int32_t y)
{
    const int32_t tile = cache_.TileIndexAt(x, y);
    const HuxPixelBlock whole = cache_.TileBlock(tile);
    const uint32_t pixelBytes = uint32_t(cache_.Layout().PixelBytes());
    Pixel& pixel = PixelOf(tile, uint32_t(y - whole.top) * uint32_t(whole.rowBytes) + uint32_t(x - whole.left) * pixelBytes);
    HuxPixelBlock block;
    block.pixels = pixel.bytes;
    block.mask = cache_.HasMask() ? &pixel.mask : nullptr;
    block.rowBytes = int32_t(pixelBytes);
    block.maskRowBytes = 1;
    block.left = x;
    block.top = y;
    block.width = 1;
    block.height = 1;
    return block;
}

const uint8_t* GatheredSource::OutsidePixel(int32_t x, int32_t y)
{
    int32_t tile = -1;
    uint32_t offset = 0;
    cache_.OutsideSource(x, y, tile, offset);
    if (tile < 0)
        return cache_.EdgePixel();
    return PixelOf(tile, offset).bytes;
}

GatheredSource::Pixel& GatheredSource::PixelOf(int32_t tile, uint32_t offset)
{
    const uint64_t key = uint64_t(uint32_t(tile)) << 32 | offset;
    if (gathered_) {
        const auto found = slots_.find(key);
        if (found == slots_.end())
            throw std::logic_error("gathered source: a read that was not recorded");
        return pixels_[found->second];
    }
    slots_.emplace(key, uint32_t(slots_.size()));
    return standIn_;
}

void GatheredSource::Gather()
{
    std::vector<std::pair<uint64_t, uint32_t>> order(slots_.begin(), slots_.end());
    std::sort(order.begin(), order.end());
    pixels_.assign(order.size(), Pixel{});
    const uint32_t pixelBytes = uint32_t(std::min<int32_t>(cache_.Layout().PixelBytes(), sizeof(Pixel::bytes)));
    for (size_t i = 0; i < order.size();) {
        const int32_t tile = int32_t(order[i].first >> 32);
        cache_.LoadTile(tile);
        const HuxPixelBlock block = cache_.TileBlock(tile);
        for (; i < order.size() && int32_t(order[i].first >> 32) == tile; ++i) {
            const uint32_t offset = uint32_t(order[i].first);
            Pixel& pixel = pixels_[order[i].second];
            std::copy_n(block.pixels + offset, pixelBytes, pixel.bytes);
            if (block.mask != nullptr) {
                const uint32_t row = offset / uint32_t(block.rowBytes);
                const uint32_t column = offset % uint32_t(block.rowBytes) / pixelBytes;
                pixel.mask = block.mask[row * uint32_t(block.maskRowBytes) + column];
            }
        }
    }
    gathered_ = true;
}

void GatheredSource::Clear()
{
    slots_.clear();
    pixels_.clear();
    gathered_ = false;
}
