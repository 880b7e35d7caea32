// Recording, undoing and redoing grid edits through the application, inside
// a real run of the filter in the test host.
#include "EffectTestSupport.h"

#include "effect/PSPlimGridActions.h"
#include "ui/PSPlimStroke.h"

#include <cstring>
#include <random>

using namespace EffectTest;
using HuxGeometry::HuxPoint2D;

namespace {

struct GridPicture {
    GridState state;
    PSPlimEdgeMode edgeMode = PSPlimEdgeMode::Fixed;
};

GridPicture Picture(const PSPlimGrid& grid)
{
    GridPicture p;
    grid.SaveState(p.state);
    p.edgeMode = grid.EdgeMode();
    return p;
}

// Bit for bit: sizes, extent, every coordinate and the edge mode.
::testing::AssertionResult SameGrid(const GridPicture& a, const GridPicture& b)
{
    if (a.state.pointsAcross != b.state.pointsAcross || a.state.pointsDown != b.state.pointsDown)
        return ::testing::AssertionFailure() << "point counts " << a.state.pointsAcross << "x" << a.state.pointsDown
                                             << " and " << b.state.pointsAcross << "x" << b.state.pointsDown;
    if (std::memcmp(&a.state.width, &b.state.width, sizeof(double)) != 0 ||
        std::memcmp(&a.state.height, &b.state.height, sizeof(double)) != 0)
        return ::testing::AssertionFailure() << "extents differ";
    if (a.edgeMode != b.edgeMode)
        return ::testing::AssertionFailure() << "edge modes " << PSPlimStored(a.edgeMode) << " and " << PSPlimStored(b.edgeMode);
    const size_t n = a.state.points.size();
    for (size_t i = 0; i < n; ++i)
        if (std::memcmp(&a.state.points[i], &b.state.points[i], sizeof(HuxPoint2D)) != 0)
            return ::testing::AssertionFailure() << "point " << i % size_t(a.state.pointsAcross) << ","
                                                 << i / size_t(a.state.pointsAcross) << " differs";
    return ::testing::AssertionSuccess();
}

// One stroke with the left button along the given image positions.
PSPlimStroke::EndResult Stroke(CPSPlimPluginApp& app, std::initializer_list<HuxPoint2D> path)
{
    PSPlimStroke stroke(app);
    stroke.SetImageRect(app.FilterRect());
    stroke.ButtonDown(PSPlimButton::Left, *path.begin());
    for (auto it = path.begin() + 1; it != path.end(); ++it)
        stroke.MouseMove(*it);
    return stroke.ButtonUp(PSPlimButton::Left);
}

class GridEditingTest : public ::testing::Test {
protected:
    GridEditingTest() : host(Entry()) { host.SetImage(Gradient(96, 64)); }

    // Runs the filter with `session` as the whole editing session; the
    // session's result closes the editor.
    RunOutcome Session(std::function<int(CPSPlimPluginApp&)> session)
    {
        return RunWith(host, [&](CPSPlimPluginApp& app) {
            app.SetPreviewSize(80, 60);
            return session(app);
        });
    }

    SquelmHost::TestHost host;
};

// An undeformed grid of the same size, extent and edge mode.
PSPlimGrid RegularLike(const PSPlimGrid& grid)
{
    PSPlimGrid regular;
    regular.Reset(grid.Width(), grid.Height(), grid.PointsAcross(), grid.PointsDown());
    regular.SetEdgeMode(grid.EdgeMode());
    return regular;
}

} // namespace

TEST_F(GridEditingTest, AStrokeRecordsOneEditStepThatUndoesAndRedoesExactly)
{
    Session([](CPSPlimPluginApp& app) {
        const GridPicture before = Picture(app.Grid());
        EXPECT_EQ(Stroke(app, {{40, 30}, {46, 33}, {52, 35}}), PSPlimStroke::EndResult::Submitted);
        const GridPicture after = Picture(app.Grid());
        EXPECT_FALSE(SameGrid(before, after));
        EXPECT_EQ(app.UndoList().Count(), 1);
        EXPECT_EQ(app.UndoList().Entry(0).Name(), "Edit grid");
        EXPECT_TRUE(app.CanUndo());
        EXPECT_FALSE(app.CanRedo());
        app.Undo();
        EXPECT_TRUE(SameGrid(before, Picture(app.Grid())));
        EXPECT_TRUE(app.CanRedo());
        app.Redo();
        EXPECT_TRUE(SameGrid(after, Picture(app.Grid())));
        return kHuxIdCancel;
    });
}

TEST_F(GridEditingTest, UndoToTheStartAndRedoToTheEndRestoreEveryGrid)
{
    const unsigned seed = 20261208;
    SCOPED_TRACE("replay: test_effect --gtest_filter=GridEditingTest.UndoToTheStartAndRedoToTheEndRestoreEveryGrid "
                 "(seed " + std::to_string(seed) + ")");
    Session([&](CPSPlimPluginApp& app) {
        std::mt19937 random(seed);
        std::uniform_real_distribution<double> x(0, 96), y(0, 64), step(-8, 8);
        std::vector<GridPicture> pictures{Picture(app.Grid())};
        for (int i = 0; i < 6; ++i) {
            app.Params()->leftButtonTool = int(random() % 6);
            const HuxPoint2D a{x(random), y(random)};
            const HuxPoint2D b{a.x + step(random), a.y + step(random)};
            const HuxPoint2D c{b.x + step(random), b.y + step(random)};
            if (Stroke(app, {a, b, c}) == PSPlimStroke::EndResult::Submitted &&
                app.UndoList().Count() == int(pictures.size()))
                pictures.push_back(Picture(app.Grid()));
        }
        app.ChangeEdgeMode(PSPlimEdgeMode::Free);
        pictures.push_back(Picture(app.Grid()));
        EXPECT_EQ(app.UndoList().Count(), int(pictures.size()) - 1);

        for (int k = int(pictures.size()) - 2; k >= 0; --k) {
            app.Undo();
            EXPECT_TRUE(SameGrid(pictures[size_t(k)], Picture(app.Grid()))) << "after undoing to " << k;
        }
        EXPECT_FALSE(app.CanUndo());
        for (size_t k = 1; k < pictures.size(); ++k) {
            app.Redo();
            EXPECT_TRUE(SameGrid(pictures[k], Picture(app.Grid()))) << "after redoing to " << k;
        }
        EXPECT_FALSE(app.CanRedo());
        return kHuxIdCancel;
    });
}

TEST_F(GridEditingTest, AnEditAfterUndoDiscardsTheRedoPart)
{
    Session([](CPSPlimPluginApp& app) {
        Stroke(app, {{20, 20}, {26, 22}});
        Stroke(app, {{60, 40}, {54, 36}});
        Stroke(app, {{40, 10}, {40, 18}});
        app.Undo();
        app.Undo();
        Stroke(app, {{70, 50}, {75, 52}});
        EXPECT_EQ(app.UndoList().Count(), 2);
        EXPECT_EQ(app.UndoList().Position(), 2);
        EXPECT_FALSE(app.CanRedo());
        return kHuxIdCancel;
    });
}

TEST_F(GridEditingTest, AStrokeThatChangesNothingRecordsNothing)
{
    Session([](CPSPlimPluginApp& app) {
        // A click applies no tool.
        EXPECT_EQ(Stroke(app, {{40, 30}}), PSPlimStroke::EndResult::NothingApplied);
        // Revert on an undeformed grid reports points but moves none.
        app.Params()->leftButtonTool = PSPlimStored(PSPlimTool::Revert);
        EXPECT_EQ(Stroke(app, {{40, 30}, {45, 30}}), PSPlimStroke::EndResult::Submitted);
        // Fixed edges put pushed border points straight back.
        app.Params()->leftButtonTool = PSPlimStored(PSPlimTool::Squelm);
        app.Params()->toolSize = 0.01;
        EXPECT_EQ(app.Grid().EdgeMode(), PSPlimEdgeMode::Fixed);
        Stroke(app, {{0, 0}, {0.5, 0.5}});
        EXPECT_EQ(app.UndoList().Count(), 0);
        return kHuxIdCancel;
    });
}

TEST_F(GridEditingTest, EdgeModeCommandsRecordOnlyRealChanges)
{
    Session([](CPSPlimPluginApp& app) {
        app.ChangeEdgeMode(PSPlimEdgeMode::Fixed); // already set
        EXPECT_EQ(app.UndoList().Count(), 0);
        const GridPicture fixed = Picture(app.Grid());
        app.ChangeEdgeMode(PSPlimEdgeMode::Free); // no point moves, the mode does
        EXPECT_EQ(app.UndoList().Count(), 1);
        EXPECT_EQ(app.UndoList().Entry(0).Name(), "Edit grid");
        app.Undo();
        EXPECT_TRUE(SameGrid(fixed, Picture(app.Grid())));
        EXPECT_EQ(app.Grid().EdgeMode(), PSPlimEdgeMode::Fixed);
        return kHuxIdCancel;
    });
}

TEST_F(GridEditingTest, ResizeThenUndoRestoresTheOldGridAndEarlierEditsStillUndo)
{
    Session([](CPSPlimPluginApp& app) {
        const GridPicture start = Picture(app.Grid());
        Stroke(app, {{30, 30}, {38, 34}});
        app.ChangeEdgeMode(PSPlimEdgeMode::Locked);
        const GridPicture edited = Picture(app.Grid());
        app.ResizeGrid(20, 300); // the second count is forced into range
        EXPECT_EQ(app.Grid().PointsAcross(), 20);
        EXPECT_EQ(app.Grid().PointsDown(), kPSPlimMaxGridPoints);
        EXPECT_EQ(app.Grid().EdgeMode(), PSPlimEdgeMode::Locked);
        EXPECT_EQ(app.UndoList().Count(), 3);
        EXPECT_EQ(app.UndoList().Entry(2).Name(), "Resize grid");
        const GridPicture resized = Picture(app.Grid());

        app.Undo();
        EXPECT_TRUE(SameGrid(edited, Picture(app.Grid())));
        app.Undo();
        app.Undo();
        EXPECT_TRUE(SameGrid(start, Picture(app.Grid())));
        app.Redo();
        app.Redo();
        app.Redo();
        EXPECT_TRUE(SameGrid(resized, Picture(app.Grid())));
        app.ResizeGrid(2, 3);
        EXPECT_EQ(app.Grid().PointsAcross(), kPSPlimMinGridPoints);
        EXPECT_EQ(app.Grid().PointsDown(), kPSPlimMinGridPoints);
        return kHuxIdCancel;
    });
}

// A step that never reaches the undo list takes its edit back from the
// group's destructor, exactly; and an exchange that no longer fits the grid
// is refused there without a throw, leaving the grid alone.
TEST_F(GridEditingTest, AStepThatIsNeverCommittedTakesItsEditBackWithoutThrowing)
{
    Session([](CPSPlimPluginApp& app) -> int {
        const GridPicture before = Picture(app.Grid());
        app.SnapshotGrid();
        app.Grid().Push({0.3, 0.3}, {0.35, 0.32}, 0.1, 1.0);
        auto patch = std::make_unique<GridPatch>();
        EXPECT_TRUE(app.Grid().Diff(app.GridSnapshot(), *patch));
        {
            HuxEditor::HuxEditGroup group;
            group.Add(std::make_unique<PSPlimDeformGridAction>(&app, std::move(patch)));
        }
        EXPECT_TRUE(SameGrid(before, Picture(app.Grid())));

        app.SnapshotGrid();
        app.Grid().Push({0.3, 0.3}, {0.35, 0.32}, 0.1, 1.0);
        patch = std::make_unique<GridPatch>();
        EXPECT_TRUE(app.Grid().Diff(app.GridSnapshot(), *patch));
        {
            HuxEditor::HuxEditGroup group;
            group.Add(std::make_unique<PSPlimDeformGridAction>(&app, std::move(patch)));
            app.Grid().Reset(app.Grid().Width(), app.Grid().Height(), 7, 7);
        }
        EXPECT_EQ(app.Grid().PointsAcross(), 7);
        EXPECT_TRUE(SameGrid(Picture(RegularLike(app.Grid())), Picture(app.Grid())));
        EXPECT_EQ(app.UndoList().Count(), 0);
        return kHuxIdCancel;
    });
}

TEST_F(GridEditingTest, TheOpenEditorIsToldToRefreshItsToolbarAfterEachStep)
{
    FakeEditor* self = nullptr;
    FakeEditor editor([&](CPSPlimPluginApp& app) {
        app.SetPreviewSize(80, 60);
        EXPECT_EQ(app.OpenEditor(), self);
        Stroke(app, {{30, 30}, {38, 34}});
        EXPECT_EQ(self->toolbarUpdates, 1);
        Stroke(app, {{30, 30}}); // nothing recorded, nothing refreshed
        EXPECT_EQ(self->toolbarUpdates, 1);
        app.ResizeGrid(10, 10);
        EXPECT_EQ(self->toolbarUpdates, 2);
        return kHuxIdCancel;
    });
    self = &editor;
    EditorInstallation installed(editor);
    host.RunFilter();
    EXPECT_EQ(editor.runs, 1);
    EXPECT_EQ(TheApp().OpenEditor(), nullptr);
    // Outside a run an edit reaches no editor.
    TheApp().SnapshotGrid();
    TheApp().ChangeEdgeMode(PSPlimEdgeMode::Free);
    EXPECT_EQ(editor.toolbarUpdates, 2);
}
