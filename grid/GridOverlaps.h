// Where the deformed mesh may hold a point in more than one triangle, worked
// out once per change of the points, so that the inverse lookup can give each
// point one answer whatever it looked up before.
//
// The ring lies on the image's border, so where no triangle is turned over
// the mesh covers the image once: a point that two triangles of the right
// orientation hold lies in a turned-over one as well. A cell is clean when
// its triangles are not thin, are not much smaller than their neighbours, and
// no turned-over or thin triangle comes near it; a point well inside a
// triangle of a clean cell then lies in no other, rounding included.
// Everything else is settled through the buckets, filled when first needed:
// the rectangle is divided like the undeformed grid, and each bucket lists
// every triangle that could hold a point of it, its box widened beyond any
// rounding of the test. The lookup's search goes through them too, so that
// it finds a point's triangle however far the mesh has carried it.
#pragma once

#include "grid/GridPoints.h"

#include <cstdint>
#include <span>
#include <vector>

class GridOverlaps {
public:
    // The share of a triangle that counts as near its edges (in s, t and
    // 1 - s - t), and the height below which a triangle counts as thin,
    // relative to the longest edge around it. Together they keep a point
    // called well inside a clean cell's triangle farther from every other
    // triangle than any rounding of their tests reaches.
    static constexpr double kMargin = 0x1p-20;
    // A triangle's test may accept a point a few rounding errors of its
    // coordinates beyond it; its box is widened by this share of its
    // extent, far beyond that.
    static constexpr double kWiden = 0x1p-40;

    GridOverlaps() = default;
    // Derived data only: a copy starts empty and is worked out again on use.
    GridOverlaps(const GridOverlaps&) {}
    GridOverlaps& operator=(const GridOverlaps&)
    {
        generation_ = 0;
        return *this;
    }

    // Worked out for the points' generation: false after any change.
    bool Current(uint64_t generation) const { return generation_ == generation; }
    // What `other` has worked out, as a copy of its grid needs it: taken
    // only once its buckets are filled (FillBucketsOnce), as the working
    // space they are filled from is not.
    void CopyFrom(const GridOverlaps& other);

    // Works out which cells are clean for the points of a grid `across` x
    // `down` points over width x height; ringInPlace: the ring lies on the
    // rectangle's border as a reset puts it.
    void Analyse(const GridPoints& points, int across, int down, double width, double height, bool ringInPlace);

    // Only while Current.
    bool Clean(int a, int b) const { return clean_[size_t(b) * size_t(cellsAcross_) + size_t(a)] != 0; }
    // Every triangle that could hold p, a point of the rectangle, as
    // 2 * (b * (across - 1) + a) + (upperLeft ? 1 : 0), ascending; the
    // triangles without a finite box are listed apart, in Unbounded. The
    // buckets are filled on the first call after Analyse.
    std::span<const int32_t> Candidates(const GridPoints& points, double x, double y);
    // Fills the buckets now, so that Candidates changes nothing.
    void FillBucketsOnce(const GridPoints& points)
    {
        if (!bucketsFilled_)
            FillBuckets(points);
    }
    std::span<const int32_t> Unbounded() const { return unbounded_; }

private:
    struct Box {
        double minX, minY, maxX, maxY;
    };
    // The box of the triangle at `index`, widened beyond any rounding of
    // its test.
    Box TriangleBox(const GridPoints& points, size_t index) const;
    bool MeetsRectangle(const Box& box) const;
    template <class Visit>
    void ForEachBucket(const Box& box, Visit&& visit) const;
    int BucketX(double x) const;
    int BucketY(double y) const;
    void FillBuckets(const GridPoints& points);

    // What is worked out (CopyFrom takes all of it).
    uint64_t generation_ = 0; // 0: never worked out
    int across_ = 0;
    int cellsAcross_ = 0;
    double width_ = 0.0;
    double height_ = 0.0;
    int bucketsAcross_ = 1;
    int bucketsDown_ = 1;
    double bucketScaleX_ = 0.0; // buckets per grid unit
    double bucketScaleY_ = 0.0;
    bool bucketsFilled_ = false;
    std::vector<uint8_t> clean_;       // per cell, row by row
    std::vector<int32_t> bucketStart_; // per bucket, and one past the last
    std::vector<int32_t> bucketItems_; // triangle indices, bucket by bucket
    std::vector<int32_t> unbounded_;

    // Working space, kept to spare allocations on every change.
    struct Shape {
        double cross;          // twice the area, positive when not turned over
        double longestSquared; // of its edges
        bool solvable;         // its test can accept a point
        bool finite;           // all its corners are numbers
        bool thin;             // thin or turned over: a possible fold
        bool listed;           // in the buckets its box meets
    };
    std::vector<Shape> shapes_;
    std::vector<Box> boxes_;          // per triangle, while the buckets are filled
    std::vector<uint8_t> folded_;     // per bucket: a thin or turned-over triangle meets it
    std::vector<double> cellScale_;   // per cell: its longest edge squared
    std::vector<double> aroundScale_; // per cell: the largest of its row's three
    std::vector<int32_t> nextItem_;   // per bucket: where its next item goes
};
