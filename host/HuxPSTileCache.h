// Source pixels of the host's filter rectangle, fetched on demand in fixed
// tiles at one sampling scale and held within a memory budget.
//
// All positions are cache coordinates: image coordinates divided by the
// scale. Tiles are loaded through the host's advanceState the first time one
// of their pixels is read; when the budget is full the tile loaded first is
// evicted (load order, not use order) and its buffers are reused.
#pragma once

#include "HuxLib/HuxGeometry/HuxRect.h"

#include <cstdint>
#include <memory>
#include <vector>

class HuxPSFilter;
namespace PS {
struct FilterRecord;
}

class HuxPSTileCache {
public:
    // How a position outside the scaled rectangle reads.
    enum EdgeMode : int32_t { kRepeatEdge = 0, kWrap = 1, kMirror = 2, kFixedColour = 3 };
    // Byte order of the pixels the cache hands out.
    enum ChannelOrder : int32_t { kHostOrder = 0, kSwappedOrder = 1 };

    HuxPSTileCache(HuxPSFilter* owner, int32_t scale);
    ~HuxPSTileCache();
    HuxPSTileCache(const HuxPSTileCache&) = delete;
    HuxPSTileCache& operator=(const HuxPSTileCache&) = delete;

    // Takes the filter rectangle from the owner's host record and lays out
    // the tiles; throws when the sizes cannot be represented.
    void Configure(int32_t tileWidth, int32_t tileHeight, int32_t channelOrder, bool hasMask, int32_t budget);
    // Colour is 0x00BBGGRR; the edge pixel is kept in the cache's channel order.
    void SetEdge(int32_t mode, uint32_t colour);

    // The pixel tile of `index`, loaded from the host when not resident. A
    // failed load leaves the tile unloaded and rethrows the host's failure.
    uint8_t* LoadTile(int32_t index);

    // Address of the 3 bytes at integer cache coordinates; outside the scaled
    // rectangle the edge mode decides.
    const uint8_t* PixelAt(int32_t x, int32_t y);
    // Selection mask byte at a position; 255 everywhere without a host mask,
    // 0 outside the scaled rectangle.
    uint8_t MaskAt(int32_t x, int32_t y);
    // Adds the bilinear weights (8-bit fractions, 65025 in all) of the four
    // pixels around (x, y) times their channels to the three sums.
    void AccumulateBilinear(double x, double y, int32_t& sum0, int32_t& sum1, int32_t& sum2);

    int32_t Scale() const { return scale_; }
    int32_t TileWidth() const { return tileWidth_; }
    int32_t TileHeight() const { return tileHeight_; }
    int32_t TilesAcross() const { return tilesAcross_; }
    int32_t TilesDown() const { return tilesDown_; }
    int32_t Capacity() const { return capacity_; }
    int32_t Budget() const { return budget_; }
    int32_t ChannelOrderValue() const { return channelOrder_; }
    bool HasMask() const { return hasMask_; }
    int32_t EdgeModeValue() const { return edgeMode_; }
    uint32_t EdgeColour() const { return edgeColour_; }
    const uint8_t* EdgePixel() const { return edgePixel_; }
    const HuxRect& SourceRect() const { return sourceRect_; }
    const HuxRect& ScaledRect() const { return scaledRect_; }

    bool IsResident(int32_t index) const { return pixelTiles_.at(size_t(index)) != nullptr; }
    // Resident tiles, oldest load first.
    const std::vector<int32_t>& LoadOrder() const { return loadOrder_; }
    // Successful tile loads since construction.
    int64_t LoadCount() const { return loadCount_; }

    // Values beyond this magnitude are clamped before any conversion to an
    // integer position, so that wild or non-finite sample positions stay
    // defined; they lie far outside any rectangle either way.
    static constexpr double kPositionLimit = 1073741824.0;

private:
    struct TileBuffers {
        uint8_t* pixels = nullptr;
        uint8_t* mask = nullptr;
    };

    // Tile index of an inside position given as offsets from the scaled
    // rectangle's top-left corner, and the byte offset of the pixel in it.
    int32_t TileIndexOf(uint32_t dx, uint32_t dy) const;
    uint32_t PixelOffsetOf(uint32_t dx, uint32_t dy) const;
    const uint8_t* InsidePixel(uint32_t dx, uint32_t dy);
    const uint8_t* OutsidePixel(int32_t x, int32_t y);
    void AccumulateFromTile(const uint8_t* p, uint32_t w00, uint32_t w10, uint32_t w01, uint32_t w11,
                            int32_t& sum0, int32_t& sum1, int32_t& sum2) const;

    // The host record of the current call; throws outside one.
    PS::FilterRecord& Record() const;
    TileBuffers AcquireBuffers();
    TileBuffers NewBuffers();
    // The tile's rectangle in scaled coordinates, cut to the scaled rectangle.
    HuxRect TileRect(int32_t index) const;
    void RequestTile(const HuxRect& in);
    void CopyTile(const HuxRect& in, const TileBuffers& buffers) const;
    void ForgetTile(int32_t index);

    HuxPSFilter* owner_;
    int32_t scale_;
    std::vector<uint8_t*> pixelTiles_;
    std::vector<uint8_t*> maskTiles_;
    int32_t tileWidth_ = 0;
    int32_t tileHeight_ = 0;
    int32_t bytesPerPixel_ = 3;
    int32_t tilesAcross_ = 0;
    int32_t tilesDown_ = 0;
    int32_t capacity_ = 0;
    std::vector<int32_t> loadOrder_; // reserved to the capacity: adding never allocates
    int32_t channelOrder_ = kHostOrder;
    bool hasMask_ = false;
    int32_t budget_ = 0;
    HuxRect sourceRect_{};
    HuxRect scaledRect_{};
    int32_t edgeMode_ = kRepeatEdge;
    uint32_t edgeColour_ = 0;
    uint8_t edgePixel_[3] = {0, 0, 0};

    // Derived once by Configure for the per-pixel addressing.
    uint32_t scaledWidth_ = 0;
    uint32_t scaledHeight_ = 0;
    int32_t tileShiftX_ = -1; // log2 of the tile width when it is a power of two
    int32_t tileShiftY_ = -1;
    // A tile buffer's rows: tileRowBytes_ / 3 pixels each (the tile width,
    // or the rectangle's width when narrower), tileRows_ of them.
    uint32_t tileRowBytes_ = 0;
    uint32_t tileRows_ = 0;

    // Every buffer ever allocated, freed with the cache; slots and the spare
    // list only point into these.
    std::vector<std::unique_ptr<uint8_t[]>> ownedBuffers_;
    // Buffers of tiles whose load failed, reused before anything is
    // allocated; reserved to the capacity like the load order.
    std::vector<TileBuffers> spareBuffers_;
    int64_t loadCount_ = 0;
};

// ---- Per-pixel reads, inline for the mapper's inner loops --------------------

inline int32_t HuxPSTileCache::TileIndexOf(uint32_t dx, uint32_t dy) const
{
    if (tileShiftX_ >= 0 && tileShiftY_ >= 0)
        return int32_t((dy >> tileShiftY_) * uint32_t(tilesAcross_) + (dx >> tileShiftX_));
    return int32_t((dy / uint32_t(tileHeight_)) * uint32_t(tilesAcross_) + dx / uint32_t(tileWidth_));
}

inline uint32_t HuxPSTileCache::PixelOffsetOf(uint32_t dx, uint32_t dy) const
{
    if (tileShiftX_ >= 0 && tileShiftY_ >= 0) {
        const uint32_t row = dy & ((1u << tileShiftY_) - 1);
        const uint32_t column = dx & ((1u << tileShiftX_) - 1);
        return row * tileRowBytes_ + column * 3;
    }
    return (dy % uint32_t(tileHeight_)) * tileRowBytes_ + (dx % uint32_t(tileWidth_)) * 3;
}

inline const uint8_t* HuxPSTileCache::InsidePixel(uint32_t dx, uint32_t dy)
{
    const int32_t index = TileIndexOf(dx, dy);
    const uint8_t* tile = pixelTiles_[size_t(index)];
    if (tile == nullptr)
        tile = LoadTile(index);
    return tile + PixelOffsetOf(dx, dy);
}

inline const uint8_t* HuxPSTileCache::PixelAt(int32_t x, int32_t y)
{
    // Unsigned offsets: a position left of or above the rectangle wraps to a
    // large value, so one comparison per axis tells inside from outside.
    const uint32_t dx = uint32_t(x) - uint32_t(scaledRect_.left);
    const uint32_t dy = uint32_t(y) - uint32_t(scaledRect_.top);
    if (dx < scaledWidth_ && dy < scaledHeight_)
        return InsidePixel(dx, dy);
    return OutsidePixel(x, y);
}

inline uint8_t HuxPSTileCache::MaskAt(int32_t x, int32_t y)
{
    if (!hasMask_)
        return 255;
    const uint32_t dx = uint32_t(x) - uint32_t(scaledRect_.left);
    const uint32_t dy = uint32_t(y) - uint32_t(scaledRect_.top);
    if (dx >= scaledWidth_ || dy >= scaledHeight_)
        return 0;
    const int32_t index = TileIndexOf(dx, dy);
    if (maskTiles_[size_t(index)] == nullptr)
        LoadTile(index);
    return maskTiles_[size_t(index)][PixelOffsetOf(dx, dy) / 3];
}

inline void HuxPSTileCache::AccumulateFromTile(const uint8_t* p, uint32_t w00, uint32_t w10, uint32_t w01,
                                               uint32_t w11, int32_t& sum0, int32_t& sum1, int32_t& sum2) const
{
    const uint8_t* below = p + tileRowBytes_;
    sum0 += int32_t(p[0] * w00 + p[3] * w10 + below[0] * w01 + below[3] * w11);
    sum1 += int32_t(p[1] * w00 + p[4] * w10 + below[1] * w01 + below[4] * w11);
    sum2 += int32_t(p[2] * w00 + p[5] * w10 + below[2] * w01 + below[5] * w11);
}

inline void HuxPSTileCache::AccumulateBilinear(double x, double y, int32_t& sum0, int32_t& sum1, int32_t& sum2)
{
    // NaN fails both comparisons of the first test and is treated as far left.
    if (!(x >= -kPositionLimit))
        x = -kPositionLimit;
    else if (x > kPositionLimit)
        x = kPositionLimit;
    if (!(y >= -kPositionLimit))
        y = -kPositionLimit;
    else if (y > kPositionLimit)
        y = kPositionLimit;

    // Floor by truncation and correction; exact for the clamped range.
    int32_t ix = int32_t(x);
    if (double(ix) > x)
        --ix;
    int32_t iy = int32_t(y);
    if (double(iy) > y)
        --iy;
    const uint32_t fx = uint32_t(255.0 * (x - double(ix)));
    const uint32_t fy = uint32_t(255.0 * (y - double(iy)));
    const uint32_t w00 = (255 - fx) * (255 - fy);
    const uint32_t w10 = fx * (255 - fy);
    const uint32_t w01 = (255 - fx) * fy;
    const uint32_t w11 = fx * fy;

    const uint32_t dx = uint32_t(ix) - uint32_t(scaledRect_.left);
    const uint32_t dy = uint32_t(iy) - uint32_t(scaledRect_.top);
    if (dx < scaledWidth_ && dx + 1 < scaledWidth_ && dy < scaledHeight_ && dy + 1 < scaledHeight_ &&
        TileIndexOf(dx, dy) == TileIndexOf(dx + 1, dy + 1)) {
        AccumulateFromTile(InsidePixel(dx, dy), w00, w10, w01, w11, sum0, sum1, sum2);
        return;
    }
    // Reads one at a time: each may load (and so evict) a tile.
    const uint32_t weights[4] = {w00, w10, w01, w11};
    const int32_t offsets[4][2] = {{0, 0}, {1, 0}, {0, 1}, {1, 1}};
    for (int k = 0; k < 4; ++k) {
        const uint8_t* p = PixelAt(ix + offsets[k][0], iy + offsets[k][1]);
        sum0 += int32_t(p[0] * weights[k]);
        sum1 += int32_t(p[1] * weights[k]);
        sum2 += int32_t(p[2] * weights[k]);
    }
}
