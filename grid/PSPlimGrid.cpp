// Construction, reset, copy, edge modes and resizing of the deformation grid.
#include "grid/PSPlimGrid.h"

#include <algorithm>
#include <utility>

namespace {

int ClampPointCount(int count)
{
    return std::clamp(count, kPSPlimMinGridPoints, kPSPlimMaxGridPoints);
}

// Regular coordinate of lattice step k of `steps` over `extent`. The last
// step is the extent itself: (steps * extent) / steps is not always exact,
// and the edge modes and the ring put border points on the extent exactly.
double LatticeCoordinate(int k, int steps, double extent)
{
    if (k == steps)
        return extent;
    return k * extent / steps;
}

} // namespace

PSPlimGrid::PSPlimGrid()
{
    FillRegular();
}

double PSPlimGrid::RegularX(int c) const
{
    const int k = std::clamp(c - 1, 0, across_ - 3); // the ring lies on the border column
    return LatticeCoordinate(k, across_ - 3, width_);
}

double PSPlimGrid::RegularY(int r) const
{
    const int k = std::clamp(r - 1, 0, down_ - 3);
    return LatticeCoordinate(k, down_ - 3, height_);
}

void PSPlimGrid::FillRegular()
{
    std::vector<Point2D> regular(static_cast<size_t>(across_) * down_);
    for (int r = 0; r < down_; ++r) {
        for (int c = 0; c < across_; ++c)
            regular[Index(c, r)] = RegularPosition(c, r);
    }
    points_ = std::move(regular);
    rememberedColumn_ = 0;
    rememberedRow_ = 0;
}

void PSPlimGrid::Reset(double width, double height, int across, int down)
{
    PSPlimGrid regular;
    regular.width_ = width;
    regular.height_ = height;
    regular.across_ = ClampPointCount(across);
    regular.down_ = ClampPointCount(down);
    regular.FillRegular(); // may throw; this grid is untouched until it succeeds

    width_ = width;
    height_ = height;
    across_ = regular.across_;
    down_ = regular.down_;
    points_ = std::move(regular.points_);
    rememberedColumn_ = 0;
    rememberedRow_ = 0;
}

void PSPlimGrid::CopyFrom(const PSPlimGrid& other)
{
    if (this == &other)
        return;
    std::vector<Point2D> copy = other.points_;
    points_ = std::move(copy);
    across_ = other.across_;
    down_ = other.down_;
    rememberedColumn_ = other.rememberedColumn_;
    rememberedRow_ = other.rememberedRow_;
    edgeMode_ = other.edgeMode_;
}

void PSPlimGrid::SetLookupState(int column, int row, bool upperLeft)
{
    rememberedColumn_ = std::clamp(column, 0, across_ - 2);
    rememberedRow_ = std::clamp(row, 0, down_ - 2);
    rememberedTriangle_ = upperLeft;
}

void PSPlimGrid::ApplyEdgeMode()
{
    if (edgeMode_ == PSPlimEdgeMode::Fixed)
        ApplyFixedEdge();
    else if (edgeMode_ == PSPlimEdgeMode::Locked)
        ApplyLockedEdge();
}

void PSPlimGrid::ApplyFixedEdge()
{
    for (int r = 1; r <= down_ - 2; ++r) {
        At(1, r) = RegularPosition(1, r);
        At(across_ - 2, r) = RegularPosition(across_ - 2, r);
    }
    for (int c = 0; c < across_; ++c) {
        At(c, 1) = RegularPosition(c, 1);
        At(c, down_ - 2) = RegularPosition(c, down_ - 2);
    }
}

void PSPlimGrid::ApplyLockedEdge()
{
    for (int r = 1; r <= down_ - 2; ++r) {
        for (int c : {1, across_ - 2}) {
            Point2D& p = At(c, r);
            p.x = c == 1 ? 0.0 : width_;
            p.y = std::clamp(p.y, 0.0, height_);
        }
    }
    for (int c = 1; c <= across_ - 2; ++c) {
        for (int r : {1, down_ - 2}) {
            Point2D& p = At(c, r);
            p.y = r == 1 ? 0.0 : height_;
            p.x = std::clamp(p.x, 0.0, width_);
        }
    }
}

void PSPlimGrid::PlaceRing()
{
    for (int r = 0; r < down_; ++r) {
        At(0, r) = RegularPosition(0, r);
        At(across_ - 1, r) = RegularPosition(across_ - 1, r);
    }
    for (int c = 0; c < across_; ++c) {
        At(c, 0) = RegularPosition(c, 0);
        At(c, down_ - 1) = RegularPosition(c, down_ - 1);
    }
}

namespace {

// Where new inner line i of newCount lines falls among the old lines:
// the old line `index` and the fraction towards the next one.
struct LineBlend {
    int index;
    double fraction;
};

LineBlend BlendForLine(int i, int oldCount, int newCount)
{
    const double v = static_cast<double>(i - 1) * (oldCount - 3) / (newCount - 3) + 1.0;
    LineBlend blend{static_cast<int>(v), 0.0};
    blend.fraction = v - blend.index;
    if (blend.index >= oldCount - 2) { // the last line takes the old last line whole
        blend.index = oldCount - 3;
        blend.fraction = 1.0;
    }
    return blend;
}

} // namespace

void PSPlimGrid::Resize(double width, double height, int across, int down)
{
    const int newAcross = ClampPointCount(across);
    const int newDown = ClampPointCount(down);
    std::vector<Point2D> resized(static_cast<size_t>(newAcross) * newDown);
    const double scaleX = width / width_;
    const double scaleY = height / height_;

    for (int i = 1; i <= newDown - 2; ++i) {
        const LineBlend row = BlendForLine(i, down_, newDown);
        const double fy = row.fraction;
        for (int j = 1; j <= newAcross - 2; ++j) {
            const LineBlend column = BlendForLine(j, across_, newAcross);
            const double fx = column.fraction;
            const Point2D& p00 = Point(column.index, row.index);
            const Point2D& p10 = Point(column.index + 1, row.index);
            const Point2D& p01 = Point(column.index, row.index + 1);
            const Point2D& p11 = Point(column.index + 1, row.index + 1);
            const double w00 = (1 - fx) * (1 - fy), w10 = fx * (1 - fy);
            const double w01 = (1 - fx) * fy, w11 = fx * fy;
            Point2D& q = resized[static_cast<size_t>(i) * newAcross + j];
            q.x = (w00 * p00.x + w10 * p10.x + w01 * p01.x + w11 * p11.x) * scaleX;
            q.y = (w00 * p00.y + w10 * p10.y + w01 * p01.y + w11 * p11.y) * scaleY;
        }
    }

    width_ = width;
    height_ = height;
    across_ = newAcross;
    down_ = newDown;
    points_ = std::move(resized);
    PlaceRing();
    ApplyEdgeMode();
    rememberedColumn_ = 0;
    rememberedRow_ = 0;
}
