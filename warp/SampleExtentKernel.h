// Where the samples of a row of pixels lie, several pixels at a time, by
// the rule of CornerBox::AddRow (effect/SourceFootprint.h): a pixel whose
// top and left edges are both shorter than sqrt(singleSquared) takes one
// sample at the centre of its corners, computed as MeasureQuad does; any
// other takes its samples within its corners, which are widened by a
// margin for the rounding of the positions interpolated between them.
//
// Written once over the lanes of an instruction set (HuxLanesSse2.h,
// HuxLanesAvx.h, HuxLanesAvx512.h), a point's x and y side by side, and
// compiled in a translation unit per set. Everything here that compiles to
// code is a template of the lanes, so that no copy compiled for one set can
// stand in for another's at link time.
#pragma once

#include "HuxLib/HuxGeometry/HuxPoint2D.h"

#include <cstdint>
#include <limits>

// Per axis (x, y): the lowest and highest sample position of a row, and
// whether a position was not finite (its axis is then unbounded).
struct SampleExtent {
    double low[2];
    double high[2];
    bool wild[2];
};

// A corner p is widened by this much times 1 + |p|: far above the rounding
// of a position interpolated at its magnitude, far below a pixel.
constexpr double kSampleCornerMargin = 1e-9;

// The extent of the pixels between two rows of count + 1 corners.
using SampleExtentKernel = SampleExtent (*)(const HuxGeometry::HuxPoint2D* above,
                                            const HuxGeometry::HuxPoint2D* below, int32_t count,
                                            double singleSquared);

namespace SampleExtentRow {

// No library function is called here: one compiled for AVX could stand in
// for the others' copy (in an unoptimised build, where it is not inlined).
constexpr double kInfinity = std::numeric_limits<double>::infinity();

template <class Lanes>
struct Bounds {
    typename Lanes::Vector low;
    typename Lanes::Vector high;
    typename Lanes::Vector wild; // 0, or NaN once a position was not finite
};

// The pixels of one batch, their corners at a, b (top) and c, d (bottom),
// one point per pair of lanes. Every centre goes into `wild`: it is finite
// exactly when its four corners are, and those are the positions either
// rule adds. A NaN passes min and max over, an infinity does not; a zero
// bound may keep either sign, which reads no other position.
template <class Lanes>
void AddBatch(const double* topLeft, const double* topRight, const double* bottomLeft, const double* bottomRight,
              typename Lanes::Vector singleSquared, Bounds<Lanes>& bounds)
{
    using L = Lanes;
    using V = typename L::Vector;
    const V a = L::Load(topLeft), b = L::Load(topRight), c = L::Load(bottomLeft), d = L::Load(bottomRight);
    const V top = L::Sub(a, b), left = L::Sub(a, c);
    const V topSquares = L::Mul(top, top), leftSquares = L::Mul(left, left);
    const V single = L::And(L::Less(L::Add(topSquares, L::SwapPairs(topSquares)), singleSquared),
                            L::Less(L::Add(leftSquares, L::SwapPairs(leftSquares)), singleSquared));
    const V half = L::Set(0.5);
    const V centre = L::Add(L::Mul(half, L::Add(L::Mul(half, a), L::Mul(half, b))),
                            L::Mul(half, L::Add(L::Mul(half, c), L::Mul(half, d))));
    bounds.wild = L::Add(bounds.wild, L::Sub(centre, centre));
    if (L::Bits(single) == (1 << L::kCount) - 1) {
        bounds.low = L::Min(bounds.low, centre);
        bounds.high = L::Max(bounds.high, centre);
        return;
    }
    const V plusInfinity = L::Set(kInfinity), minusInfinity = L::Set(-kInfinity);
    bounds.low = L::Min(bounds.low, L::Select(single, centre, plusInfinity));
    bounds.high = L::Max(bounds.high, L::Select(single, centre, minusInfinity));
    const V tiny = L::Set(kSampleCornerMargin), one = L::Set(1.0), sign = L::Set(-0.0);
    const V corners[4] = {a, b, c, d};
    for (const V p : corners) {
        const V margin = L::Mul(tiny, L::Add(one, L::Clear(sign, p)));
        bounds.low = L::Min(bounds.low, L::Select(single, plusInfinity, L::Sub(p, margin)));
        bounds.high = L::Max(bounds.high, L::Select(single, minusInfinity, L::Add(p, margin)));
    }
}

template <class Lanes>
SampleExtent Row(const HuxGeometry::HuxPoint2D* above, const HuxGeometry::HuxPoint2D* below, int32_t count,
                 double singleSquared)
{
    using L = Lanes;
    constexpr int n = L::kCount / 2; // pixels per batch
    Bounds<L> bounds{L::Set(kInfinity), L::Set(-kInfinity), L::Set(0.0)};
    const typename L::Vector single = L::Set(singleSquared);
    int32_t k = 0;
    for (; k + n <= count; k += n)
        AddBatch<L>(&above[k].x, &above[k + 1].x, &below[k].x, &below[k + 1].x, single, bounds);
    if (k < count) {
        // The last few, padded with repeats of the last pixel.
        double corners[4][L::kCount];
        for (int j = 0; j < n; ++j) {
            const int32_t m = k + j < count ? k + j : count - 1;
            const HuxGeometry::HuxPoint2D* points[4] = {&above[m], &above[m + 1], &below[m], &below[m + 1]};
            for (int corner = 0; corner < 4; ++corner) {
                corners[corner][2 * j] = points[corner]->x;
                corners[corner][2 * j + 1] = points[corner]->y;
            }
        }
        AddBatch<L>(corners[0], corners[1], corners[2], corners[3], single, bounds);
    }
    double low[L::kCount], high[L::kCount], wild[L::kCount];
    L::Store(low, bounds.low);
    L::Store(high, bounds.high);
    L::Store(wild, bounds.wild);
    SampleExtent extent{{low[0], low[1]}, {high[0], high[1]}, {!(wild[0] == 0.0), !(wild[1] == 0.0)}};
    for (int lane = 2; lane < L::kCount; ++lane) {
        const int axis = lane % 2;
        // std::min and std::max, written out.
        extent.low[axis] = low[lane] < extent.low[axis] ? low[lane] : extent.low[axis];
        extent.high[axis] = extent.high[axis] < high[lane] ? high[lane] : extent.high[axis];
        extent.wild[axis] = extent.wild[axis] || !(wild[lane] == 0.0);
    }
    return extent;
}

} // namespace SampleExtentRow
