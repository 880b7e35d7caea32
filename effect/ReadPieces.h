// Splits an output tile into parts whose source reads each fit one window
// of a sweep (SourceWindows): the tile whole when its reads fit, else row
// by row, else runs of pixels in a row. Neighbouring rows or pixels that
// fit the same window stay one part.
#pragma once

#include "effect/CornerTable.h"
#include "effect/SourceFootprint.h"
#include "effect/SourceWindows.h"
#include "warp/DestinationTile.h"

#include <cstdint>
#include <vector>

// Pixels `area` (cache coordinates) of output tile `tile`, which read the
// source tiles `reads` (columns and rows), all inside window `window`
// (SourceWindows::kNone: a pixel whose reads fit no window).
struct ReadPiece {
    int32_t tile = 0;
    HuxRect area;
    HuxRect reads;
    int32_t window = SourceWindows::kNone;
};

// What the pixels of `area` read: where their samples lie (`box`, see
// CornerBox::AddRow), and at themselves when `readsOwnPixels` (a masked
// render).
HuxRect AreaReads(const CornerBox& box, const HuxRect& area, bool readsOwnPixels, const SourceFootprint& footprint);
// AreaReads of `area` of a tile, from its corners.
HuxRect PieceReads(const CornerTable& corners, const DestinationTile& tile, const HuxRect& area,
                   bool readsOwnPixels, double singleSquared, const SourceFootprint& footprint);

// Appends the parts of tile `index` to `pieces`.
void SplitByWindows(int32_t index, const DestinationTile& tile, const CornerTable& corners, bool readsOwnPixels,
                    double singleSquared, const SourceFootprint& footprint, const SourceWindows& windows,
                    std::vector<ReadPiece>& pieces);
