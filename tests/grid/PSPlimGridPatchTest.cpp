// Change tracking: index ranges, bounds, differences and the undo exchanges.
#include "GridTestSupport.h"

#include <limits>
#include <stdexcept>

using gridtest::HuxPoint2D;
using gridtest::MakeGrid;
using gridtest::SameBits;

TEST(GridIndexRect, ExtendsFromEmptyToASinglePointAndGrows)
{
    GridIndexRect range;
    EXPECT_TRUE(range.Empty());
    EXPECT_EQ(range.Columns(), 0);
    range.Extend(4, 7);
    EXPECT_EQ(range, (GridIndexRect{4, 7, 4, 7}));
    range.Extend(2, 9);
    range.Extend(5, 8);
    EXPECT_EQ(range, (GridIndexRect{2, 7, 5, 9}));
    EXPECT_EQ(range.Columns(), 4);
    EXPECT_EQ(range.Rows(), 3);
}

TEST(GridIndexRect, UnionIgnoresEmptyRanges)
{
    GridIndexRect range;
    range.Extend(GridIndexRect{});
    EXPECT_TRUE(range.Empty());
    range.Extend(GridIndexRect{3, 4, 5, 6});
    EXPECT_EQ(range, (GridIndexRect{3, 4, 5, 6}));
    range.Extend(GridIndexRect{1, 5, 2, 9});
    EXPECT_EQ(range, (GridIndexRect{1, 4, 5, 9}));
    range.Extend(GridIndexRect{});
    EXPECT_EQ(range, (GridIndexRect{1, 4, 5, 9}));
}

TEST(PSPlimGridBounds, CoverTheRangeWidenedByOnePoint)
{
    PSPlimGrid grid = MakeGrid(6.0, 6.0, 9, 9); // inner point (c, r) at (c - 1, r - 1)
    grid.At(3, 3) = {-5.0, 7.0};                // the changed point
    grid.At(4, 2) = {2.5, -2.5};                // in the margin
    grid.At(5, 5) = {9.0, -6.0};                // just outside the margin
    grid.At(1, 3) = {-9.0, 0.0};
    const GridBounds bounds = grid.PointBounds(GridIndexRect{3, 3, 3, 3});
    EXPECT_EQ(bounds.minX, -5.0);
    EXPECT_EQ(bounds.maxY, 7.0);
    EXPECT_EQ(bounds.minY, -2.5);
    EXPECT_EQ(bounds.maxX, 3.0);
}

TEST(PSPlimGridBounds, RangesOnTheRingAreClampedOntoTheGrid)
{
    PSPlimGrid grid = MakeGrid(4.0, 4.0, 6, 6);
    grid.At(0, 0) = {-1.0, -2.0};
    grid.At(5, 5) = {6.0, 7.0};
    const GridBounds all = grid.PointBounds(GridIndexRect{0, 0, 5, 5});
    EXPECT_EQ(all.minX, -1.0);
    EXPECT_EQ(all.minY, -2.0);
    EXPECT_EQ(all.maxX, 6.0);
    EXPECT_EQ(all.maxY, 7.0);
    // A range that strays off the grid still reads only grid points.
    const GridBounds stray = grid.PointBounds(GridIndexRect{40, 40, 90, 90});
    EXPECT_EQ(stray.maxX, 6.0);
    EXPECT_EQ(stray.minX, 6.0);
}

TEST(PSPlimGridDiff, IdenticalGridsDifferOnlyByEdgeMode)
{
    PSPlimGrid grid = MakeGrid(1.0, 1.0, 7, 7, PSPlimEdgeMode::Fixed);
    PSPlimGrid snapshot;
    snapshot.CopyFrom(grid);
    GridPatch patch;
    EXPECT_FALSE(grid.Diff(snapshot, patch));
    EXPECT_TRUE(patch.range.Empty());
    EXPECT_TRUE(patch.points.empty());

    grid.SetEdgeMode(PSPlimEdgeMode::Free);
    EXPECT_TRUE(grid.Diff(snapshot, patch));
    EXPECT_TRUE(patch.range.Empty());
    EXPECT_TRUE(patch.points.empty());
    EXPECT_EQ(patch.edgeMode, PSPlimEdgeMode::Fixed);
}

TEST(PSPlimGridDiff, PatchHoldsTheSnapshotValuesOverTheChangedRange)
{
    PSPlimGrid grid = MakeGrid(6.0, 6.0, 9, 9);
    PSPlimGrid snapshot;
    snapshot.CopyFrom(grid);
    grid.At(2, 5).x += 0.5;
    grid.At(4, 3).y -= 0.25;
    grid.At(0, 4) = {-1.0, 9.0}; // the ring counts too
    GridPatch patch;
    ASSERT_TRUE(grid.Diff(snapshot, patch));
    EXPECT_EQ(patch.range, (GridIndexRect{0, 3, 4, 5}));
    ASSERT_EQ(patch.points.size(), 15u);
    for (int r = 3; r <= 5; ++r) {
        for (int c = 0; c <= 4; ++c)
            EXPECT_EQ(patch.points[(r - 3) * 5 + c], snapshot.Point(c, r)) << c << ", " << r;
    }
    EXPECT_EQ(patch.edgeMode, PSPlimEdgeMode::Free);
}

TEST(PSPlimGridDiff, RefusesASnapshotOfAnotherSize)
{
    const PSPlimGrid grid = MakeGrid(1.0, 1.0, 7, 7);
    const PSPlimGrid other = MakeGrid(1.0, 1.0, 7, 8);
    GridPatch patch;
    EXPECT_THROW(grid.Diff(other, patch), std::invalid_argument);
}

TEST(PSPlimGridPatch, SwapTwiceRestoresGridAndPatchBitForBit)
{
    PSPlimGrid grid = MakeGrid(2.0, 2.0, 8, 8, PSPlimEdgeMode::Locked);
    PSPlimGrid snapshot;
    snapshot.CopyFrom(grid);
    grid.At(3, 3) = {-0.0, 0.75};
    grid.At(5, 4) = {std::numeric_limits<double>::denorm_min(), 1.0 / 3.0};
    grid.SetEdgeMode(PSPlimEdgeMode::Free);
    GridPatch patch;
    ASSERT_TRUE(grid.Diff(snapshot, patch));
    const PSPlimGrid edited = grid;
    const GridPatch original = patch;

    ASSERT_TRUE(grid.SwapPatch(patch)); // undo
    EXPECT_TRUE(SameBits(snapshot, grid));
    EXPECT_EQ(grid.EdgeMode(), PSPlimEdgeMode::Locked);
    EXPECT_EQ(patch.edgeMode, PSPlimEdgeMode::Free);

    ASSERT_TRUE(grid.SwapPatch(patch)); // redo
    EXPECT_TRUE(SameBits(edited, grid));
    EXPECT_EQ(grid.EdgeMode(), PSPlimEdgeMode::Free);
    ASSERT_EQ(patch.points.size(), original.points.size());
    EXPECT_EQ(std::memcmp(patch.points.data(), original.points.data(), patch.points.size() * sizeof(HuxPoint2D)), 0);
    EXPECT_EQ(patch.edgeMode, original.edgeMode);
}

TEST(PSPlimGridPatch, EmptyRangeSwapsOnlyTheEdgeMode)
{
    PSPlimGrid grid = MakeGrid(2.0, 2.0, 6, 6, PSPlimEdgeMode::Fixed);
    const PSPlimGrid before = grid;
    GridPatch patch;
    patch.edgeMode = PSPlimEdgeMode::Free;
    grid.SwapPatch(patch);
    EXPECT_EQ(grid.EdgeMode(), PSPlimEdgeMode::Free);
    EXPECT_EQ(patch.edgeMode, PSPlimEdgeMode::Fixed);
    EXPECT_TRUE(SameBits(before, grid));
}

TEST(PSPlimGridPatch, RefusesAPatchThatDoesNotFitAndChangesNothing)
{
    PSPlimGrid grid = MakeGrid(2.0, 2.0, 6, 6, PSPlimEdgeMode::Fixed);
    const PSPlimGrid before = grid;
    GridPatch outside{GridIndexRect{4, 4, 6, 5}, std::vector<HuxPoint2D>(6), PSPlimEdgeMode::Free};
    EXPECT_FALSE(grid.SwapPatch(outside));
    GridPatch shortOfPoints{GridIndexRect{1, 1, 2, 2}, std::vector<HuxPoint2D>(3), PSPlimEdgeMode::Free};
    EXPECT_FALSE(grid.SwapPatch(shortOfPoints));
    EXPECT_TRUE(SameBits(before, grid));
    EXPECT_EQ(grid.EdgeMode(), PSPlimEdgeMode::Fixed);
}

TEST(PSPlimGridState, SwapUndoesAndRedoesAResize)
{
    PSPlimGrid grid = MakeGrid(0.8, 0.6, 12, 10, PSPlimEdgeMode::Locked);
    grid.At(4, 4) = {0.3125, -0.0};
    GridState state;
    grid.SaveState(state);
    const PSPlimGrid original = grid;
    grid.Resize(0.8, 0.6, 30, 20);
    const PSPlimGrid resized = grid;

    grid.SetLookupState(5, 5, true);
    ASSERT_TRUE(grid.SwapState(state)); // undo
    EXPECT_TRUE(SameBits(original, grid));
    EXPECT_EQ(grid.PointsAcross(), 12);
    EXPECT_EQ(grid.PointsDown(), 10);
    EXPECT_EQ(state.pointsAcross, 30);
    EXPECT_EQ(state.pointsDown, 20);
    EXPECT_EQ(grid.RememberedColumn(), 0);
    EXPECT_EQ(grid.RememberedRow(), 0);
    EXPECT_EQ(grid.EdgeMode(), PSPlimEdgeMode::Locked);

    ASSERT_TRUE(grid.SwapState(state)); // redo
    EXPECT_TRUE(SameBits(resized, grid));
    EXPECT_EQ(state.points.size(), 120u);
}

TEST(PSPlimGridState, SwapKeepsTheEdgeModeAndExchangesTheExtent)
{
    PSPlimGrid grid = MakeGrid(1.0, 2.0, 5, 5, PSPlimEdgeMode::Fixed);
    GridState state;
    MakeGrid(3.0, 4.0, 6, 7).SaveState(state);
    grid.SwapState(state);
    EXPECT_EQ(grid.Width(), 3.0);
    EXPECT_EQ(grid.Height(), 4.0);
    EXPECT_EQ(grid.Point(4, 5), (HuxPoint2D{3.0, 4.0}));
    EXPECT_EQ(grid.EdgeMode(), PSPlimEdgeMode::Fixed);
    EXPECT_EQ(state.width, 1.0);
    EXPECT_EQ(state.height, 2.0);
}

TEST(PSPlimGridState, RefusesAStateThatIsNotAWholeGrid)
{
    PSPlimGrid grid = MakeGrid(1.0, 2.0, 5, 5);
    const PSPlimGrid before = grid;
    GridState empty;
    EXPECT_FALSE(grid.SwapState(empty));
    GridState truncated;
    grid.SaveState(truncated);
    truncated.points.pop_back();
    EXPECT_FALSE(grid.SwapState(truncated));
    EXPECT_TRUE(SameBits(before, grid));
    EXPECT_EQ(grid.Width(), 1.0);
}
