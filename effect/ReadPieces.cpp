#include "effect/ReadPieces.h"

HuxRect AreaReads(const CornerBox& box, const HuxRect& area, bool readsOwnPixels, const SourceFootprint& footprint)
{
    const HuxRect reads = footprint.OfCorners(box);
    return readsOwnPixels ? TileHull(reads, footprint.OfPixels(area)) : reads;
}

HuxRect PieceReads(const CornerTable& corners, const DestinationTile& tile, const HuxRect& area,
                   bool readsOwnPixels, double singleSquared, const SourceFootprint& footprint)
{
    const CornerBox box = corners.Box(area.left - tile.left, area.right - tile.left, area.top - tile.top,
                                      area.bottom - tile.top, singleSquared);
    return AreaReads(box, area, readsOwnPixels, footprint);
}

namespace {

// Appends a part, or grows the last one when it is the same window's and
// continues it (the next pixels of a row, or the next row of a tile).
void Add(std::vector<ReadPiece>& pieces, size_t firstOfTile, const ReadPiece& piece)
{
    if (pieces.size() > firstOfTile) {
        ReadPiece& last = pieces.back();
        const HuxRect& a = last.area;
        const HuxRect& b = piece.area;
        const bool continuesRow = a.top == b.top && a.bottom == b.bottom && a.right == b.left;
        const bool continuesColumn = a.left == b.left && a.right == b.right && a.bottom == b.top;
        if (last.window == piece.window && (continuesRow || continuesColumn)) {
            last.area = {a.left, a.top, b.right, b.bottom};
            last.reads = TileHull(last.reads, piece.reads);
            return;
        }
    }
    pieces.push_back(piece);
}

} // namespace

void SplitByWindows(int32_t index, const DestinationTile& tile, const CornerTable& corners, bool readsOwnPixels,
                    double singleSquared, const SourceFootprint& footprint, const SourceWindows& windows,
                    std::vector<ReadPiece>& pieces)
{
    const size_t first = pieces.size();
    auto piece = [&](const HuxRect& area) {
        ReadPiece p;
        p.tile = index;
        p.area = area;
        p.reads = PieceReads(corners, tile, area, readsOwnPixels, singleSquared, footprint);
        p.window = windows.WindowOf(p.reads);
        return p;
    };
    const ReadPiece whole = piece({tile.left, tile.top, tile.right, tile.bottom});
    if (whole.window != SourceWindows::kNone) {
        pieces.push_back(whole);
        return;
    }
    for (int32_t y = tile.top; y < tile.bottom; ++y) {
        const ReadPiece row = piece({tile.left, y, tile.right, y + 1});
        if (row.window != SourceWindows::kNone) {
            Add(pieces, first, row);
            continue;
        }
        for (int32_t x = tile.left; x < tile.right; ++x)
            Add(pieces, first, piece({x, y, x + 1, y + 1}));
    }
}
