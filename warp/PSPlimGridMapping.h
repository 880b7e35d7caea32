// The effect's mapping from destination to source: a destination position in
// cache coordinates is looked up in the deformed grid, and the position that
// the material found there had in the undeformed grid is the source.
//
// Inline, so that a render through RenderTileThrough needs no call per
// corner besides the grid's lookup.
#pragma once

#include "HuxLib/HuxGeometry/HuxPoint2D.h"
#include "HuxLib/HuxGeometry/HuxRect.h"
#include "grid/PSPlimGrid.h"

#include <cstdint>
#include <vector>

class PSPlimGridMapping {
public:
    explicit PSPlimGridMapping(PSPlimGrid& grid) : grid_(&grid) {}

    // The filter rectangle in cache coordinates (L, T, R, B); set before
    // every render, for the sampling rate of that render.
    void SetRectangle(const HuxRect& rect);
    const HuxRect& Rectangle() const { return rect_; }

    // Changes the grid's lookup state, so neither this nor the grid may
    // serve two renders at once.
    HuxGeometry::HuxPoint2D MapPoint(HuxGeometry::HuxPoint2D destination)
    {
        FollowGrid();
        return FromGridPoint(grid_->InvertPoint({ToGridX(destination.x), ToGridY(destination.y)}));
    }

    // The positions (x0 + k, y) for k = 0 .. count - 1, left to right, into
    // out: what count calls of MapPoint return, in the same order. A row of
    // pixel corners inside the rectangle shares its grid y and reads its
    // grid x from the table one after another.
    void MapCorners(double x0, double y, int32_t count, HuxGeometry::HuxPoint2D* out)
    {
        FollowGrid();
        const double* gridX = TabledRow(x0, count);
        if (gridX == nullptr) {
            for (int32_t k = 0; k < count; ++k)
                out[k] = MapPoint({x0 + double(k), y});
            return;
        }
        const double gridY = ToGridY(y);
        for (int32_t k = 0; k < count; ++k)
            out[k] = FromGridPoint(grid_->InvertPoint({gridX[k], gridY}));
    }

private:
    // Grid units from cache coordinates along one axis, and back. An empty
    // axis (or a grid without extent) has no scale: every position maps to
    // the axis's start, and results stay finite.
    static double ToGrid(double position, int32_t origin, int64_t extent, double gridExtent)
    {
        if (extent <= 0 || !(gridExtent > 0.0))
            return 0.0;
        return (position - double(origin)) * gridExtent / double(extent);
    }
    static double FromGrid(double position, int32_t origin, int64_t extent, double gridExtent)
    {
        if (extent <= 0 || !(gridExtent > 0.0))
            return double(origin);
        return double(extent) * (position / gridExtent) + double(origin);
    }

    // A grid reset or resized since SetRectangle has another extent.
    void FollowGrid()
    {
        if (grid_->Width() != gridWidth_ || grid_->Height() != gridHeight_)
            SetRectangle(rect_);
    }
    HuxGeometry::HuxPoint2D FromGridPoint(HuxGeometry::HuxPoint2D undeformed) const
    {
        return {FromGrid(undeformed.x, rect_.left, width_, gridWidth_),
                FromGrid(undeformed.y, rect_.top, height_, gridHeight_)};
    }

    // Pixel corners sit on half-integer positions: those of the rectangle
    // come from tables filled by SetRectangle with the very same arithmetic,
    // anything else is computed.
    static const double* Tabled(const std::vector<double>& table, double position, int32_t origin)
    {
        const double offset = position - (double(origin) - 0.5);
        if (!(offset >= 0.0 && offset < double(table.size())))
            return nullptr;
        const size_t index = size_t(offset);
        return double(index) == offset ? &table[index] : nullptr;
    }
    // The tabled grid x of x0 and the count - 1 corners right of it, or null.
    const double* TabledRow(double x0, int32_t count) const
    {
        const double* first = Tabled(cornersX_, x0, rect_.left);
        if (first == nullptr || count < 0 || size_t(count) > size_t(cornersX_.data() + cornersX_.size() - first))
            return nullptr;
        return first;
    }
    double ToGridX(double x) const
    {
        const double* tabled = Tabled(cornersX_, x, rect_.left);
        return tabled ? *tabled : ToGrid(x, rect_.left, width_, gridWidth_);
    }
    double ToGridY(double y) const
    {
        const double* tabled = Tabled(cornersY_, y, rect_.top);
        return tabled ? *tabled : ToGrid(y, rect_.top, height_, gridHeight_);
    }

    PSPlimGrid* grid_;
    HuxRect rect_;
    int64_t width_ = 0;
    int64_t height_ = 0;
    double gridWidth_ = 0.0;
    double gridHeight_ = 0.0;
    std::vector<double> cornersX_; // grid x of the corner at L - 0.5 + k, k = 0 .. R - L + 1
    std::vector<double> cornersY_;
};
