// Which preimage the inverse lookup gives where the deformed mesh holds a
// point in more than one triangle: where it folds over itself, and on the
// edges and corners that neighbouring triangles share.
//
// The rule: the material that travelled farthest to the point lies on top,
// as a sheet pushed over the picture: a push carries the content under the
// brush's centre farther than the content ahead of it, which it overtakes
// and covers. The ring, the area outside the image that an edge moved
// inwards uncovers, lies under the whole picture. Equal distances go to the
// triangle first in row order. On an edge that two triangles of an unfolded
// mesh share, both give the point's position up to rounding, and the rule
// picks one of them whatever the search met first.
#include "grid/PSPlimGrid.h"

#include <cmath>
#include <limits>

namespace {

// How a triangle that holds the point ranks: the higher layer, then the
// greater height, then the first in row order lies on top.
struct Rank {
    int layer;
    double height;
    int32_t index;

    bool Above(const Rank& other) const
    {
        if (layer != other.layer)
            return layer > other.layer;
        if (height != other.height)
            return height > other.height;
        return index < other.index;
    }
};

} // namespace

bool PSPlimGrid::RingInPlace() const
{
    for (int c = 0; c < across_; ++c) {
        if (Point(c, 0) != RegularPosition(c, 0) || Point(c, down_ - 1) != RegularPosition(c, down_ - 1))
            return false;
    }
    for (int r = 0; r < down_; ++r) {
        if (Point(0, r) != RegularPosition(0, r) || Point(across_ - 1, r) != RegularPosition(across_ - 1, r))
            return false;
    }
    return true;
}

GridOverlaps& PSPlimGrid::CurrentOverlaps()
{
    if (!overlaps_.Current(points_.Generation()))
        overlaps_.Analyse(points_, across_, down_, width_, height_, RingInPlace());
    return overlaps_;
}

void PSPlimGrid::PrepareLookup() { CurrentOverlaps().FillBucketsOnce(points_); }

PSPlimGrid::PSPlimGrid(const PSPlimGrid& prepared, WithLookup) : PSPlimGrid(prepared)
{
    // A copy constructed shares the points' generation, so what is copied
    // stays current.
    overlaps_.CopyFrom(prepared.overlaps_);
}

bool PSPlimGrid::SettleAmongAll(TriangleHit hit, int a, int b, bool upperLeft, Point2D p, Point2D& result)
{
    GridOverlaps& overlaps = CurrentOverlaps();
    if (hit == TriangleHit::Inside && overlaps.Clean(a, b)) {
        triangles_.MarkClean(points_, across_, down_, a, b, upperLeft);
        found_ = {a, b, upperLeft};
        return true;
    }
    // The search's own hit is among the candidates; the one on top wins.
    found_ = {a, b, upperLeft};
    bool any = false;
    Rank top{};
    const auto consider = [&](int32_t index) {
        const auto [c, r, ul] = IndexedTriangle(index);
        Point2D q;
        if (TestTriangle(c, r, ul, p, q) == TriangleHit::Miss)
            return;
        const bool ring = c == 0 || r == 0 || c == across_ - 2 || r == down_ - 2;
        const double travelled = (p.x - q.x) * (p.x - q.x) + (p.y - q.y) * (p.y - q.y);
        const Rank rank{ring ? 0 : 1, std::isnan(travelled) ? -std::numeric_limits<double>::infinity() : travelled,
                        index};
        if (!any || rank.Above(top)) {
            any = true;
            top = rank;
            result = q;
            found_ = {c, r, ul};
        }
    };
    for (const int32_t index : overlaps.Candidates(points_, p.x, p.y))
        consider(index);
    for (const int32_t index : overlaps.Unbounded())
        consider(index);
    return true;
}
