// Renders a set of destination tiles through the grid on every thread of a
// worker pool, in two steps per chunk of tiles. First every thread maps
// pixel corners through the grid (no source needed) into a table per tile;
// from the corners alone follows which source tiles each part of a tile
// reads (SourceFootprint). Then the calling thread, the only one that talks
// to the host, loads what is read into the cache, part by part, while the
// other threads sample the parts already resident; nothing is mapped twice.
//
// How often a source tile is loaded, whatever the image's shape or the
// warp: when what a chunk reads fits into the cache, it is loaded once and
// the whole chunk sampled. Otherwise the chunk is swept window by window
// (SourceWindows), each part of a tile sampled while its window is loaded:
// a tile is loaded at most twice per chunk (four times when neither two
// rows nor two columns of tiles fit the cache). A pixel whose own reads
// span more than a window's overlap is gathered instead (GatheredSource):
// its reads are recorded, every tile of a batch of 65536 recorded positions
// loaded once, and the pixel sampled from the copies; once more per batch.
// The memory is the cache's budget, the chunk's corner tables and a batch.
//
// Chunks follow one another in a pipeline: while the calling thread loads
// what chunk k reads and then hands the band before it back to its caller,
// the other threads map and plan chunk k + 1 and then sample chunk k. So
// two chunks' corner tables are kept, and a banded render two bands'
// pixels.
//
// A pixel's bytes depend only on its corners and the source, and a corner
// only on its position and the grid: the same bytes for any thread count
// and any order.
#pragma once

#include "HuxLib/HUXUTIL/HuxWorkerPool.h"
#include "effect/CornerTable.h"
#include "effect/ReadPieces.h"
#include "grid/PSPlimGrid.h"
#include "host/HuxPSTileCache.h"
#include "warp/DestinationTile.h"
#include "warp/HuxPSNonLinearTextureMapper.h"
#include "warp/PixelFormatDispatch.h"
#include "warp/PSPlimGridMapping.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class PSPlimTileRender {
public:
    using Mode = TileRenderMode;

    explicit PSPlimTileRender(HuxWorkerPool& pool);
    PSPlimTileRender(const PSPlimTileRender&) = delete;
    PSPlimTileRender& operator=(const PSPlimTileRender&) = delete;

    // Output tiles a final render hands over at a time, for a cache of
    // `capacity` tiles: few enough that their reads mostly fit the cache
    // together, enough to share among the threads.
    static int32_t BandTiles(int32_t capacity, int threads);

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
    // copies carrying what the grid prepared for its lookups
    // (PSPlimGrid::PrepareLookup).
    LookupCounts Render(const HuxPSNonLinearTextureMapper& mapper, Mode mode, HuxPSTileCache& cache, PSPlimGrid& grid,
                        const HuxRect& rect, const std::vector<DestinationTile>& tiles);

    // Receives a band of rendered tiles (their pixels valid until it
    // returns); `firstTile` counts the tiles of the bands before it.
    using Delivery = std::function<void(int64_t firstTile, const std::vector<DestinationTile>& band)>;
    // Renders `rect` in tiles of `tileSize` pixels square, row by row,
    // BandTiles at a time, and hands the bands to `deliver` in order on
    // this thread, each while the next one is rendered. Besides Render's
    // memory, two bands' pixels.
    LookupCounts RenderBands(const HuxPSNonLinearTextureMapper& mapper, Mode mode, HuxPSTileCache& cache,
                             PSPlimGrid& grid, const HuxRect& rect, int32_t tileSize, const Delivery& deliver);

private:
    // Rows of one task, mapping or sampling: small enough that a chunk
    // shares out evenly among the threads, large enough that a task costs
    // little to hand out and that few boxes of a strip's last row are left
    // to the plan (measured: 16 rows gave about 3 % less on two threads).
    static constexpr int32_t kStripRows = 32;

    // What one thread renders with: a grid (the caller's own, or a copy)
    // and a mapping through it.
    struct Lane {
        std::unique_ptr<PSPlimGrid> copy;
        PSPlimGrid* grid = nullptr;
        std::unique_ptr<PSPlimGridMapping> mapping;
    };
    // Rows first .. end - 1 of a piece, or corner rows of a tile: one task.
    struct Strip {
        int32_t piece = 0;
        int32_t first = 0;
        int32_t end = 0;
    };
    // Tiles begin .. end - 1 of a band, mapped together: their corners,
    // each tile's reads, and the tasks that map them with their boxes.
    struct Chunk {
        const std::vector<DestinationTile>* tiles = nullptr;
        size_t begin = 0;
        size_t end = 0;
        int64_t firstTile = 0; // of the band, see Delivery
        bool endsBand = false;
        std::vector<CornerTable> tables; // tables[i] holds the corners of tile begin + i
        std::vector<HuxRect> reads;      // per table
        std::vector<Strip> mapTasks;
        std::vector<CornerBox> boxes;    // per map task
        std::atomic<size_t> mapped = 0;  // map tasks done
        std::vector<ReadPiece> pieces;   // in the order they are sampled, once all are mapped
    };
    // The bands to render: fills band `index` and says whether there is one.
    using BandSource = std::function<bool(int64_t index, std::vector<DestinationTile>& tiles)>;
    // Where the next chunk comes from.
    struct Cursor {
        int64_t band = -1;
        size_t next = 0;
        int64_t firstTile = 0;
    };

    LookupCounts RenderAll(const HuxPSNonLinearTextureMapper& mapper, Mode mode, HuxPSTileCache& cache,
                           PSPlimGrid& grid, const HuxRect& rect, const BandSource& bands, const Delivery& deliver);
    void PrepareLanes(PSPlimGrid& grid, const HuxRect& rect);
    // The chunk after `cursor` into `chunk`, its map tasks listed; false
    // when the bands are done.
    bool NextChunk(const BandSource& bands, Cursor& cursor, Chunk& chunk);
    // Tiles from `begin` whose corner tables fit the chunk's budget.
    static size_t ChunkEnd(const std::vector<DestinationTile>& tiles, size_t begin);
    // Maps the corner rows of one map task of `chunk`, and the box of its
    // pixel rows but the last.
    void MapStrip(Chunk& chunk, size_t task, int thread);
    // Once every map task is done: each tile's reads.
    void FinishMap(Chunk& chunk, const SourceFootprint& footprint);
    // The parts of the chunk's tiles in the order they are sampled.
    std::vector<ReadPiece> PlanChunk(const HuxPSTileCache& cache, const Chunk& chunk,
                                     const SourceFootprint& footprint);
    // The distinct source tiles that pieces first .. end - 1 read, sorted,
    // into `tiles`; false when they are more than the cache holds.
    bool UnionOf(const HuxPSTileCache& cache, const std::vector<ReadPiece>& pieces, size_t first, size_t end,
                 std::vector<int32_t>& tiles);
    // Samples pieces first .. end - 1 on every thread against what is
    // resident while this thread loads `load` (their reads, which fit the
    // cache together) piece by piece: a piece's strips start once its tiles
    // are in, and no load evicts a tile of `load`. Strips that read a tile
    // not resident go to `left`. Before those strips come `mapTasks` tasks
    // of `map`; after its loads this thread runs `then`.
    void SampleResident(HuxPSTileCache& cache, const Chunk& chunk, const std::vector<ReadPiece>& pieces,
                        size_t first, size_t end, const std::vector<int32_t>& load, std::vector<Strip>& left,
                        size_t mapTasks, const HuxWorkerPool::Task& map, const std::function<void()>& then);
    // Samples pieces first .. end - 1 on this thread a pixel at a time
    // through a GatheredSource, gathering every so many positions read.
    void SampleGathered(HuxPSTileCache& cache, const Chunk& chunk, const std::vector<ReadPiece>& pieces,
                        size_t first, size_t end);
    // Samples the pixels `area` of tile `tile` (an index into the chunk's
    // band).
    void SamplePart(HuxPixelSource& source, const Chunk& chunk, int32_t tile, const HuxRect& area) const;
    bool ReadsOwnPixels() const { return mode_ != Mode::Plain; }

    HuxWorkerPool& pool_;
    std::vector<std::unique_ptr<Lane>> lanes_;
    const HuxPSNonLinearTextureMapper* mapper_ = nullptr;
    Mode mode_ = Mode::Plain;
    double singleSquared_ = -1.0; // see CornerBox::AddRow
    Chunk chunks_[2];                        // the chunk sampled and the one mapped meanwhile
    // Bands in flight: the one delivered, the one sampled, the one mapped.
    std::vector<DestinationTile> bands_[3];
    std::vector<uint8_t> marks_;             // per source tile, for unions; all zero between uses
    std::vector<uint8_t> standInPixels_;
    std::vector<uint8_t> standInMask_;
};
