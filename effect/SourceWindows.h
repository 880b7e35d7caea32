// Windows of source tiles that a render sweeps when what a band of output
// reads does not fit into the cache at once: each window fits, and
// neighbouring windows overlap by half a window, so a part of the output
// whose reads span at most half a window and one tile along an axis lies
// wholly inside a window.
// Windows are whole rows of tiles when two rows fit (whole columns when two
// columns do), else squares. A tile lies in at most two windows along an
// axis it is swept along: loaded at most twice per sweep (four times for
// squares).
#pragma once

#include "HuxLib/HuxGeometry/HuxRect.h"

#include <cstdint>

class SourceWindows {
public:
    static constexpr int32_t kNone = -1;

    // For a cache of tilesAcross x tilesDown tiles holding `capacity`.
    SourceWindows(int32_t tilesAcross, int32_t tilesDown, int32_t capacity);

    // The window wholly holding a rectangle of tiles (columns and rows,
    // half-open, not empty), numbered row by row; kNone when none does.
    int32_t WindowOf(const HuxRect& tiles) const;

private:
    struct Axis {
        int32_t size = 1; // tiles a window spans
        int32_t step = 1; // tiles from one window to the next
        int32_t count = 1;
        int32_t IndexOf(int32_t first, int32_t end) const;
    };
    static Axis MakeAxis(int32_t tiles, int32_t size);

    Axis columns_;
    Axis rows_;
};
