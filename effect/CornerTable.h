// The mapped pixel corners of one output tile, kept between mapping and
// sampling. Served to the mapper's tile walk as its mapping, a table lets
// any part of the tile be sampled on its own, in any order, with the very
// corners a walk over the whole tile would have mapped: a pixel's bytes
// depend only on its four corners and the source.
#pragma once

#include "HuxLib/HuxGeometry/HuxPoint2D.h"
#include "effect/SourceFootprint.h"
#include "warp/DestinationTile.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <new>

class CornerTable {
public:
    // Room for the corners of `tile`, (width + 1) x (height + 1).
    void Reset(const DestinationTile& tile)
    {
        left_ = tile.left;
        top_ = tile.top;
        columns_ = size_t(std::max(tile.Width(), 0)) + 1;
        const size_t count = columns_ * (size_t(std::max(tile.Height(), 0)) + 1);
        // Left unwritten: every corner is mapped before it is read, so the
        // first touch of fresh memory falls to the threads that map.
        if (count > capacity_) {
            points_.reset(static_cast<HuxGeometry::HuxPoint2D*>(::operator new(count * sizeof(HuxGeometry::HuxPoint2D))));
            capacity_ = count;
        }
    }

    // Maps corner rows first .. end - 1 (row r lies at top - 0.5 + r), each
    // left to right from left - 0.5, as the tile walk asks for them.
    template <class Mapping>
    void MapRows(Mapping& mapping, int32_t first, int32_t end)
    {
        const double x0 = double(left_) - 0.5;
        for (int32_t row = first; row < end; ++row)
            mapping.MapCorners(x0, double(top_) - 0.5 + double(row), int32_t(columns_), &points_[size_t(row) * columns_]);
    }

    // The box of where the samples of pixel columns first .. end - 1 of
    // pixel rows firstRow .. endRow - 1 (tile-relative) lie (see
    // CornerBox::AddRow for singleSquared).
    CornerBox Box(int32_t first, int32_t end, int32_t firstRow, int32_t endRow, double singleSquared) const
    {
        CornerBox box;
        for (int32_t row = firstRow; row < endRow && first < end; ++row) {
            const HuxGeometry::HuxPoint2D* above = &points_[size_t(row) * columns_ + size_t(first)];
            box.AddRow(above, above + columns_, end - first, singleSquared);
        }
        return box;
    }

    // The walk's row of corners from (x0, y), read in place (x0 and y are
    // corner positions of the tile).
    const HuxGeometry::HuxPoint2D* MappedRow(double x0, double y) const
    {
        const size_t column = size_t(int64_t(x0 + 0.5) - left_);
        const size_t row = size_t(int64_t(y + 0.5) - top_);
        return &points_[row * columns_ + column];
    }

private:
    int32_t left_ = 0;
    int32_t top_ = 0;
    struct Release {
        void operator()(HuxGeometry::HuxPoint2D* points) const { ::operator delete(points); }
    };
    size_t columns_ = 1;
    size_t capacity_ = 0;
    std::unique_ptr<HuxGeometry::HuxPoint2D[], Release> points_;
};
