// Change tracking of the deformation grid: bounds of a changed range, the
// difference against a snapshot, and the exchanges that undo and redo edits.
#include "grid/PSPlimGrid.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

GridBounds PSPlimGrid::PointBounds(const GridIndexRect& range) const
{
    // The one-point margin covers every cell that touches a changed point.
    // The clamps also keep a range that strays off the grid on its points.
    const int left = std::clamp(range.left, 1, across_);
    const int top = std::clamp(range.top, 1, down_);
    const int right = std::clamp(range.right, -1, across_ - 2);
    const int bottom = std::clamp(range.bottom, -1, down_ - 2);

    const Point2D& seed = Point(left - 1, top - 1);
    GridBounds bounds{seed.x, seed.y, seed.x, seed.y};
    for (int r = top - 1; r <= bottom + 1; ++r) {
        for (int c = left - 1; c <= right + 1; ++c) {
            const Point2D& p = Point(c, r);
            bounds.minX = std::min(bounds.minX, p.x);
            bounds.minY = std::min(bounds.minY, p.y);
            bounds.maxX = std::max(bounds.maxX, p.x);
            bounds.maxY = std::max(bounds.maxY, p.y);
        }
    }
    return bounds;
}

bool PSPlimGrid::Diff(const PSPlimGrid& snapshot, GridPatch& patch) const
{
    if (snapshot.across_ != across_ || snapshot.down_ != down_)
        throw std::invalid_argument("grid snapshot has a different size");

    GridIndexRect range;
    for (int r = 0; r < down_; ++r) {
        for (int c = 0; c < across_; ++c) {
            const Point2D& now = Point(c, r);
            const Point2D& then = snapshot.Point(c, r);
            if (now.x != then.x || now.y != then.y)
                range.Extend(c, r);
        }
    }

    std::vector<Point2D> old;
    old.reserve(static_cast<size_t>(range.Columns()) * range.Rows());
    for (int r = range.top; r < range.top + range.Rows(); ++r) {
        for (int c = range.left; c <= range.right; ++c)
            old.push_back(snapshot.Point(c, r));
    }
    patch.range = range;
    patch.points = std::move(old);
    patch.edgeMode = snapshot.edgeMode_;
    return !range.Empty() || snapshot.edgeMode_ != edgeMode_;
}

bool PSPlimGrid::SwapPatch(GridPatch& patch) noexcept
{
    const GridIndexRect& range = patch.range;
    if (!range.Empty()) {
        const bool inside = range.left <= range.right && range.top <= range.bottom &&
                            range.right < across_ && range.bottom < down_ && range.top >= 0;
        const size_t count = static_cast<size_t>(range.Columns()) * range.Rows();
        if (!inside || patch.points.size() != count)
            return false;
    }

    std::swap(edgeMode_, patch.edgeMode);
    size_t k = 0;
    for (int r = range.top; r < range.top + range.Rows(); ++r) {
        for (int c = range.left; c <= range.right; ++c)
            std::swap(At(c, r), patch.points[k++]);
    }
    return true;
}

void PSPlimGrid::SaveState(GridState& snapshot) const
{
    std::vector<Point2D> copy = points_;
    snapshot.points = std::move(copy);
    snapshot.width = width_;
    snapshot.height = height_;
    snapshot.pointsAcross = across_;
    snapshot.pointsDown = down_;
}

bool PSPlimGrid::SwapState(GridState& snapshot) noexcept
{
    const bool sizeValid = snapshot.pointsAcross >= kPSPlimMinGridPoints && snapshot.pointsAcross <= kPSPlimMaxGridPoints &&
                           snapshot.pointsDown >= kPSPlimMinGridPoints && snapshot.pointsDown <= kPSPlimMaxGridPoints;
    if (!sizeValid ||
        snapshot.points.size() != static_cast<size_t>(snapshot.pointsAcross) * snapshot.pointsDown)
        return false;

    std::swap(width_, snapshot.width);
    std::swap(height_, snapshot.height);
    std::swap(across_, snapshot.pointsAcross);
    std::swap(down_, snapshot.pointsDown);
    points_.swap(snapshot.points);
    rememberedColumn_ = 0;
    rememberedRow_ = 0;
    return true;
}
