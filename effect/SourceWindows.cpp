#include "effect/SourceWindows.h"

#include <algorithm>
#include <cmath>

SourceWindows::Axis SourceWindows::MakeAxis(int32_t tiles, int32_t size)
{
    Axis axis;
    axis.size = std::clamp(size, 1, std::max(tiles, 1));
    // Half a window on: the most overlap that still puts no tile in more
    // than two windows.
    axis.step = axis.size - axis.size / 2;
    axis.count = axis.size >= tiles ? 1 : (tiles - axis.size + axis.step - 1) / axis.step + 1;
    return axis;
}

SourceWindows::SourceWindows(int32_t tilesAcross, int32_t tilesDown, int32_t capacity)
{
    const int64_t across = std::max(tilesAcross, 1), down = std::max(tilesDown, 1);
    if (2 * across <= capacity) {
        columns_ = MakeAxis(tilesAcross, tilesAcross);
        rows_ = MakeAxis(tilesDown, int32_t(capacity / across));
    } else if (2 * down <= capacity) {
        columns_ = MakeAxis(tilesAcross, int32_t(capacity / down));
        rows_ = MakeAxis(tilesDown, tilesDown);
    } else {
        const int32_t side = int32_t(std::sqrt(double(std::max(capacity, 1))));
        columns_ = MakeAxis(tilesAcross, side);
        rows_ = MakeAxis(tilesDown, side);
    }
}

// Window k spans step * k .. step * k + size - 1, the last one cut to the
// axis; the one starting at or just before `first` is the only candidate
// that can reach furthest.
int32_t SourceWindows::Axis::IndexOf(int32_t first, int32_t end) const
{
    const int32_t k = std::min(first / step, count - 1);
    return end <= step * k + size ? k : kNone;
}

int32_t SourceWindows::WindowOf(const HuxRect& tiles) const
{
    const int32_t column = columns_.IndexOf(tiles.left, tiles.right);
    const int32_t row = rows_.IndexOf(tiles.top, tiles.bottom);
    if (column == kNone || row == kNone)
        return kNone;
    return row * columns_.count + column;
}
