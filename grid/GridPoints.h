// The control points of the deformation grid, with a generation number that
// changes on every write access. Data derived from the points (the inverse
// lookup's solved triangles) carries the generation it was derived at and is
// current while the number is unchanged.
//
// Every way to change the points goes through a non-const member here, so no
// change can bypass the count. A reference from the non-const operator[] is
// a write access at the time it is taken: it must not be kept and written
// through after a later lookup.
#pragma once

#include "HuxLib/HuxGeometry/HuxPoint2D.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

class GridPoints {
public:
    using Point2D = HuxGeometry::HuxPoint2D;

    GridPoints() = default;
    // A copy shares the generation: derived data copied along with it (a
    // whole grid copied) stays as current as it was.
    GridPoints(const GridPoints&) = default;
    GridPoints(GridPoints&&) = default;

    // Assigned points get a number that neither side has handed out yet, so
    // nothing derived before can pass for current.
    GridPoints& operator=(const GridPoints& other)
    {
        points_ = other.points_;
        Renumber(other);
        return *this;
    }
    GridPoints& operator=(GridPoints&& other) noexcept
    {
        points_ = std::move(other.points_);
        Renumber(other);
        return *this;
    }
    GridPoints& operator=(std::vector<Point2D>&& points) noexcept
    {
        points_ = std::move(points);
        ++generation_;
        return *this;
    }
    void swap(std::vector<Point2D>& points) noexcept
    {
        points_.swap(points);
        ++generation_;
    }

    const Point2D& operator[](size_t index) const { return points_[index]; }
    Point2D& operator[](size_t index)
    {
        ++generation_;
        return points_[index];
    }
    const Point2D* data() const { return points_.data(); }
    size_t size() const { return points_.size(); }
    operator const std::vector<Point2D>&() const { return points_; }

    // 1 for the first points; 0 is never a current generation.
    uint64_t Generation() const { return generation_; }

private:
    void Renumber(const GridPoints& other) { generation_ = std::max(generation_, other.generation_) + 1; }

    std::vector<Point2D> points_;
    uint64_t generation_ = 1;
};
