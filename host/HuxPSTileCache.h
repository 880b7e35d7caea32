// Source pixels of the host's filter rectangle, fetched on demand in fixed
// tiles at one sampling scale and held within a memory budget.
//
// All positions are cache coordinates: image coordinates divided by the
// scale. Tiles are loaded through the host's advanceState the first time one
// of their pixels is read; when the budget is full the tile loaded first is
// evicted (load order, not use order; LoadTogether renews what it keeps) and
// its buffers are reused. As a
// pixel source, each tile is one block.
//
// Pixels are held as the warp reads them: in host order, the document's
// own planes (HuxPSWarpLayout); swapped, as the screen shows them
// (HuxPSDisplayLayout: blue-green-red, the only swap an 8-bit RGB image
// needs).
#pragma once

#include "HuxLib/HUXIMAGE/HuxPixelSource.h"
#include "HuxLib/HuxGeometry/HuxRect.h"
#include "host/HuxPSDocument.h"

#include <cstdint>
#include <memory>
#include <vector>

class HuxPSFilter;
namespace PS {
struct FilterRecord;
}

class HuxPSTileCache final : public HuxPixelSource {
public:
    // How a position outside the scaled rectangle reads.
    // kTransparent reads as a fixed colour with every sample 0.
    enum EdgeMode : int32_t { kRepeatEdge = 0, kWrap = 1, kMirror = 2, kFixedColour = 3, kTransparent = 4 };
    // Byte order of the pixels the cache hands out.
    enum ChannelOrder : int32_t { kHostOrder = 0, kSwappedOrder = 1 };

    HuxPSTileCache(HuxPSFilter* owner, int32_t scale);
    ~HuxPSTileCache() override;
    HuxPSTileCache(const HuxPSTileCache&) = delete;
    HuxPSTileCache& operator=(const HuxPSTileCache&) = delete;

    // Takes the filter rectangle from the owner's host record and lays out
    // the tiles for the document's pixels; throws when the sizes cannot be
    // represented.
    void Configure(int32_t tileWidth, int32_t tileHeight, int32_t channelOrder, bool hasMask, int32_t budget,
                   const HuxPSDocument& document = kHuxPSFlatRgb8);
    // Colour is 0x00BBGGRR; the edge pixel is kept in the cache's layout
    // (HuxPSDocumentColour in host order), opaque.
    void SetEdge(int32_t mode, uint32_t colour);

    // The pixel tile of `index`, loaded from the host when not resident. A
    // failed load leaves the tile unloaded and rethrows the host's failure.
    uint8_t* LoadTile(int32_t index);
    // Makes every listed tile resident at once (at most Capacity() of them,
    // no repeats): those already resident count as loaded last, so that
    // loading the others evicts only tiles outside the list.
    void LoadTogether(const std::vector<int32_t>& tiles);
    // LoadTogether's first step: the listed tiles that are resident count as
    // loaded last, so that loading any of the others (LoadTile) evicts none
    // of the list, and no pointer to a listed tile changes but that of the
    // tile loaded.
    void KeepTogether(const std::vector<int32_t>& tiles);

    // ---- The pixel source, in cache coordinates -------------------------
    // The scaled rectangle.
    HuxRect Bounds() const override { return scaledRect_; }
    // The tile holding (x, y), loaded when not resident.
    HuxPixelBlock BlockAt(int32_t x, int32_t y) override;
    // Outside the scaled rectangle the edge mode decides.
    const uint8_t* OutsidePixel(int32_t x, int32_t y) override;
    // Without a host mask every pixel is selected.
    bool HasMask() const override { return hasMask_; }
    bool SwapsRedAndBlue() const override { return channelOrder_ == kSwappedOrder; }
    HuxPixelLayout Layout() const override { return layout_; }

    // ---- Reading without loading --------------------------------------
    // For renders on other threads while the owner's thread loads nothing:
    // these only read, and any number of threads may call them at once.
    // The tile holding an inside position.
    int32_t TileIndexAt(int32_t x, int32_t y) const;
    // Tile `index` as BlockAt hands it out; null pixels and mask when the
    // tile is not resident.
    HuxPixelBlock TileBlock(int32_t index) const;
    // The tile and byte offset an outside position reads by the edge mode;
    // index -1 for the fixed colour (EdgePixel()).
    void OutsideSource(int32_t x, int32_t y, int32_t& index, uint32_t& offset) const;

    int32_t Scale() const { return scale_; }
    int32_t TileWidth() const { return tileWidth_; }
    int32_t TileHeight() const { return tileHeight_; }
    int32_t TilesAcross() const { return tilesAcross_; }
    int32_t TilesDown() const { return tilesDown_; }
    int32_t Capacity() const { return capacity_; }
    int32_t Budget() const { return budget_; }
    int32_t ChannelOrderValue() const { return channelOrder_; }
    int32_t EdgeModeValue() const { return edgeMode_; }
    uint32_t EdgeColour() const { return edgeColour_; }
    const uint8_t* EdgePixel() const { return edgePixel_; }
    const HuxPSDocument& Document() const { return document_; }
    const HuxRect& SourceRect() const { return sourceRect_; }
    const HuxRect& ScaledRect() const { return scaledRect_; }

    bool IsResident(int32_t index) const { return pixelTiles_.at(size_t(index)) != nullptr; }
    // Resident tiles, oldest load first.
    const std::vector<int32_t>& LoadOrder() const { return loadOrder_; }
    // Successful tile loads since construction.
    int64_t LoadCount() const { return loadCount_; }

private:
    struct TileBuffers {
        uint8_t* pixels = nullptr;
        uint8_t* mask = nullptr;
    };

    // Tile index of an inside position given as offsets from the scaled
    // rectangle's top-left corner, and the byte offset of the pixel in it.
    int32_t TileIndexOf(uint32_t dx, uint32_t dy) const;
    uint32_t PixelOffsetOf(uint32_t dx, uint32_t dy) const;

    // The host record of the current call; throws outside one.
    PS::FilterRecord& Record() const;
    TileBuffers AcquireBuffers();
    TileBuffers NewBuffers();
    // The tile's rectangle in scaled coordinates, cut to the scaled rectangle.
    HuxRect TileRect(int32_t index) const;
    void RequestTile(const HuxRect& in);
    void CopyTile(const HuxRect& in, const TileBuffers& buffers) const;
    void ForgetTile(int32_t index);
    void StoreEdgePixel(const uint32_t colour[4]);

    HuxPSFilter* owner_;
    int32_t scale_;
    std::vector<uint8_t*> pixelTiles_;
    std::vector<uint8_t*> maskTiles_;
    int32_t tileWidth_ = 0;
    int32_t tileHeight_ = 0;
    HuxPSDocument document_ = kHuxPSFlatRgb8;
    HuxPixelLayout layout_;
    int32_t bytesPerPixel_ = 3;
    int16_t requestedPlanes_ = 3;
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
    alignas(8) uint8_t edgePixel_[kHuxLargestPixelBytes] = {};

    // Derived once by Configure for the addressing.
    uint32_t scaledWidth_ = 0;
    uint32_t scaledHeight_ = 0;
    int32_t tileShiftX_ = -1; // log2 of the tile width when it is a power of two
    int32_t tileShiftY_ = -1;
    // A tile buffer's rows: tileColumns_ pixels each (the tile width, or
    // the rectangle's width when narrower), tileRows_ of them.
    uint32_t tileColumns_ = 0;
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
