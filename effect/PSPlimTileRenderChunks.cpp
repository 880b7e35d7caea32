// The chunks of a render: which tiles are mapped together, the tasks that
// map them, and, once they are mapped, what each tile reads and in which
// parts it is sampled.
#include "effect/PSPlimTileRender.h"

#include <algorithm>

namespace {

// Corners a chunk's tables hold at most (16 bytes each), unless one tile
// alone has more.
constexpr size_t kChunkCorners = size_t(1) << 18;

size_t CornerCount(const DestinationTile& tile)
{
    return (size_t(std::max(tile.Width(), 0)) + 1) * (size_t(std::max(tile.Height(), 0)) + 1);
}

} // namespace

bool PSPlimTileRender::NextChunk(const BandSource& bands, Cursor& cursor, Chunk& chunk)
{
    while (cursor.band < 0 || cursor.next == bands_[cursor.band % 3].size()) {
        if (cursor.band >= 0)
            cursor.firstTile += int64_t(bands_[cursor.band % 3].size());
        ++cursor.band;
        cursor.next = 0;
        if (!bands(cursor.band, bands_[cursor.band % 3]))
            return false;
    }
    const std::vector<DestinationTile>& tiles = bands_[cursor.band % 3];
    chunk.tiles = &tiles;
    chunk.begin = cursor.next;
    chunk.end = ChunkEnd(tiles, chunk.begin);
    chunk.firstTile = cursor.firstTile;
    chunk.endsBand = chunk.end == tiles.size();
    cursor.next = chunk.end;

    if (chunk.tables.size() < chunk.end - chunk.begin)
        chunk.tables.resize(chunk.end - chunk.begin);
    chunk.mapTasks.clear();
    for (size_t i = chunk.begin; i < chunk.end; ++i) {
        chunk.tables[i - chunk.begin].Reset(tiles[i]);
        const int32_t rows = std::max(tiles[i].Height(), 0) + 1;
        for (int32_t row = 0; row < rows; row += kStripRows)
            chunk.mapTasks.push_back({int32_t(i), row, std::min(row + kStripRows, rows)});
    }
    chunk.boxes.assign(chunk.mapTasks.size(), CornerBox{});
    chunk.mapped = 0;
    return true;
}

size_t PSPlimTileRender::ChunkEnd(const std::vector<DestinationTile>& tiles, size_t begin)
{
    size_t corners = CornerCount(tiles[begin]);
    size_t end = begin + 1;
    while (end < tiles.size() && corners + CornerCount(tiles[end]) <= kChunkCorners)
        corners += CornerCount(tiles[end++]);
    return end;
}

void PSPlimTileRender::MapStrip(Chunk& chunk, size_t task, int thread)
{
    const Strip& strip = chunk.mapTasks[task];
    CornerTable& table = chunk.tables[size_t(strip.piece) - chunk.begin];
    table.MapRows(*lanes_[size_t(thread)]->mapping, strip.first, strip.end);
    chunk.boxes[task] = table.Box(0, std::max((*chunk.tiles)[size_t(strip.piece)].Width(), 0), strip.first,
                                  strip.end - 1, singleSquared_);
}

void PSPlimTileRender::FinishMap(Chunk& chunk, const SourceFootprint& footprint)
{
    // A strip's last pixel row needs the corner row below it, which another
    // task may have mapped.
    const std::vector<DestinationTile>& tiles = *chunk.tiles;
    std::vector<CornerBox> tileBoxes(chunk.end - chunk.begin);
    for (size_t task = 0; task < chunk.mapTasks.size(); ++task) {
        const Strip& strip = chunk.mapTasks[task];
        const DestinationTile& tile = tiles[size_t(strip.piece)];
        const size_t index = size_t(strip.piece) - chunk.begin;
        if (strip.end - 1 < std::max(tile.Height(), 0))
            chunk.boxes[task].Add(chunk.tables[index].Box(0, std::max(tile.Width(), 0), strip.end - 1, strip.end,
                                                          singleSquared_));
        tileBoxes[index].Add(chunk.boxes[task]);
    }
    chunk.reads.assign(chunk.end - chunk.begin, HuxRect{});
    for (size_t i = chunk.begin; i < chunk.end; ++i) {
        const DestinationTile& tile = tiles[i];
        chunk.reads[i - chunk.begin] = AreaReads(tileBoxes[i - chunk.begin],
                                                 {tile.left, tile.top, tile.right, tile.bottom}, ReadsOwnPixels(),
                                                 footprint);
    }
}

std::vector<ReadPiece> PSPlimTileRender::PlanChunk(const HuxPSTileCache& cache, const Chunk& chunk,
                                                   const SourceFootprint& footprint)
{
    const std::vector<DestinationTile>& tiles = *chunk.tiles;
    std::vector<ReadPiece> pieces;
    for (size_t i = chunk.begin; i < chunk.end; ++i) {
        const DestinationTile& tile = tiles[i];
        pieces.push_back(
            {int32_t(i), {tile.left, tile.top, tile.right, tile.bottom}, chunk.reads[i - chunk.begin], 0});
    }
    std::vector<int32_t> all;
    if (UnionOf(cache, pieces, 0, pieces.size(), all))
        return pieces;

    const SourceWindows windows(cache.TilesAcross(), cache.TilesDown(), cache.Capacity());
    pieces.clear();
    for (size_t i = chunk.begin; i < chunk.end; ++i)
        SplitByWindows(int32_t(i), tiles[i], chunk.tables[i - chunk.begin], ReadsOwnPixels(), singleSquared_,
                       footprint, windows, pieces);
    // Window by window, and what fits none last.
    std::stable_sort(pieces.begin(), pieces.end(), [](const ReadPiece& a, const ReadPiece& b) {
        return uint32_t(a.window) < uint32_t(b.window);
    });
    return pieces;
}

bool PSPlimTileRender::UnionOf(const HuxPSTileCache& cache, const std::vector<ReadPiece>& pieces, size_t first,
                               size_t end, std::vector<int32_t>& tiles)
{
    const size_t capacity = size_t(cache.Capacity());
    tiles.clear();
    bool fits = true;
    for (size_t p = first; p < end && fits; ++p) {
        const HuxRect& reads = pieces[p].reads;
        if (reads.IsEmpty())
            continue;
        if (int64_t(reads.Width()) * reads.Height() > int64_t(capacity)) {
            fits = false;
            break;
        }
        for (int32_t row = reads.top; row < reads.bottom && fits; ++row) {
            for (int32_t column = reads.left; column < reads.right; ++column) {
                const int32_t index = row * cache.TilesAcross() + column;
                if (marks_[size_t(index)] == 0) {
                    marks_[size_t(index)] = 1;
                    tiles.push_back(index);
                }
            }
            fits = tiles.size() <= capacity;
        }
    }
    for (const int32_t index : tiles)
        marks_[size_t(index)] = 0;
    if (!fits)
        tiles.clear();
    std::sort(tiles.begin(), tiles.end());
    return fits;
}
