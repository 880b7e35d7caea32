#include "effect/PSPlimTileRender.h"

#include <algorithm>
#include <climits>
#include <iterator>

namespace {

// Rounds against what is resident before the rest goes to the caller alone:
// the first finds what a set of tiles needs, the second renders them once
// that is loaded, unless it did not fit into the cache.
constexpr int kResidentRounds = 2;

} // namespace

PSPlimTileRender::PSPlimTileRender(HuxWorkerPool& pool) : pool_(pool) {}

PSPlimTileRender::LookupCounts PSPlimTileRender::Render(const HuxPSNonLinearTextureMapper& mapper, Mode mode,
                                                       HuxPSTileCache& cache, PSPlimGrid& grid,
                                                       const HuxRect& rect, const std::vector<DestinationTile>& tiles)
{
    mapper_ = &mapper;
    mode_ = mode;
    PrepareLanes(grid, rect);
    std::vector<int32_t> pending;
    if (pool_.ThreadCount() > 1 && tiles.size() > 1) {
        const size_t tilePixels = size_t(cache.TileWidth()) * size_t(cache.TileHeight());
        standInPixels_.resize(tilePixels * size_t(cache.Layout().PixelBytes()));
        standInMask_.assign(tilePixels, 0xFF);
        // Runs of tiles whose own area of the source the cache holds at once.
        for (size_t begin = 0; begin < tiles.size();) {
            std::vector<int32_t> under = SourceTilesUnder(cache, tiles[begin]);
            size_t end = begin + 1;
            for (; end < tiles.size(); ++end) {
                std::vector<int32_t> more = SourceTilesUnder(cache, tiles[end]);
                std::vector<int32_t> both;
                std::set_union(under.begin(), under.end(), more.begin(), more.end(), std::back_inserter(both));
                if (both.size() > size_t(cache.Capacity()))
                    break;
                under = std::move(both);
            }
            Load(cache, under);
            std::vector<int32_t> run;
            for (size_t i = begin; i < end; ++i)
                run.push_back(int32_t(i));
            for (int round = 0; round < kResidentRounds && !run.empty(); ++round)
                run = RenderResident(cache, tiles, run);
            pending.insert(pending.end(), run.begin(), run.end());
            begin = end;
        }
    } else {
        for (int32_t i = 0; i < int32_t(tiles.size()); ++i)
            pending.push_back(i);
    }
    for (const int32_t i : pending)
        RenderTile(*lanes_[0], cache, tiles[size_t(i)]);
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
    for (size_t i = 0; i < lanes_.size(); ++i) {
        if (!lanes_[i])
            lanes_[i] = std::make_unique<Lane>();
        Lane& lane = *lanes_[i];
        if (i == 0) {
            lane.grid = &grid;
        } else {
            lane.copy = grid;
            lane.grid = &lane.copy;
        }
        lane.grid->ClearCounters();
        lane.mapping = std::make_unique<PSPlimGridMapping>(*lane.grid);
        lane.mapping->SetRectangle(rect);
    }
}

void PSPlimTileRender::RenderTile(Lane& lane, HuxPixelSource& source, const DestinationTile& tile) const
{
    lane.grid->SetLookupState(0, 0, false);
    RenderTileInSourceFormat(*mapper_, mode_, source, tile, *lane.mapping);
}

std::vector<int32_t> PSPlimTileRender::SourceTilesUnder(const HuxPSTileCache& cache, const DestinationTile& tile)
{
    std::vector<int32_t> under;
    // A warp mostly reads near the pixel it fills: the ring of source tiles
    // around the tile's own area too, so that few tiles are rendered twice.
    const int32_t w = cache.TileWidth(), h = cache.TileHeight();
    const HuxRect around{int32_t(std::max<int64_t>(int64_t(tile.left) - w, INT32_MIN)),
                         int32_t(std::max<int64_t>(int64_t(tile.top) - h, INT32_MIN)),
                         int32_t(std::min<int64_t>(int64_t(tile.right) + w, INT32_MAX)),
                         int32_t(std::min<int64_t>(int64_t(tile.bottom) + h, INT32_MAX))};
    const HuxRect area = HuxRectIntersect(around, cache.Bounds());
    if (area.IsEmpty())
        return under;
    const int32_t first = cache.TileIndexAt(area.left, area.top);
    const int32_t last = cache.TileIndexAt(area.right - 1, area.bottom - 1);
    const int32_t across = cache.TilesAcross();
    for (int32_t row = first / across; row <= last / across; ++row) {
        for (int32_t column = first % across; column <= last % across; ++column)
            under.push_back(row * across + column);
    }
    return under;
}

// Loads beyond the capacity would only evict what the others need.
void PSPlimTileRender::Load(HuxPSTileCache& cache, const std::vector<int32_t>& sortedTiles)
{
    const size_t count = std::min(sortedTiles.size(), size_t(cache.Capacity()));
    for (size_t i = 0; i < count; ++i)
        cache.LoadTile(sortedTiles[i]);
}

std::vector<int32_t> PSPlimTileRender::RenderResident(HuxPSTileCache& cache, const std::vector<DestinationTile>& tiles,
                                                      const std::vector<int32_t>& pending)
{
    std::vector<ResidentTileSource> sources;
    sources.reserve(lanes_.size());
    for (size_t i = 0; i < lanes_.size(); ++i)
        sources.emplace_back(cache, standInPixels_.data(), standInMask_.data());
    std::vector<uint8_t> missed(pending.size(), 0);
    std::vector<std::vector<int32_t>> missedTiles(lanes_.size());
    pool_.Run(int32_t(pending.size()), [&](int32_t task, int thread) {
        ResidentTileSource& source = sources[size_t(thread)];
        source.ForgetMisses();
        RenderTile(*lanes_[size_t(thread)], source, tiles[size_t(pending[size_t(task)])]);
        if (source.Missed()) {
            missed[size_t(task)] = 1;
            std::vector<int32_t>& into = missedTiles[size_t(thread)];
            into.insert(into.end(), source.MissedTiles().begin(), source.MissedTiles().end());
        }
    });

    std::vector<int32_t> again;
    for (size_t task = 0; task < pending.size(); ++task) {
        if (missed[task])
            again.push_back(pending[task]);
    }
    std::vector<int32_t> load;
    for (const std::vector<int32_t>& list : missedTiles)
        load.insert(load.end(), list.begin(), list.end());
    std::sort(load.begin(), load.end());
    load.erase(std::unique(load.begin(), load.end()), load.end());
    Load(cache, load);
    return again;
}
