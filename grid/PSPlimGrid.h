// The deformation grid: an N x M array of control points over the filter
// rectangle, in grid units (the diagonal of the filtered area is 1).
//
// Columns 1 .. N-2 and rows 1 .. M-2 are the inner points the user edits;
// column 0, column N-1, row 0 and row M-1 form an outer ring that sits on the
// border points of the regular grid and is never moved by a tool. Point (c, r)
// is stored at index r*N + c.
#pragma once

#include "HuxLib/HuxGeometry/HuxPoint2D.h"
#include "grid/GridIndexRect.h"
#include "grid/GridOverlaps.h"
#include "grid/GridPatch.h"
#include "grid/GridPoints.h"
#include "grid/GridRowSolvers.h"
#include "grid/GridTriangles.h"
#include "grid/PSPlimChoices.h"

#include <vector>

namespace HuxGeometry {
class HuxTransform2D;
}

// Axis-aligned box in grid units.
struct GridBounds {
    double minX;
    double minY;
    double maxX;
    double maxY;
};

class PSPlimGrid {
public:
    using Point2D = HuxGeometry::HuxPoint2D;

    // Point counts including the ring are clamped to kPSPlimMinGridPoints ..
    // kPSPlimMaxGridPoints.
    // A regular 2.0 x 2.0 grid of 5 x 5 points with free edges.
    PSPlimGrid();

    // ---- Size, reset and copy (PSPlimGrid.cpp) ----------------------------
    void Reset(double width, double height, int across, int down);
    void CopyFrom(const PSPlimGrid& other);
    void ApplyEdgeMode();
    void Resize(double width, double height, int across, int down);

    // ---- Change tracking and undo (PSPlimGridPatch.cpp) -------------------
    // Box of the range's points widened by one point on every side.
    GridBounds PointBounds(const GridIndexRect& range) const;
    // Fills patch with snapshot's values where this grid differs from it;
    // true if any point or the edge mode differs.
    bool Diff(const PSPlimGrid& snapshot, GridPatch& patch) const;
    // The exchanges that undo and redo: false, and nothing changed, when the
    // record does not fit this grid. They never throw, so that an edit can
    // always be taken back.
    bool SwapPatch(GridPatch& patch) noexcept;
    void SaveState(GridState& snapshot) const;
    bool SwapState(GridState& snapshot) noexcept;

    // ---- Inverse lookup (PSPlimGridLookup.h, PSPlimGridInvert.cpp,
    //      PSPlimGridFolds.cpp) ----------------------------------------------
    // Where the material now at `deformed` lay in the undeformed grid: a
    // result of the point and the grid alone, whatever was looked up before.
    // Ring cells map outside the rectangle (-1 on the left and top sides);
    // a position in no triangle, not even within rounding, maps to (0, 0).
    // Where the mesh folds and several triangles hold the position, the one
    // on top gives it (see PSPlimGridFolds.cpp).
    Point2D InvertPoint(Point2D deformed);
    // InvertPoint of (xs[k], y) for k = 0 .. count - 1 into out, in this
    // order, with the same results, counters and lookup state as those
    // calls; the points the remembered cell settles go through `solver`
    // (PSPlimGridRow.cpp), several at a time.
    void InvertRow(const double* xs, double y, int32_t count, Point2D* out,
                   GridRowSolver solver = GridRowSolvers::Chosen());
    // Works out now what lookups of the current points need from the whole
    // grid (where triangles may overlap, and the index the search goes
    // through), which they would otherwise work out on first use.
    void PrepareLookup();
    // A copy for lookups on another thread, carrying what PrepareLookup
    // worked out for `prepared` instead of working it out again.
    struct WithLookup {};
    PSPlimGrid(const PSPlimGrid& prepared, WithLookup);

    // ---- Brush tools (PSPlimGridTools.cpp) --------------------------------
    // Each returns the range of inner points inside the brush circle.
    GridIndexRect Push(Point2D from, Point2D to, double radius, double power);
    GridIndexRect Smooth(Point2D from, Point2D to, double radius, double power);
    GridIndexRect Revert(Point2D from, Point2D to, double radius, double power);
    GridIndexRect Stabilise(Point2D from, Point2D to, double radius, double power, Point2D anchor);
    GridIndexRect Bulge(Point2D from, Point2D to, double radius, double power, Point2D anchor);
    GridIndexRect PullToward(Point2D from, Point2D to, double radius, double power,
                             const HuxGeometry::HuxTransform2D& transform);

    // ---- Accessors --------------------------------------------------------
    double Width() const { return width_; }
    double Height() const { return height_; }
    int PointsAcross() const { return across_; }
    int PointsDown() const { return down_; }
    const Point2D& Point(int c, int r) const { return points_[Index(c, r)]; }
    // A write access: the reference must not be written through after a
    // later lookup, which would still see the points as they were.
    Point2D& At(int c, int r) { return points_[Index(c, r)]; }
    // Undeformed position of point (c, r).
    Point2D RegularPosition(int c, int r) const { return {RegularX(c), RegularY(r)}; }

    PSPlimEdgeMode EdgeMode() const { return edgeMode_; }
    void SetEdgeMode(PSPlimEdgeMode mode) { edgeMode_ = mode; }

    // Lookup coherence, cleared by the editor before each preview update:
    // the lookups and the search's failed triangle tests (settling a point
    // that more than one triangle may hold is not counted).
    int LookupCounter() const { return lookupCounter_; }
    int FailedTestCounter() const { return failedTestCounter_; }
    void ClearCounters() { lookupCounter_ = failedTestCounter_ = 0; }

    // Where the next lookup starts: cell (column, row), and which triangle
    // of it (true: upper-left, false: lower-right). Only a hint for speed.
    int RememberedColumn() const { return rememberedColumn_; }
    int RememberedRow() const { return rememberedRow_; }
    bool RememberedTriangle() const { return rememberedTriangle_; }
    // Moves the start of the next lookup; the cell is clamped into the grid.
    void SetLookupState(int column, int row, bool upperLeft);

private:
    int Index(int c, int r) const { return r * across_ + c; }
    double RegularX(int c) const;
    double RegularY(int r) const;
    void FillRegular();
    void PlaceRing();
    void ApplyFixedEdge();
    void ApplyLockedEdge();

    // One triangle of cell (a, b); on a hit stores the undeformed position
    // and tells whether p lies near an edge, well inside, or well inside a
    // triangle known to be clean (no other holds such a point).
    enum class TriangleHit { Miss, NearEdge, Inside, Settled };
    TriangleHit TestTriangle(int a, int b, bool upperLeft, Point2D p, Point2D& result);
    // A hit of the search in triangle (a, b, upperLeft): kept when no other
    // triangle can hold p, else settled among all that do.
    bool Settle(TriangleHit hit, int a, int b, bool upperLeft, Point2D p, Point2D& result);
    bool SettleAmongAll(TriangleHit hit, int a, int b, bool upperLeft, Point2D p, Point2D& result);
    bool RingInPlace() const;
    // Undeformed position of (s, t) in triangle (a, b, upperLeft).
    Point2D UndeformedPosition(int a, int b, bool upperLeft, double s, double t) const;
    // The position a lookup searches for: clamped onto the rectangle.
    Point2D Clamped(Point2D p) const;
    // The remembered cell as a row kernel reads it, for a row at clamped y.
    GridRowCell RememberedCell(double y);
    // InvertPoint, telling whether a triangle held the (clamped) position;
    // a miss leaves (0, 0) in result.
    bool Lookup(Point2D deformed, Point2D& result);
    // The lookup once the remembered cell has missed: the next cell in row
    // order, then the search around the estimate.
    bool LookupBeyondCell(Point2D p, Point2D& result);
    // Remembers cell (a, b) and tries both its triangles, remembered one first.
    bool TestCell(int a, int b, Point2D p, Point2D& result);
    // Tries the cell under p's undeformed position, then every other
    // triangle the overlaps' index lists for p.
    bool Search(Point2D p, Point2D& result);
    // Triangle `index` (numbered as GridOverlaps numbers them); a hit
    // becomes the remembered triangle.
    bool TestIndexed(int32_t index, Point2D p, Point2D& result);
    // When no triangle of `overlaps` (the current ones) accepts p, a point
    // of the rectangle, which the mesh and its ring cover: it fell between
    // triangles by rounding (on the ring's outer edge, say, once an edge has
    // moved inwards). The triangle it lies least outside of gives it, if
    // only by rounding's reach; the first in index order of equals.
    bool NearestWithinRounding(GridOverlaps& overlaps, Point2D p, Point2D& result);
    // The overlaps worked out for the points as they are.
    GridOverlaps& CurrentOverlaps();

    // One triangle of one cell.
    struct CellTriangle {
        int column;
        int row;
        bool upperLeft;
    };
    // The triangle GridOverlaps numbers `index`.
    CellTriangle IndexedTriangle(int32_t index) const
    {
        const int cell = index >> 1;
        return {cell % (across_ - 1), cell / (across_ - 1), (index & 1) != 0};
    }
    // Where Stabilise takes its angle when the lookup finds no triangle for
    // `anchor`: the first triangle in row order that holds the anchor
    // itself, else the nearest one with an area.
    CellTriangle NearestTriangle(Point2D anchor);

    double width_ = 2.0;
    double height_ = 2.0;
    int across_ = kPSPlimMinGridPoints;
    int down_ = kPSPlimMinGridPoints;
    GridPoints points_;
    GridTriangles triangles_; // the lookup's prepared triangles, derived from points_
    GridOverlaps overlaps_;   // where triangles may overlap, derived from points_
    int rememberedColumn_ = 0;
    int rememberedRow_ = 0;
    bool rememberedTriangle_ = false;
    int lookupCounter_ = 0;
    int failedTestCounter_ = 0;
    CellTriangle found_{0, 0, false}; // the triangle that gave the last lookup's result
    PSPlimEdgeMode edgeMode_ = PSPlimEdgeMode::Free;
};

#include "grid/PSPlimGridLookup.h"
