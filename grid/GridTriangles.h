// The triangles of the deformed mesh, each prepared once for the inverse
// lookup's elimination and kept while the grid's points are unchanged.
//
// Cell (a, b) has the corners P(a, b), P(a+1, b), P(a, b+1), P(a+1, b+1) and
// is split along the diagonal P(a+1, b) - P(a, b+1) into an upper-left
// triangle (base P(a, b), edges to P(a+1, b) and P(a, b+1)) and a lower-right
// one (base P(a+1, b+1), edges to P(a, b+1) and P(a+1, b)). The lookup solves
// p - base = s*e1 + t*e2 by elimination with partial pivoting. Everything in
// that solution that does not depend on p is computed here with the very
// operations the solution uses, so a prepared triangle gives bit for bit the
// s and t of one solved from scratch.
#pragma once

#include "grid/GridPoints.h"

#include <cstdint>
#include <vector>

struct alignas(64) SolvedTriangle {
    double baseX = 0.0;
    double baseY = 0.0;
    double a11 = 0.0; // the first equation's coefficients after pivoting
    double a12 = 0.0;
    double factor = 0.0; // a21 / a11
    double pivot = 0.0;  // a22 - factor * a12; NaN if no point can solve
    uint64_t generation = 0; // of the points it was prepared from; 0: never
    bool swapped = false;    // the y equation comes first (|e1.x| < |e1.y|)
    bool clean = false;      // no other triangle holds a point well inside it (see GridOverlaps)

    // The solution for point (x, y), in the lookup's own operations: first
    // the offsets from the base in pivot order, then t, then s.
    void Offsets(double x, double y, double& b1, double& b2) const
    {
        b1 = swapped ? y - baseY : x - baseX;
        b2 = swapped ? x - baseX : y - baseY;
    }
    double SolveT(double b1, double b2) const { return (b2 - factor * b1) / pivot; }
    double SolveS(double b1, double t) const { return (b1 - a12 * t) / a11; }
};

class GridTriangles {
public:
    GridTriangles() = default;
    // Derived data only: a copy starts empty and is prepared again on use.
    GridTriangles(const GridTriangles&) {}
    GridTriangles& operator=(const GridTriangles&)
    {
        solved_.clear();
        return *this;
    }

    // The triangle with these corners solved as the lookup solves it (the
    // generation left 0); a pivot that is not a number holds no point.
    static SolvedTriangle Solve(GridPoints::Point2D base, GridPoints::Point2D corner1, GridPoints::Point2D corner2);

    // Triangle (a, b, upperLeft) of `points`, a grid `across` points wide
    // and `down` high, prepared for the points' current generation.
    const SolvedTriangle& Get(const GridPoints& points, int across, int down, int a, int b, bool upperLeft)
    {
        const size_t index = 2 * (size_t(b) * size_t(across - 1) + size_t(a)) + (upperLeft ? 1 : 0);
        if (index < solved_.size() && solved_[index].generation == points.Generation())
            return solved_[index];
        return Renew(points, across, down, a, b, upperLeft, index);
    }

    // Records that no other triangle holds a point well inside triangle
    // (a, b, upperLeft), until the points change.
    void MarkClean(const GridPoints& points, int across, int down, int a, int b, bool upperLeft)
    {
        Get(points, across, down, a, b, upperLeft);
        solved_[2 * (size_t(b) * size_t(across - 1) + size_t(a)) + (upperLeft ? 1 : 0)].clean = true;
    }

private:
    // Sizes the table for the grid if it does not fit, then prepares the
    // triangle at index.
    const SolvedTriangle& Renew(const GridPoints& points, int across, int down, int a, int b, bool upperLeft,
                                size_t index);
    static void Prepare(SolvedTriangle& triangle, const GridPoints& points, int across, int a, int b,
                        bool upperLeft);

    std::vector<SolvedTriangle> solved_;
};
