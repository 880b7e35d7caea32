// Rendering through the deformation grid for tests and benchmarks: a
// whole-rectangle render done tile by tile as the final render does it, and
// reproducible deformations.
#pragma once

#include "HuxLib/HUXIMAGE/HuxPixelSource.h"
#include "grid/PSPlimGrid.h"
#include "warp/HuxPSNonLinearTextureMapper.h"
#include "warp/PSPlimGridMapping.h"
#include "warp/PixelFormatDispatch.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <random>
#include <vector>

namespace WarpTest {

// Renders `rect` (cache coordinates) in tiles of tileSize x tileSize into a
// packed buffer of the source's pixels.
inline std::vector<uint8_t> RenderRect(const HuxPSNonLinearTextureMapper& mapper, PSPlimGridMapping& mapping,
                                       HuxPixelSource& source, const HuxRect& rect, int32_t tileSize)
{
    const int32_t pixelBytes = source.Layout().PixelBytes();
    const int32_t stride = rect.Width() * pixelBytes;
    std::vector<uint8_t> out(size_t(stride) * size_t(rect.Height()));
    for (int32_t y0 = rect.top; y0 < rect.bottom; y0 += tileSize) {
        for (int32_t x0 = rect.left; x0 < rect.right; x0 += tileSize) {
            DestinationTile tile;
            tile.left = x0;
            tile.top = y0;
            tile.right = std::min(x0 + tileSize, rect.right);
            tile.bottom = std::min(y0 + tileSize, rect.bottom);
            tile.rowStride = stride;
            tile.data = out.data() + size_t(y0 - rect.top) * size_t(stride) + size_t(x0 - rect.left) * size_t(pixelBytes);
            RenderTileInSourceFormat(mapper, TileRenderMode::Plain, source, tile, mapping);
        }
    }
    return out;
}

// The grid over a filter rectangle of width x height pixels: the diagonal
// is one grid unit.
inline void ResetGrid(PSPlimGrid& grid, int32_t width, int32_t height, int points)
{
    const double diagonal = std::sqrt(double(width) * width + double(height) * height);
    grid.Reset(width / diagonal, height / diagonal, points, points);
    grid.ApplyEdgeMode();
}

// True when some triangle of an inner cell has turned over (or collapsed).
inline bool MeshFolds(const PSPlimGrid& grid)
{
    auto cross = [](HuxGeometry::HuxPoint2D base, HuxGeometry::HuxPoint2D p1, HuxGeometry::HuxPoint2D p2) {
        return (p1.x - base.x) * (p2.y - base.y) - (p1.y - base.y) * (p2.x - base.x);
    };
    for (int b = 1; b + 2 < grid.PointsDown(); ++b) {
        for (int a = 1; a + 2 < grid.PointsAcross(); ++a) {
            if (!(cross(grid.Point(a, b), grid.Point(a + 1, b), grid.Point(a, b + 1)) > 0.0) ||
                !(cross(grid.Point(a + 1, b + 1), grid.Point(a, b + 1), grid.Point(a + 1, b)) > 0.0))
                return true;
        }
    }
    return false;
}

// Tool applications for DeformGrid: sizes and moves in grid units, drawn
// uniformly from the ranges; power is the tool power (Bulge gets it with
// alternating sign, as Boggle and Nibble).
struct Strokes {
    int count = 300;
    double minPower = 0.2, maxPower = 0.2;
    double minRadius = 0.05, maxRadius = 0.2;
    double minMove = 0.005, maxMove = 0.03;
};

// A reproducible deformation: every third application a Bulge around its
// start, the others Push; an application that would fold the mesh is taken
// back, so the result stays a proper mesh.
inline void DeformGrid(PSPlimGrid& grid, uint32_t seed, const Strokes& strokes)
{
    std::mt19937 random(seed);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    auto between = [&](double lo, double hi) { return lo + (hi - lo) * unit(random); };
    const double w = grid.Width(), h = grid.Height();
    PSPlimGrid before;
    for (int i = 0; i < strokes.count; ++i) {
        const HuxGeometry::HuxPoint2D from{w * unit(random), h * unit(random)};
        const double angle = 6.283185307179586 * unit(random);
        const double move = between(strokes.minMove, strokes.maxMove);
        const HuxGeometry::HuxPoint2D to{from.x + move * std::cos(angle), from.y + move * std::sin(angle)};
        const double radius = between(strokes.minRadius, strokes.maxRadius);
        const double power = between(strokes.minPower, strokes.maxPower);
        before.CopyFrom(grid);
        if (i % 3 == 2)
            grid.Bulge(from, to, radius, i % 2 == 0 ? power : -power, from);
        else
            grid.Push(from, to, radius, power);
        if (MeshFolds(grid))
            grid.CopyFrom(before);
    }
}

} // namespace WarpTest
