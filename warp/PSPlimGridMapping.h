// The effect's mapping from destination to source: a destination position in
// cache coordinates is looked up in the deformed grid, and the position that
// the material found there had in the undeformed grid is the source.
//
// Inline, so that a render through it needs no call per corner besides the
// grid's lookup.
#pragma once

#include "HuxLib/HuxGeometry/HuxPoint2D.h"
#include "HuxLib/HuxGeometry/HuxRect.h"
#include "grid/PSPlimGrid.h"
#include "warp/ScaledPointRow.h"

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
        const HuxGeometry::HuxPoint2D undeformed =
            grid_->InvertPoint({ToGridX(destination.x), ToGridY(destination.y)});
        return {x_.FromGrid(undeformed.x), y_.FromGrid(undeformed.y)};
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
        grid_->InvertRow(gridX, ToGridY(y), count, out);
        if (x_.scaled && y_.scaled) {
            ScalePointRow(out, count, {x_.gridExtent, y_.gridExtent}, {x_.extent, y_.extent}, {x_.origin, y_.origin});
            return;
        }
        // Copies: stores through out could otherwise be taken to change them.
        const Axis x = x_, yAxis = y_;
        for (int32_t k = 0; k < count; ++k)
            out[k] = {x.FromGrid(out[k].x), yAxis.FromGrid(out[k].y)};
    }

private:
    // Grid units from cache coordinates along one axis, and back. An empty
    // axis (or a grid without extent) has no scale: every position maps to
    // the axis's start, and results stay finite.
    struct Axis {
        double origin = 0.0;
        double extent = 0.0; // in pixels; a whole number, exact as a double
        double gridExtent = 0.0;
        bool scaled = false; // both extents positive

        Axis() = default;
        Axis(int32_t start, int64_t pixels, double grid)
            : origin(start), extent(double(pixels)), gridExtent(grid), scaled(pixels > 0 && grid > 0.0)
        {
        }
        double ToGrid(double position) const { return scaled ? (position - origin) * gridExtent / extent : 0.0; }
        // ScalePointRow does the same for a row of points.
        double FromGrid(double position) const { return scaled ? extent * (position / gridExtent) + origin : origin; }
    };

    // A grid reset or resized since SetRectangle has another extent.
    void FollowGrid()
    {
        if (grid_->Width() != x_.gridExtent || grid_->Height() != y_.gridExtent)
            SetRectangle(rect_);
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
        return tabled ? *tabled : x_.ToGrid(x);
    }
    double ToGridY(double y) const
    {
        const double* tabled = Tabled(cornersY_, y, rect_.top);
        return tabled ? *tabled : y_.ToGrid(y);
    }

    PSPlimGrid* grid_;
    HuxRect rect_;
    Axis x_;
    Axis y_;
    std::vector<double> cornersX_; // grid x of the corner at L - 0.5 + k, k = 0 .. R - L + 1
    std::vector<double> cornersY_;
};
