// The inverse lookup's common case for a run of points on one row, several
// at a time: each point is tested against both triangles of the remembered
// cell and mapped back with the operations of PSPlimGrid::TestTriangle and
// UndeformedPosition, in their order, lane by lane, so that every result has
// the scalar lookup's bits. A run ends before the first point that the
// remembered cell does not settle (held by neither triangle, near an edge, or
// in a triangle not yet known to be clean); the scalar lookup takes that one.
//
// Written once over the lanes of an instruction set (HuxLanesSse2.h,
// HuxLanesAvx.h, HuxLanesAvx512.h) and compiled in a translation unit per
// set. Everything here that compiles to code is a template of the lanes, so
// that no copy compiled for one set can stand in for another's at link time.
#pragma once

#include <cstdint>

// One triangle of the remembered cell, as GridTriangles prepared it.
struct GridRowTriangle {
    double baseX;
    double baseY;
    double a11;
    double a12;
    double factor;
    double pivot;
    bool swapped;
    bool clean;
};

// What a row kernel reads: the remembered cell and the grid's measures.
struct GridRowCell {
    GridRowTriangle first; // the remembered triangle, tested first
    GridRowTriangle second;
    bool firstUpperLeft;
    double y; // the row's y, clamped as a lookup clamps it
    double width;
    double height;
    double cellsAcross; // across - 3
    double cellsDown;   // down - 3
    double left;        // a - 1: the undeformed u of s = 0 in the upper-left triangle
    double right;       // a: the same in the lower-right one
    double top;         // b - 1, b: the same for v and t
    double bottom;
    bool ringColumn; // a == 0: x goes to -1
    bool ringRow;    // b == 0: y goes to -1
};

// How a run went: the points settled, from the first; how many of them the
// second triangle held (each a failed test of the first); whether the last
// one did.
struct GridRowRun {
    int32_t solved;
    int32_t secondHits;
    bool lastInSecond;
};

// Solves (xs[k], cell.y) for k = 0 .. count - 1 until the first point not
// settled, writing (x, y) pairs to out; pairs of later points up to count
// may be written too.
using GridRowSolver = GridRowRun (*)(const GridRowCell& cell, const double* xs, int32_t count, double* out);

namespace GridRowKernel {

// GridOverlaps::kMargin (checked where the cell is filled).
constexpr double kMargin = 0x1p-20;

template <class Lanes>
struct Hits {
    typename Lanes::Vector s;
    typename Lanes::Vector t;
    typename Lanes::Vector held;    // not a miss
    typename Lanes::Vector settled; // held well inside a clean triangle
};

template <class Lanes>
Hits<Lanes> Test(const GridRowTriangle& triangle, typename Lanes::Vector x, double y)
{
    using L = Lanes;
    using V = typename L::Vector;
    const V across = L::Sub(x, L::Set(triangle.baseX));
    const V down = L::Set(y - triangle.baseY);
    const V b1 = triangle.swapped ? down : across;
    const V b2 = triangle.swapped ? across : down;
    const V t = L::Div(L::Sub(b2, L::Mul(L::Set(triangle.factor), b1)), L::Set(triangle.pivot));
    const V s = L::Div(L::Sub(b1, L::Mul(L::Set(triangle.a12), t)), L::Set(triangle.a11));
    const V sum = L::Add(s, t);
    const V zero = L::Set(0.0);
    const V held = L::And(L::And(L::GreaterEqual(t, zero), L::LessEqual(t, L::Set(1.0))),
                          L::And(L::GreaterEqual(s, zero), L::LessEqual(sum, L::Set(1.0))));
    const V inside = L::And(L::And(L::Greater(s, L::Set(kMargin)), L::Greater(t, L::Set(kMargin))),
                            L::Less(sum, L::Set(1.0 - kMargin)));
    return {s, t, held, triangle.clean ? L::And(held, inside) : zero};
}

// One batch of points: bit k of the result is set where point k settled, of
// secondBits where the second triangle held it.
template <class Lanes>
int SolveBatch(const GridRowCell& cell, typename Lanes::Vector x, double* out, int& secondBits)
{
    using L = Lanes;
    using V = typename L::Vector;
    const V zero = L::Set(0.0), width = L::Set(cell.width);
    x = L::Select(L::Less(x, zero), zero, L::Select(L::Greater(x, width), width, x));
    const Hits<L> first = Test<L>(cell.first, x, cell.y);
    Hits<L> second = first;
    if (L::Bits(first.settled) != (1 << L::kCount) - 1)
        second = Test<L>(cell.second, x, cell.y);
    const V inSecond = L::Clear(first.held, second.settled);
    const V s = L::Select(first.settled, first.s, second.s);
    const V t = L::Select(first.settled, first.t, second.t);
    const V upperLeft = cell.firstUpperLeft ? first.settled : inSecond;
    const V u = L::Select(upperLeft, L::Add(L::Set(cell.left), s), L::Sub(L::Set(cell.right), s));
    const V v = L::Select(upperLeft, L::Add(L::Set(cell.top), t), L::Sub(L::Set(cell.bottom), t));
    const V resultX = cell.ringColumn ? L::Set(-1.0) : L::Div(L::Mul(u, width), L::Set(cell.cellsAcross));
    const V resultY = cell.ringRow ? L::Set(-1.0) : L::Div(L::Mul(v, L::Set(cell.height)), L::Set(cell.cellsDown));
    L::StorePairs(out, resultX, resultY);
    secondBits = L::Bits(inSecond);
    return L::Bits(L::Or(first.settled, inSecond));
}

// Counts the leading settled points of a batch of `points` into run; false
// if one was not.
template <class Lanes>
bool Count(int bits, int secondBits, int points, GridRowRun& run)
{
    for (int lane = 0; lane < points; ++lane) {
        if ((bits >> lane & 1) == 0)
            return false;
        run.lastInSecond = (secondBits >> lane & 1) != 0;
        run.solved += 1;
        run.secondHits += run.lastInSecond ? 1 : 0;
    }
    return true;
}

template <class Lanes>
GridRowRun Solve(const GridRowCell& cell, const double* xs, int32_t count, double* out)
{
    using L = Lanes;
    constexpr int n = L::kCount;
    GridRowRun run{};
    int32_t k = 0;
    for (; k + n <= count; k += n) {
        int secondBits = 0;
        const int bits = SolveBatch<L>(cell, L::Load(xs + k), out + 2 * k, secondBits);
        if (!Count<L>(bits, secondBits, n, run))
            return run;
    }
    if (k == count)
        return run;
    // The last few, padded with a repeat of the last one.
    double x[n], pairs[2 * n];
    for (int lane = 0; lane < n; ++lane)
        x[lane] = xs[k + lane < count ? k + lane : count - 1];
    int secondBits = 0;
    const int bits = SolveBatch<L>(cell, L::Load(x), pairs, secondBits);
    const int32_t before = run.solved;
    Count<L>(bits, secondBits, int(count - k), run);
    for (int32_t j = 0; j < 2 * (run.solved - before); ++j)
        out[2 * k + j] = pairs[j];
    return run;
}

} // namespace GridRowKernel
