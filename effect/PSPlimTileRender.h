// Renders a set of destination tiles through the grid on every thread of a
// worker pool. Everything that reaches the host happens on the calling
// thread (the host's): it loads source tiles into the cache, and the workers
// only read what is resident. Tiles go in runs whose own area of the source,
// and the ring of source tiles around it, the cache holds at once; that is
// loaded first. A tile that needed a
// tile not yet loaded is rendered again after the caller has loaded it; what
// the cache cannot hold at once is rendered on the caller alone, loading as
// it goes. So the memory is the cache's budget whatever the image's size.
//
// Each tile starts its lookups from the same grid cell on a grid of its
// thread's own, so a tile's pixels never depend on which thread rendered it
// or on what that thread rendered before: the same bytes for any thread
// count and any order.
#pragma once

#include "HuxLib/HUXUTIL/HuxWorkerPool.h"
#include "effect/ResidentTileSource.h"
#include "grid/PSPlimGrid.h"
#include "host/HuxPSTileCache.h"
#include "warp/DestinationTile.h"
#include "warp/HuxPSNonLinearTextureMapper.h"
#include "warp/PixelFormatDispatch.h"
#include "warp/PSPlimGridMapping.h"

#include <cstdint>
#include <memory>
#include <vector>

class PSPlimTileRender {
public:
    using Mode = TileRenderMode;

    explicit PSPlimTileRender(HuxWorkerPool& pool);
    PSPlimTileRender(const PSPlimTileRender&) = delete;
    PSPlimTileRender& operator=(const PSPlimTileRender&) = delete;

    HuxWorkerPool& Pool() const { return pool_; }

    // The grid lookups of a render and their failed triangle tests, on all
    // threads together.
    struct LookupCounts {
        int64_t lookups = 0;
        int64_t failedTests = 0;
    };

    // Fills every tile (they must not overlap) from the cache through the
    // grid, for a render of `rect` (cache coordinates, see
    // PSPlimGridMapping::SetRectangle). The calling thread looks up in the
    // grid itself (its lookup state and counters change), the others in
    // copies.
    LookupCounts Render(const HuxPSNonLinearTextureMapper& mapper, Mode mode, HuxPSTileCache& cache, PSPlimGrid& grid,
                const HuxRect& rect, const std::vector<DestinationTile>& tiles);

private:
    // What one thread renders with: a grid (the caller's own, or a copy)
    // and a mapping through it.
    struct Lane {
        PSPlimGrid copy;
        PSPlimGrid* grid = nullptr;
        std::unique_ptr<PSPlimGridMapping> mapping;
    };

    void PrepareLanes(PSPlimGrid& grid, const HuxRect& rect);
    void RenderTile(Lane& lane, HuxPixelSource& source, const DestinationTile& tile) const;
    // The source tiles under a destination tile and around it, in order.
    static std::vector<int32_t> SourceTilesUnder(const HuxPSTileCache& cache, const DestinationTile& tile);
    // Loads the tiles, at most as many as the cache holds.
    static void Load(HuxPSTileCache& cache, const std::vector<int32_t>& sortedTiles);
    // Renders `pending` on every thread against what is resident; returns
    // the tiles that missed, in order, and loads what they missed.
    std::vector<int32_t> RenderResident(HuxPSTileCache& cache, const std::vector<DestinationTile>& tiles,
                                        const std::vector<int32_t>& pending);

    HuxWorkerPool& pool_;
    std::vector<std::unique_ptr<Lane>> lanes_;
    const HuxPSNonLinearTextureMapper* mapper_ = nullptr;
    Mode mode_ = Mode::Plain;
    std::vector<uint8_t> standInPixels_;
    std::vector<uint8_t> standInMask_;
};
