// Rendering through the deformation grid for tests and benchmarks: a mapper
// whose MapPoint is the grid's inverse, and a whole-rectangle render done
// tile by tile as the final render does it.
#pragma once

#include "grid/PSPlimGrid.h"
#include "host/HuxPSTileCache.h"
#include "warp/HuxPSNonLinearTextureMapper.h"
#include "warp/PSPlimGridMapping.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <random>
#include <vector>

namespace WarpTest {

class GridMapper : public HuxPSNonLinearTextureMapper {
public:
    explicit GridMapper(PSPlimGrid& grid) : mapping_(grid) {}

    HuxGeometry::HuxPoint2D MapPoint(HuxGeometry::HuxPoint2D destination) override
    {
        return mapping_.MapPoint(destination);
    }

    PSPlimGridMapping& Mapping() { return mapping_; }

private:
    PSPlimGridMapping mapping_;
};

enum class RenderPath { Virtual, Template };

// Renders `rect` (cache coordinates) in tiles of tileSize x tileSize into a
// packed buffer, rows rect.Width() * 3 bytes apart.
inline std::vector<uint8_t> RenderRect(GridMapper& mapper, HuxPSTileCache& cache, const HuxRect& rect,
                                       int32_t tileSize, RenderPath path = RenderPath::Virtual)
{
    const int32_t stride = rect.Width() * 3;
    std::vector<uint8_t> out(size_t(stride) * size_t(rect.Height()));
    for (int32_t y0 = rect.top; y0 < rect.bottom; y0 += tileSize) {
        for (int32_t x0 = rect.left; x0 < rect.right; x0 += tileSize) {
            DestinationTile tile;
            tile.left = x0;
            tile.top = y0;
            tile.right = std::min(x0 + tileSize, rect.right);
            tile.bottom = std::min(y0 + tileSize, rect.bottom);
            tile.rowStride = stride;
            tile.data = out.data() + size_t(y0 - rect.top) * size_t(stride) + size_t(x0 - rect.left) * 3;
            if (path == RenderPath::Virtual)
                mapper.RenderTile(cache, tile);
            else
                mapper.RenderTileThrough(cache, tile, mapper.Mapping());
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

// A reproducible deformation of pushes and bulges; a stroke that would fold
// the mesh is taken back, so the result stays a proper mesh.
inline void DeformGrid(PSPlimGrid& grid, uint32_t seed, int strokes)
{
    std::mt19937 random(seed);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    const double w = grid.Width(), h = grid.Height();
    PSPlimGrid before;
    for (int i = 0; i < strokes; ++i) {
        const HuxGeometry::HuxPoint2D from{w * unit(random), h * unit(random)};
        const double angle = 6.283185307179586 * unit(random);
        const double length = 0.01 + 0.03 * unit(random);
        const HuxGeometry::HuxPoint2D to{from.x + length * std::cos(angle), from.y + length * std::sin(angle)};
        const double radius = 0.05 + 0.15 * unit(random);
        const double power = 0.2 + 0.6 * unit(random);
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
