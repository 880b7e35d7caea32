// The brush tools: the shared brush frame and the move of each tool.
#include "GridTestSupport.h"

#include "HuxLib/HuxGeometry/HuxTransform2D.h"
#include "grid/PSPlimTools.h"

#include <cmath>
#include <limits>
#include <numbers>
#include <vector>

using gridtest::HuxPoint2D;
using gridtest::MakeGrid;
using gridtest::SameBits;

namespace {

// 4 x 4 units, 11 x 11 points: inner point (c, r) at ((c - 1) / 2, (r - 1) / 2),
// so (5, 5) sits at (2, 2).
PSPlimGrid HalfCellGrid(PSPlimEdgeMode edgeMode = PSPlimEdgeMode::Free)
{
    return MakeGrid(4.0, 4.0, 11, 11, edgeMode);
}

constexpr int kToolCount = PSPlimChoiceCount<PSPlimTool>();

// The tool of a stored id in 0 .. kToolCount - 1.
PSPlimTool Tool(int id)
{
    return *PSPlimChoiceFrom<PSPlimTool>(id);
}

// A stroke step of length 0.5 centred on (2, 2), to the right.
const HuxPoint2D kFrom{1.75, 2.0};
const HuxPoint2D kTo{2.25, 2.0};

// Every point outside the rectangle of indices keeps its bits.
testing::AssertionResult UnchangedOutside(const PSPlimGrid& before, const PSPlimGrid& after, GridIndexRect range)
{
    for (int r = 0; r < before.PointsDown(); ++r) {
        for (int c = 0; c < before.PointsAcross(); ++c) {
            const bool inside = c >= range.left && c <= range.right && r >= range.top && r <= range.bottom;
            if (!inside && !(before.Point(c, r) == after.Point(c, r)))
                return testing::AssertionFailure() << "point " << c << ", " << r << " moved";
        }
    }
    return testing::AssertionSuccess();
}

} // namespace

TEST(PSPlimGridPush, MovesTheCentreByTheStrokeTimesPowerFallingToTheRim)
{
    PSPlimGrid grid = HalfCellGrid();
    const PSPlimGrid before = grid;
    const GridIndexRect range = grid.Push(kFrom, kTo, 1.0, 0.5);
    EXPECT_EQ(range, (GridIndexRect{3, 3, 7, 7}));
    EXPECT_EQ(grid.Point(5, 5), (HuxPoint2D{2.25, 2.0})) << "centre: 0.5 x 0.5";
    EXPECT_EQ(grid.Point(4, 5), (HuxPoint2D{1.625, 2.0})) << "half radius: half as far";
    EXPECT_EQ(grid.Point(6, 5), (HuxPoint2D{2.625, 2.0}));
    EXPECT_EQ(grid.Point(5, 4), (HuxPoint2D{2.125, 1.5}));
    EXPECT_EQ(grid.Point(4, 4).x, 1.5 + (1.0 - std::sqrt(0.5)) * 0.25);
    EXPECT_EQ(grid.Point(4, 4).y, 1.5);
    // On the rim: affected with amount 0, still reported.
    EXPECT_EQ(grid.Point(3, 5), before.Point(3, 5));
    EXPECT_EQ(grid.Point(5, 7), before.Point(5, 7));
    EXPECT_TRUE(UnchangedOutside(before, grid, range));
}

TEST(PSPlimGridPush, FollowsTheDirectionOfTheMove)
{
    PSPlimGrid grid = HalfCellGrid();
    grid.Push({2.25, 1.75}, {1.75, 2.25}, 0.75, 0.5); // down-left, length sqrt(1/2)
    EXPECT_NEAR(grid.Point(5, 5).x, 1.75, 1e-15);
    EXPECT_NEAR(grid.Point(5, 5).y, 2.25, 1e-15);
}

TEST(PSPlimGridTools, MoveOfZeroLengthMovesNothing)
{
    for (int tool = 0; tool < kToolCount; ++tool) {
        PSPlimGrid grid = HalfCellGrid();
        grid.At(5, 5) = {2.125, 1.875};
        grid.At(6, 6) = {2.75, 2.25};
        const PSPlimGrid before = grid;
        const GridIndexRect range = ApplyTool(grid, Tool(tool), {2.0, 2.0}, {2.0, 2.0}, 0.6, 1.0, {1.5, 1.5});
        EXPECT_TRUE(SameBits(before, grid)) << "tool " << tool;
        EXPECT_FALSE(range.Empty()) << "tool " << tool;
    }
}

TEST(PSPlimGridTools, BrushOutsideTheGridReportsNothing)
{
    PSPlimGrid grid = HalfCellGrid();
    const PSPlimGrid before = grid;
    EXPECT_TRUE(grid.Push({9.0, 9.0}, {9.5, 9.0}, 0.25, 1.0).Empty());
    EXPECT_TRUE(SameBits(before, grid));
}

TEST(PSPlimGridTools, FixedEdgePutsPushedBorderPointsBack)
{
    PSPlimGrid grid = HalfCellGrid(PSPlimEdgeMode::Fixed);
    const PSPlimGrid before = grid;
    const GridIndexRect range = grid.Push({0.0, 1.75}, {0.0, 2.25}, 0.75, 1.0);
    EXPECT_EQ(range, (GridIndexRect{1, 4, 2, 6}));
    EXPECT_EQ(grid.Point(1, 5), before.Point(1, 5)) << "border point back on its regular position";
    EXPECT_EQ(grid.Point(2, 5), (HuxPoint2D{0.5, 2.0 + (1.0 - 0.5 / 0.75) * 0.5}));
}

TEST(PSPlimGridTools, LockedEdgeKeepsPushedBorderPointsOnTheBorder)
{
    PSPlimGrid grid = HalfCellGrid(PSPlimEdgeMode::Locked);
    grid.Push({0.25, 2.0}, {-0.25, 2.0}, 0.75, 1.0); // outwards
    EXPECT_EQ(grid.Point(1, 5), (HuxPoint2D{0.0, 2.0}));
    EXPECT_LT(grid.Point(2, 5).x, 0.5);
}

TEST(PSPlimGridRevert, UndeformedGridReportsThePointsButMovesNone)
{
    PSPlimGrid grid = HalfCellGrid();
    const PSPlimGrid before = grid;
    EXPECT_EQ(grid.Revert(kFrom, kTo, 1.0, 1.0), (GridIndexRect{3, 3, 7, 7}));
    EXPECT_TRUE(SameBits(before, grid));
}

TEST(PSPlimGridRevert, PointLandsOnItsRegularPositionOrMovesTowardsIt)
{
    PSPlimGrid grid = HalfCellGrid();
    grid.At(5, 5) = {2.125, 2.0};
    grid.Revert({2.0, 1.75}, {2.0, 2.25}, 1.0, 0.5); // amount 7/32 beyond the distance 1/8
    EXPECT_EQ(grid.Point(5, 5), (HuxPoint2D{2.0, 2.0}));

    grid.At(5, 5) = {2.0, 2.5};
    grid.Revert({2.0, 2.25}, {2.0, 2.75}, 1.0, 0.5); // amount 1/4 of the distance 1/2
    EXPECT_EQ(grid.Point(5, 5), (HuxPoint2D{2.0, 2.25}));
}

TEST(PSPlimGridPullToward, TargetIsTheTransformedRegularPosition)
{
    PSPlimGrid grid = HalfCellGrid();
    HuxGeometry::HuxTransform2D shift;
    shift.SetTranslation(0.25, -0.125);
    grid.PullToward(kFrom, kTo, 0.25, 2.0, shift); // amount 1 at the centre
    EXPECT_EQ(grid.Point(5, 5), (HuxPoint2D{2.25, 1.875}));
}

TEST(PSPlimGridSmooth, UndeformedInteriorStaysAndTheFreeBorderCreepsInwards)
{
    PSPlimGrid grid = MakeGrid(4.0, 4.0, 7, 7); // inner point (c, r) at (c - 1, r - 1)
    const PSPlimGrid before = grid;
    // Column 1, rows 2 to 4, and their interior neighbours: each border
    // point's target is W / (4 (N - 3)) = 1/4 from the edge, computed from
    // the grid as it was before the application.
    const GridIndexRect range = grid.Smooth({0.0, 1.25}, {0.0, 2.75}, 1.5, 0.5);
    EXPECT_EQ(range, (GridIndexRect{1, 2, 2, 4}));
    EXPECT_EQ(grid.Point(1, 2), (HuxPoint2D{0.25, 1.0}));
    EXPECT_EQ(grid.Point(1, 3), (HuxPoint2D{0.25, 2.0}));
    EXPECT_EQ(grid.Point(1, 4), (HuxPoint2D{0.25, 3.0}));
    for (int r = 2; r <= 4; ++r)
        EXPECT_EQ(grid.Point(2, r), before.Point(2, r)) << "row " << r;
    EXPECT_TRUE(UnchangedOutside(before, grid, range));
}

TEST(PSPlimGridSmooth, CornerIsDrawnInBothWays)
{
    PSPlimGrid grid = MakeGrid(4.0, 4.0, 7, 7);
    grid.Smooth({-0.25, 0.0}, {0.25, 0.0}, 0.5, 1.0);
    EXPECT_EQ(grid.Point(1, 1), (HuxPoint2D{0.25, 0.25}));
}

TEST(PSPlimGridSmooth, FixedAndLockedEdgesHoldTheBorder)
{
    for (PSPlimEdgeMode mode : {PSPlimEdgeMode::Fixed, PSPlimEdgeMode::Locked}) {
        PSPlimGrid grid = MakeGrid(4.0, 4.0, 7, 7, mode);
        const PSPlimGrid before = grid;
        EXPECT_FALSE(grid.Smooth({0.0, 1.25}, {0.0, 2.75}, 1.5, 0.5).Empty());
        EXPECT_TRUE(SameBits(before, grid)) << "mode " << PSPlimStored(mode);
    }
}

TEST(PSPlimGridSmooth, DeformedPointMovesTowardsTheMeanOfItsNeighbours)
{
    PSPlimGrid grid = MakeGrid(4.0, 4.0, 7, 7);
    grid.At(3, 3) = {3.0, 2.0}; // one unit right of (2, 2); the target is 1/4 right
    grid.Smooth({2.5, 2.0}, {3.5, 2.0}, 0.5, 0.5);
    EXPECT_EQ(grid.Point(3, 3), (HuxPoint2D{2.5, 2.0})) << "moved half a unit of the 3/4 to go";
}

TEST(PSPlimGridStabilise, UndeformedGridMovesNothing)
{
    PSPlimGrid grid = HalfCellGrid();
    const PSPlimGrid before = grid;
    const GridIndexRect range = grid.Stabilise({1.25, 2.625}, {1.5, 2.875}, 0.5, 1.0, {1.25, 2.625});
    EXPECT_FALSE(range.Empty());
    EXPECT_TRUE(SameBits(before, grid));
    // The anchor's cell and triangle are left remembered.
    EXPECT_EQ(grid.RememberedColumn(), 3);
    EXPECT_EQ(grid.RememberedRow(), 6);
    EXPECT_TRUE(grid.RememberedTriangle());
}

TEST(PSPlimGridStabilise, RigidlyTurnedGridStaysWhereItIs)
{
    PSPlimGrid grid = HalfCellGrid();
    const double angle = 0.3, cosine = std::cos(angle), sine = std::sin(angle);
    for (int r = 1; r <= 9; ++r) {
        for (int c = 1; c <= 9; ++c) {
            HuxPoint2D& p = grid.At(c, r);
            const double x = p.x - 2.0, y = p.y - 2.0;
            p = {2.0 + cosine * x - sine * y, 2.0 + sine * x + cosine * y};
        }
    }
    const PSPlimGrid before = grid;
    EXPECT_FALSE(grid.Stabilise({2.1, 1.9}, {2.4, 2.3}, 1.0, 1.0, {2.1, 1.9}).Empty());
    EXPECT_TRUE(gridtest::SamePoints(before, grid, 1e-12));
}

TEST(PSPlimGridStabilise, StretchAboutTheAnchorRelaxesLikeRevert)
{
    PSPlimGrid grid = HalfCellGrid();
    for (int r = 1; r <= 9; ++r) {
        for (int c = 1; c <= 9; ++c) {
            HuxPoint2D& p = grid.At(c, r);
            p = {2.0 + 1.25 * (p.x - 2.0), 2.0 + 1.25 * (p.y - 2.0)};
        }
    }
    PSPlimGrid reverted = grid;
    reverted.Revert({2.0, 2.0}, {2.5, 2.0}, 1.2, 1.0);
    grid.Stabilise({2.0, 2.0}, {2.5, 2.0}, 1.2, 1.0, {2.0, 2.0});
    EXPECT_TRUE(gridtest::SamePoints(reverted, grid, 1e-15));
    EXPECT_NE(grid.Point(6, 5).x, 2.0 + 1.25 * 0.5) << "the stretched neighbour was drawn in";
}

namespace {

// Stabilise's pull written out with the angle given: towards
// anchor + R(angle) (q - source), the source being where the lookup puts the
// anchor from the grid's current lookup state.
PSPlimGrid PulledAtAngle(PSPlimGrid grid, HuxPoint2D from, HuxPoint2D to, double radius, HuxPoint2D anchor,
                         double angle)
{
    const HuxPoint2D source = grid.InvertPoint(anchor);
    HuxGeometry::HuxTransform2D transform, step;
    transform.SetTranslation(-source.x, -source.y);
    step.SetRotation(angle);
    transform.PreMultiply(step);
    step.SetTranslation(anchor.x, anchor.y);
    transform.PreMultiply(step);
    grid.PullToward(from, to, radius, 1.0, transform);
    return grid;
}

} // namespace

// The whole mesh shrunk into the top-left quarter: the anchor lies in no
// triangle, the search fails and leaves the degenerate corner cell (0, 0)
// remembered. The angle comes from the nearest triangle with an area, the
// lower-right one of the undistorted cell (8, 8): no turn at all.
TEST(PSPlimGridStabilise, AnchorInNoTriangleTakesTheAngleOfTheNearestOne)
{
    PSPlimGrid grid = HalfCellGrid();
    for (int r = 0; r < 11; ++r) {
        for (int c = 0; c < 11; ++c)
            grid.At(c, r) = {grid.Point(c, r).x * 0.5, grid.Point(c, r).y * 0.5};
    }
    const HuxPoint2D from{1.5, 1.75}, to{1.75, 1.75}, anchor{3.5, 3.5};
    const PSPlimGrid expected = PulledAtAngle(grid, from, to, 1.0, anchor, 0.0);
    EXPECT_FALSE(grid.Stabilise(from, to, 1.0, 1.0, anchor).Empty());
    EXPECT_EQ(grid.RememberedColumn(), 0) << "the failed search's state stays";
    EXPECT_EQ(grid.RememberedRow(), 0);
    EXPECT_TRUE(SameBits(expected, grid));
    EXPECT_FALSE(SameBits(PulledAtAngle(expected, from, to, 1.0, anchor, std::numbers::pi / 4), grid))
        << "the remembered corner cell would have turned the lattice by 45 degrees";
}

namespace {

// The turn Stabilise reads from a triangle: the mean angle of its two edges
// along the grid lines against the undeformed directions.
double EdgeAngle(const PSPlimGrid& grid, int c, int r, bool upperLeft)
{
    const HuxPoint2D corner = upperLeft ? grid.Point(c, r) : grid.Point(c + 1, r + 1);
    const HuxPoint2D across = upperLeft ? grid.Point(c + 1, r) : grid.Point(c, r + 1);
    const HuxPoint2D down = upperLeft ? grid.Point(c, r + 1) : grid.Point(c + 1, r);
    // Both edges point right and down: away from the upper-left corner, into
    // the lower-right one.
    const HuxPoint2D h = upperLeft ? HuxPoint2D{across.x - corner.x, across.y - corner.y}
                                   : HuxPoint2D{corner.x - across.x, corner.y - across.y};
    const HuxPoint2D v = upperLeft ? HuxPoint2D{down.x - corner.x, down.y - corner.y}
                                   : HuxPoint2D{corner.x - down.x, corner.y - down.y};
    return (std::numbers::pi / 2 - std::atan2(h.y, h.x) - std::atan2(v.y, v.x)) * 0.5;
}

// Anchors whose source position comes from another triangle than a naive
// choice would take the angle from: beyond a right edge pushed out with free
// edges, the anchor lies in the opened ring cell, while the lookup clamps it
// onto the edge, where the inner cell beside it lies on top; and a search
// that starts in the other triangle of the anchor's cell.
struct AnchorCase {
    const char* name;
    PSPlimGrid grid;
    HuxPoint2D from, to, anchor;
    double radius;
    int column, row; // the triangle that gives the source position
    bool upperLeft;
};

std::vector<AnchorCase> AnchorCases()
{
    PSPlimGrid pushedOut = gridtest::UnitCellGrid();
    for (int r = 1; r <= 5; ++r)
        pushedOut.At(5, r).x = 4.5;
    pushedOut.SetLookupState(5, 3, false);

    // A 129 x 129 image with 9 x 5 points: the second step of the stroke
    // "drag right 135.9,69.8 148.4,70.7 155.7,71.6" (size 0.15, power 1),
    // as the editor passes it, after its first step.
    const double side = 0x1.6a09e667f3bcdp-1, radius = 0x1.318fc504816fp-3;
    const HuxPoint2D anchor{0x1.7da62b6b7312dp-1, 0x1.88356445f2b73p-2};
    const HuxPoint2D second{0x1.a0582f5df1e5fp-1, 0x1.8cbbea5a729p-2};
    const HuxPoint2D third{0x1.b4b58aba31355p-1, 0x1.9142706ef268cp-2};
    PSPlimGrid stroke = MakeGrid(side, side, 9, 5);
    stroke.Stabilise(anchor, second, radius, 1.0, anchor);

    // Only the lower-right triangle of cell (2, 2) is deformed.
    PSPlimGrid sheared = gridtest::UnitCellGrid();
    sheared.At(3, 3) = {2.3, 2.1};
    sheared.SetLookupState(2, 2, true);

    return {{"pushed out by half a cell", pushedOut, {4.3, 2.5}, {4.5, 2.5}, {4.3, 2.5}, 1.0, 4, 3, false},
            {"a stroke begun beyond the right edge", stroke, second, third, anchor, radius, 6, 2, true},
            {"the other triangle of the first cell", sheared, {1.8, 1.8}, {1.9, 1.7}, {1.8, 1.8}, 1.0, 2, 2, false}};
}

} // namespace

// Where the lookup finds the anchor, the turn comes from exactly the
// triangle that gave the source position.
TEST(PSPlimGridStabilise, AnchorFoundTurnsWithTheTriangleThatGaveTheSource)
{
    for (AnchorCase& c : AnchorCases()) {
        SCOPED_TRACE(c.name);
        const double angle = EdgeAngle(c.grid, c.column, c.row, c.upperLeft);
        const PSPlimGrid expected = PulledAtAngle(c.grid, c.from, c.to, c.radius, c.anchor, angle);
        EXPECT_FALSE(c.grid.Stabilise(c.from, c.to, c.radius, 1.0, c.anchor).Empty());
        EXPECT_TRUE(SameBits(expected, c.grid));
    }
}

TEST(PSPlimGridBulge, BoggleMovesPointsAwayFromTheAnchorAndLeavesTheAnchorPoint)
{
    PSPlimGrid grid = HalfCellGrid();
    const HuxPoint2D anchor{2.0, 2.0};
    const GridIndexRect range = ApplyTool(grid, PSPlimTool::Boggle, kFrom, kTo, 1.0, 0.5, anchor);
    EXPECT_EQ(range, (GridIndexRect{3, 3, 7, 7}));
    EXPECT_EQ(grid.Point(5, 5), anchor) << "no direction on the anchor";
    const double reach = 0.5 * 0.5 * 0.2;
    EXPECT_EQ(grid.Point(6, 5), (HuxPoint2D{2.5 + 0.5 * reach, 2.0}));
    EXPECT_EQ(grid.Point(5, 4), (HuxPoint2D{2.0, 1.5 - 0.5 * reach}));
    EXPECT_LT(grid.Point(4, 4).x, 1.5);
    EXPECT_LT(grid.Point(4, 4).y, 1.5);
}

TEST(PSPlimGridBulge, NibbleWithALargeReachCarriesPointsAcrossTheAnchor)
{
    PSPlimGrid grid = HalfCellGrid();
    ApplyTool(grid, PSPlimTool::Nibble, {0.5, 2.0}, {3.5, 2.0}, 4.0, 1.0, {2.0, 2.0});
    const double amount = (1.0 - 0.5 / 4.0) * (3.0 * -1.0 * 0.2);
    EXPECT_DOUBLE_EQ(grid.Point(6, 5).x, 2.5 + amount);
    EXPECT_LT(grid.Point(6, 5).x, 2.0) << "passed the anchor";
    EXPECT_EQ(grid.Point(6, 5).y, 2.0);
    EXPECT_EQ(grid.Point(5, 5), (HuxPoint2D{2.0, 2.0}));
}

TEST(PSPlimTools, DispatchMatchesTheGridOperations)
{
    PSPlimGrid start = HalfCellGrid(PSPlimEdgeMode::Locked);
    start.At(4, 5) = {1.25, 2.125};
    start.At(6, 4) = {2.625, 1.375};
    const HuxPoint2D from{1.8, 2.1}, to{2.3, 1.7}, anchor{1.6, 1.9};
    const double radius = 0.9, power = 0.7;
    using Direct = GridIndexRect (*)(PSPlimGrid&, HuxPoint2D, HuxPoint2D, double, double, HuxPoint2D);
    const Direct direct[kToolCount] = {
        [](PSPlimGrid& g, HuxPoint2D f, HuxPoint2D t, double r, double p, HuxPoint2D) { return g.Push(f, t, r, p); },
        [](PSPlimGrid& g, HuxPoint2D f, HuxPoint2D t, double r, double p, HuxPoint2D) { return g.Smooth(f, t, r, p); },
        [](PSPlimGrid& g, HuxPoint2D f, HuxPoint2D t, double r, double p, HuxPoint2D) { return g.Revert(f, t, r, p); },
        [](PSPlimGrid& g, HuxPoint2D f, HuxPoint2D t, double r, double p, HuxPoint2D a) {
            return g.Stabilise(f, t, r, p, a);
        },
        [](PSPlimGrid& g, HuxPoint2D f, HuxPoint2D t, double r, double p, HuxPoint2D a) {
            return g.Bulge(f, t, r, p, a);
        },
        [](PSPlimGrid& g, HuxPoint2D f, HuxPoint2D t, double r, double p, HuxPoint2D a) {
            return g.Bulge(f, t, r, -p, a);
        },
    };
    for (int tool = 0; tool < kToolCount; ++tool) {
        PSPlimGrid dispatched = start, called = start;
        const GridIndexRect a = ApplyTool(dispatched, Tool(tool), from, to, radius, power, anchor);
        const GridIndexRect b = direct[tool](called, from, to, radius, power, anchor);
        EXPECT_EQ(a, b) << "tool " << tool;
        EXPECT_FALSE(a.Empty()) << "tool " << tool;
        EXPECT_TRUE(SameBits(called, dispatched)) << "tool " << tool;
        EXPECT_FALSE(SameBits(start, dispatched)) << "tool " << tool << " moved nothing";
    }
}

// Cursor positions far beyond any screen: the stroke's length and every
// move stay finite, so the grid does, and Revert can bring points back.
TEST(PSPlimGridTools, AstronomicalPositionsKeepEveryPointFinite)
{
    const double huge = 1e200, nan = std::numeric_limits<double>::quiet_NaN();
    for (int tool = 0; tool < kToolCount; ++tool) {
        SCOPED_TRACE(tool);
        PSPlimGrid grid = HalfCellGrid();
        ApplyTool(grid, Tool(tool), {-huge, 2.0}, {huge, 2.0}, 1.0, 1.0, {-huge, 2.0});
        ApplyTool(grid, Tool(tool), {2.0, huge}, {2.0, -huge}, 1.0, 1.0, {2.0, 2.0});
        ApplyTool(grid, Tool(tool), {2.0, 2.0}, {2.5, 2.0}, 1.0, 1.0, {huge, -huge});
        ApplyTool(grid, Tool(tool), {2.0, 2.0}, {2.5, 2.0}, 1.0, 1.0, {nan, 2.0});
        ApplyTool(grid, Tool(tool), {nan, 2.0}, {2.5, 2.0}, 1.0, 1.0, {2.0, 2.0});
        for (int r = 0; r < 11; ++r) {
            for (int c = 0; c < 11; ++c)
                ASSERT_TRUE(std::isfinite(grid.Point(c, r).x) && std::isfinite(grid.Point(c, r).y))
                    << "point " << c << ", " << r;
        }
    }
}

// A huge stroke is the stroke at the tools' position limit; a point it flung
// away is still a point that Revert can reach and put back exactly.
TEST(PSPlimGridTools, AstronomicalStrokeActsAsTheStrokeAtTheLimitAndReverts)
{
    PSPlimGrid huge = HalfCellGrid(), limit = HalfCellGrid();
    huge.Push({-1e200, 2.0}, {1e200, 2.0}, 0.3, 0.25);
    limit.Push({-1e6, 2.0}, {1e6, 2.0}, 0.3, 0.25);
    EXPECT_TRUE(SameBits(limit, huge));
    // The stroke's midpoint is (0, 2), on the left edge point (1, 5).
    const HuxPoint2D flung = huge.Point(1, 5);
    EXPECT_EQ(flung, (HuxPoint2D{5e5, 2.0})) << "the centre point moved by the full reach";
    // A stroke centred on it that reaches further than it lies from home.
    huge.Revert({flung.x - 4e5, flung.y}, {flung.x + 4e5, flung.y}, 0.3, 1.0);
    EXPECT_EQ(huge.Point(1, 5), (HuxPoint2D{0.0, 2.0}));
}
