#include "effect/PSPlimTileRender.h"

#include "effect/GatheredSource.h"
#include "effect/ResidentTileSource.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <mutex>

namespace {

// Positions a GatheredSource collects before it loads them (and each of
// their tiles once): a few megabytes.
constexpr size_t kGatherPositions = size_t(1) << 16;

// Loads a rectangle of tiles (columns and rows), row by row.
void LoadTiles(HuxPSTileCache& cache, const HuxRect& tiles)
{
    for (int32_t row = tiles.top; row < tiles.bottom; ++row)
        for (int32_t column = tiles.left; column < tiles.right; ++column)
            cache.LoadTile(row * cache.TilesAcross() + column);
}

} // namespace

PSPlimTileRender::PSPlimTileRender(HuxWorkerPool& pool) : pool_(pool) {}

int32_t PSPlimTileRender::BandTiles(int32_t capacity, int threads)
{
    return std::max({capacity / 4, int32_t(threads) / 2, int32_t(1)});
}

PSPlimTileRender::LookupCounts PSPlimTileRender::Render(const HuxPSNonLinearTextureMapper& mapper, Mode mode,
                                                       HuxPSTileCache& cache, PSPlimGrid& grid,
                                                       const HuxRect& rect, const std::vector<DestinationTile>& tiles)
{
    const BandSource whole = [&](int64_t index, std::vector<DestinationTile>& band) {
        band = tiles;
        return index == 0;
    };
    return RenderAll(mapper, mode, cache, grid, rect, whole, {});
}

PSPlimTileRender::LookupCounts PSPlimTileRender::RenderBands(const HuxPSNonLinearTextureMapper& mapper, Mode mode,
                                                            HuxPSTileCache& cache, PSPlimGrid& grid,
                                                            const HuxRect& rect, int32_t tileSize,
                                                            const Delivery& deliver)
{
    // Tiles are counted and walked in 64 bits: a tile's far edge may pass
    // the largest coordinate before it is cut to the rectangle.
    const int64_t across = (int64_t(rect.Width()) + tileSize - 1) / tileSize;
    const int64_t tileCount = across * ((int64_t(rect.Height()) + tileSize - 1) / tileSize);
    const int64_t bandTiles = BandTiles(cache.Capacity(), pool_.ThreadCount());
    const size_t tileBytes = size_t(tileSize) * size_t(tileSize) * size_t(cache.Layout().PixelBytes());
    // Band k is sampled into buffer k % 2 while band k - 1 is delivered.
    // Left unwritten, as every pixel is sampled before it is delivered.
    std::unique_ptr<uint8_t[]> buffers[2];
    const BandSource bands = [&](int64_t index, std::vector<DestinationTile>& band) {
        const int64_t first = index * bandTiles;
        if (first >= tileCount)
            return false;
        std::unique_ptr<uint8_t[]>& buffer = buffers[index % 2];
        if (!buffer)
            buffer.reset(new uint8_t[size_t(bandTiles) * tileBytes]);
        band.clear();
        for (int64_t k = first; k < std::min(first + bandTiles, tileCount); ++k) {
            const int64_t x0 = rect.left + k % across * tileSize;
            const int64_t y0 = rect.top + k / across * tileSize;
            DestinationTile tile;
            tile.data = buffer.get() + size_t(k - first) * tileBytes;
            tile.left = int32_t(x0);
            tile.top = int32_t(y0);
            tile.right = int32_t(std::min<int64_t>(x0 + tileSize, rect.right));
            tile.bottom = int32_t(std::min<int64_t>(y0 + tileSize, rect.bottom));
            tile.rowStride = tile.Width() * cache.Layout().PixelBytes();
            band.push_back(tile);
        }
        return true;
    };
    return RenderAll(mapper, mode, cache, grid, rect, bands, deliver);
}

PSPlimTileRender::LookupCounts PSPlimTileRender::RenderAll(const HuxPSNonLinearTextureMapper& mapper, Mode mode,
                                                          HuxPSTileCache& cache, PSPlimGrid& grid,
                                                          const HuxRect& rect, const BandSource& bands,
                                                          const Delivery& deliver)
{
    mapper_ = &mapper;
    mode_ = mode;
    singleSquared_ = SingleSampleSquared(mapper.SampleDensity(), mapper.SampleCountBias());
    PrepareLanes(grid, rect);
    const size_t tileBytes = size_t(cache.TileWidth()) * size_t(cache.TileHeight());
    standInPixels_.resize(tileBytes * size_t(cache.Layout().PixelBytes()));
    standInMask_.assign(tileBytes, 0xFF);
    marks_.assign(size_t(cache.TilesAcross()) * size_t(cache.TilesDown()), 0);
    const SourceFootprint footprint(cache);

    // Whoever maps a chunk's last strip works out its reads and plans it.
    const auto mapStrip = [&](Chunk& chunk, size_t task, int thread) {
        MapStrip(chunk, task, thread);
        if (chunk.mapped.fetch_add(1, std::memory_order_acq_rel) + 1 == chunk.mapTasks.size()) {
            FinishMap(chunk, footprint);
            chunk.pieces = PlanChunk(cache, chunk, footprint);
        }
    };
    Cursor cursor;
    Chunk* current = &chunks_[0];
    Chunk* ahead = &chunks_[1];
    bool more = NextChunk(bands, cursor, *current);
    if (more) {
        pool_.Run(int32_t(current->mapTasks.size()),
                  [&](int32_t task, int thread) { mapStrip(*current, size_t(task), thread); });
    }
    // A band rendered whole goes back while the next chunk is sampled.
    const std::vector<DestinationTile>* undelivered = nullptr;
    int64_t undeliveredFirst = 0;
    const auto deliverWaiting = [&] {
        if (undelivered && deliver)
            deliver(undeliveredFirst, *undelivered);
        undelivered = nullptr;
    };
    std::vector<int32_t> load;
    std::vector<Strip> left;
    while (more) {
        const std::vector<ReadPiece>& pieces = current->pieces;
        more = NextChunk(bands, cursor, *ahead);
        const auto mapAhead = [&](int32_t task, int thread) { mapStrip(*ahead, size_t(task), thread); };
        left.clear();
        // The first window also maps the next chunk and delivers the band
        // before, even when no piece fits a window.
        size_t first = 0;
        bool firstWindow = true;
        do {
            size_t last = first;
            if (first < pieces.size() && pieces[first].window != SourceWindows::kNone) {
                ++last;
                while (last < pieces.size() && pieces[last].window == pieces[first].window)
                    ++last;
            }
            UnionOf(cache, pieces, first, last, load);
            if (firstWindow)
                SampleResident(cache, *current, pieces, first, last, load, left, more ? ahead->mapTasks.size() : 0,
                               mapAhead, deliverWaiting);
            else
                SampleResident(cache, *current, pieces, first, last, load, left, 0, {}, {});
            firstWindow = false;
            first = last;
        } while (first < pieces.size() && pieces[first].window != SourceWindows::kNone);
        // Never expected: a strip that read a tile that was not loaded.
        for (const Strip& strip : left) {
            const HuxRect& area = pieces[size_t(strip.piece)].area;
            SamplePart(cache, *current, pieces[size_t(strip.piece)].tile,
                       {area.left, strip.first, area.right, strip.end});
        }
        SampleGathered(cache, *current, pieces, first, pieces.size());
        if (current->endsBand) {
            undelivered = current->tiles;
            undeliveredFirst = current->firstTile;
        }
        std::swap(current, ahead);
    }
    deliverWaiting();
    LookupCounts counts;
    for (const std::unique_ptr<Lane>& lane : lanes_) {
        counts.lookups += lane->grid->LookupCounter();
        counts.failedTests += lane->grid->FailedTestCounter();
    }
    return counts;
}

void PSPlimTileRender::PrepareLanes(PSPlimGrid& grid, const HuxRect& rect)
{
    lanes_.resize(size_t(pool_.ThreadCount()));
    for (std::unique_ptr<Lane>& lane : lanes_) {
        if (!lane)
            lane = std::make_unique<Lane>();
    }
    const auto prepare = [&](Lane& lane, PSPlimGrid& laneGrid) {
        lane.grid = &laneGrid;
        lane.grid->ClearCounters();
        lane.mapping = std::make_unique<PSPlimGridMapping>(laneGrid);
        lane.mapping->SetRectangle(rect);
    };
    prepare(*lanes_[0], grid);
    if (lanes_.size() == 1)
        return;
    // What every lookup needs from the whole grid is worked out once, not
    // per thread; the copies are made on the threads, the grid unchanged.
    grid.PrepareLookup();
    pool_.Run(int32_t(lanes_.size() - 1), [&](int32_t task, int) {
        Lane& lane = *lanes_[size_t(task) + 1];
        lane.copy = std::make_unique<PSPlimGrid>(grid, PSPlimGrid::WithLookup{});
        prepare(lane, *lane.copy);
    });
}

void PSPlimTileRender::SampleResident(HuxPSTileCache& cache, const Chunk& chunk,
                                      const std::vector<ReadPiece>& pieces, size_t first, size_t end,
                                      const std::vector<int32_t>& load, std::vector<Strip>& left,
                                      size_t mapTasks, const HuxWorkerPool::Task& map,
                                      const std::function<void()>& then)
{
    std::vector<Strip> tasks;
    for (size_t p = first; p < end; ++p) {
        const HuxRect& area = pieces[p].area;
        for (int32_t row = area.top; row < area.bottom; row += kStripRows)
            tasks.push_back({int32_t(p), row, std::min(row + kStripRows, area.bottom)});
    }
    std::vector<ResidentTileSource> sources;
    sources.reserve(lanes_.size());
    for (size_t i = 0; i < lanes_.size(); ++i)
        sources.emplace_back(cache, standInPixels_.data(), standInMask_.data());
    // Pieces first .. ready - 1 have their tiles resident; guarded by
    // `mutex`, as is `abandoned` (the loads failed).
    std::mutex mutex;
    std::condition_variable loaded;
    size_t ready = first;
    bool abandoned = false;
    const auto loadPieces = [&] {
        try {
            cache.KeepTogether(load);
            for (size_t p = first; p < end; ++p) {
                LoadTiles(cache, pieces[p].reads);
                std::lock_guard lock(mutex);
                ready = p + 1;
                loaded.notify_all();
            }
            if (then)
                then();
        } catch (...) {
            std::lock_guard lock(mutex);
            abandoned = true;
            loaded.notify_all();
            throw;
        }
    };
    std::vector<uint8_t> missed(tasks.size(), 0);
    // The mapping first: it needs nothing loaded.
    pool_.Run(int32_t(mapTasks + tasks.size()), [&](int32_t index, int thread) {
        if (size_t(index) < mapTasks) {
            map(index, thread);
            return;
        }
        const size_t task = size_t(index) - mapTasks;
        const Strip& strip = tasks[task];
        {
            std::unique_lock lock(mutex);
            loaded.wait(lock, [&] { return ready > size_t(strip.piece) || abandoned; });
            if (abandoned)
                return;
        }
        ResidentTileSource& source = sources[size_t(thread)];
        source.ForgetMisses();
        const ReadPiece& piece = pieces[size_t(strip.piece)];
        SamplePart(source, chunk, piece.tile, {piece.area.left, strip.first, piece.area.right, strip.end});
        missed[task] = source.Missed() ? 1 : 0;
    }, loadPieces);
    for (size_t task = 0; task < tasks.size(); ++task) {
        if (missed[task])
            left.push_back(tasks[task]);
    }
}

void PSPlimTileRender::SampleGathered(HuxPSTileCache& cache, const Chunk& chunk,
                                      const std::vector<ReadPiece>& pieces, size_t first, size_t end)
{
    GatheredSource source(cache);
    std::vector<std::pair<int32_t, HuxPointI>> batch; // tile, pixel
    const auto replay = [&] {
        source.Gather();
        for (const auto& [tile, at] : batch)
            SamplePart(source, chunk, tile, {at.x, at.y, at.x + 1, at.y + 1});
        source.Clear();
        batch.clear();
    };
    for (size_t p = first; p < end; ++p) {
        const HuxRect& area = pieces[p].area;
        for (int32_t y = area.top; y < area.bottom; ++y) {
            for (int32_t x = area.left; x < area.right; ++x) {
                SamplePart(source, chunk, pieces[p].tile, {x, y, x + 1, y + 1});
                batch.push_back({pieces[p].tile, {x, y}});
                if (source.Recorded() >= kGatherPositions)
                    replay();
            }
        }
    }
    if (!batch.empty())
        replay();
}

void PSPlimTileRender::SamplePart(HuxPixelSource& source, const Chunk& chunk, int32_t tile,
                                  const HuxRect& area) const
{
    const DestinationTile& whole = (*chunk.tiles)[size_t(tile)];
    DestinationTile part = whole;
    part.left = area.left;
    part.right = area.right;
    part.top = area.top;
    part.bottom = area.bottom;
    part.data = whole.data + ptrdiff_t(area.top - whole.top) * whole.rowStride +
                ptrdiff_t(area.left - whole.left) * source.Layout().PixelBytes();
    const CornerTable& table = chunk.tables[size_t(tile) - chunk.begin];
    RenderTileInSourceFormat(*mapper_, mode_, source, part, table);
}
