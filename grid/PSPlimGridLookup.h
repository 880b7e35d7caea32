// The inverse lookup's common case, inline: the renderer asks for every
// pixel corner, and neighbouring corners nearly always lie in the cell that
// the previous lookup ended in, well inside a triangle of a clean cell that
// no other triangle overlaps. Included at the end of PSPlimGrid.h; the rest
// of the search is in PSPlimGridInvert.cpp, points that more than one
// triangle may hold are settled in PSPlimGridFolds.cpp.
#pragma once

inline PSPlimGrid::TriangleHit PSPlimGrid::TestTriangle(int a, int b, bool upperLeft, Point2D p, Point2D& result)
{
    const SolvedTriangle& triangle = triangles_.Get(points_, across_, down_, a, b, upperLeft);
    double b1, b2;
    triangle.Offsets(p.x, p.y, b1, b2);
    const double t = triangle.SolveT(b1, b2);
    // t outside [0, 1] fails the bounds below whatever s is; leaving early
    // spares a division on the misses.
    if (!(t >= 0.0 && t <= 1.0))
        return TriangleHit::Miss;
    const double s = triangle.SolveS(b1, t);
    if (!(s >= 0.0 && s + t <= 1.0)) // NaN fails too
        return TriangleHit::Miss;
    result = UndeformedPosition(a, b, upperLeft, s, t);
    // Near an edge a neighbour may hold p as well, by rounding if not
    // otherwise.
    constexpr double margin = GridOverlaps::kMargin;
    if (!(s > margin && t > margin && s + t < 1.0 - margin))
        return TriangleHit::NearEdge;
    return triangle.clean ? TriangleHit::Settled : TriangleHit::Inside;
}

inline bool PSPlimGrid::Settle(TriangleHit hit, int a, int b, bool upperLeft, Point2D p, Point2D& result)
{
    if (hit == TriangleHit::Settled) {
        found_ = {a, b, upperLeft};
        return true;
    }
    return SettleAmongAll(hit, a, b, upperLeft, p, result);
}

inline PSPlimGrid::Point2D PSPlimGrid::UndeformedPosition(int a, int b, bool upperLeft, double s, double t) const
{
    const double u = upperLeft ? (a - 1) + s : a - s;
    const double v = upperLeft ? (b - 1) + t : b - t;
    const double x = u * width_ / (across_ - 3);
    const double y = v * height_ / (down_ - 3);
    // Ring cells lie outside the image: send them clear of its left and top
    // sides, each axis on its own so the top ring keeps its x.
    return {a == 0 ? -1.0 : x, b == 0 ? -1.0 : y};
}

inline PSPlimGrid::Point2D PSPlimGrid::InvertPoint(Point2D deformed)
{
    Point2D result;
    Lookup(deformed, result);
    return result;
}

inline PSPlimGrid::Point2D PSPlimGrid::Clamped(Point2D p) const
{
    if (p.x < 0.0)
        p.x = 0.0;
    else if (p.x > width_)
        p.x = width_;
    if (p.y < 0.0)
        p.y = 0.0;
    else if (p.y > height_)
        p.y = height_;
    return p;
}

inline bool PSPlimGrid::Lookup(Point2D deformed, Point2D& result)
{
    ++lookupCounter_;
    const Point2D p = Clamped(deformed);

    const int a = rememberedColumn_, b = rememberedRow_;
    const bool upperLeft = rememberedTriangle_;
    TriangleHit hit = TestTriangle(a, b, upperLeft, p, result);
    if (hit != TriangleHit::Miss)
        return Settle(hit, a, b, upperLeft, p, result);
    ++failedTestCounter_;
    hit = TestTriangle(a, b, !upperLeft, p, result);
    if (hit != TriangleHit::Miss)
        return Settle(hit, a, b, !upperLeft, p, result);
    ++failedTestCounter_;
    return LookupBeyondCell(p, result);
}
