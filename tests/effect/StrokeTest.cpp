// The grid editor control's stroke state: buttons, precedence, skipped
// moves, the accumulated range and the client-grid mapping.
#include "EffectTestSupport.h"

#include "ui/PSPlimStroke.h"

using namespace EffectTest;
using HuxGeometry::HuxPoint2D;
using EndResult = PSPlimStroke::EndResult;

namespace {

class StrokeTest : public ::testing::Test {
protected:
    StrokeTest() : host(Entry()) { host.SetImage(Gradient(100, 100)); }

    // Runs `body` inside an editing session with a 100 x 100 image shown
    // in a 300 x 300 client area at (10, 20).
    void InSession(std::function<void(CPSPlimPluginApp&, PSPlimStroke&)> body)
    {
        RunWith(host, [&](CPSPlimPluginApp& app) {
            app.SetPreviewSize(100, 100);
            PSPlimStroke stroke(app);
            stroke.SetImageRect({10, 20, 310, 320});
            body(app, stroke);
            return kHuxIdCancel;
        });
    }

    SquelmHost::TestHost host;
};

} // namespace

TEST_F(StrokeTest, ClientAndGridPositionsMapThroughTheImageArea)
{
    InSession([](CPSPlimPluginApp& app, PSPlimStroke& stroke) {
        const double w = app.Grid().Width();
        EXPECT_DOUBLE_EQ(w, 1.0 / std::sqrt(2.0));
        const HuxPoint2D g = stroke.ClientToGrid({160, 20});
        EXPECT_EQ(g.x, 150 * w / 300);
        EXPECT_EQ(g.y, 0.0);
        EXPECT_EQ(stroke.ClientToGrid({10, 320}).y, app.Grid().Height());
        // The tool circle of the default size on a square image 300 pixels wide.
        EXPECT_EQ(stroke.GridToClient({0.1, 0.0}), (HuxPointI{10 + 42, 20}));
        EXPECT_EQ(stroke.GridToClient({0.0, 0.0}), (HuxPointI{10, 20}));
        // Truncation is towards zero on both sides of the origin.
        EXPECT_EQ(stroke.GridToClient({-0.1, 0.0}).x, 10 - 42);
    });
}

TEST_F(StrokeTest, OnlyOneStrokeAtATimeAndTheOtherButtonIsIgnored)
{
    InSession([](CPSPlimPluginApp& app, PSPlimStroke& stroke) {
        app.Params()->leftButtonTool = PSPlimStored(PSPlimTool::Squelm);
        app.Params()->rightButtonTool = PSPlimStored(PSPlimTool::Revert);
        EXPECT_TRUE(stroke.ButtonDown(PSPlimButton::Left, {150, 150}));
        const HuxPoint2D anchor = stroke.Anchor();
        EXPECT_FALSE(stroke.ButtonDown(PSPlimButton::Right, {200, 200}));
        EXPECT_EQ(stroke.Anchor(), anchor);
        EXPECT_TRUE(stroke.IsStroking(PSPlimButton::Left));
        EXPECT_FALSE(stroke.IsStroking(PSPlimButton::Right));
        EXPECT_TRUE(stroke.MouseMove({170, 160}));
        EXPECT_EQ(stroke.ButtonUp(PSPlimButton::Right), EndResult::Ignored);
        EXPECT_TRUE(stroke.IsStroking());
        EXPECT_EQ(stroke.ButtonUp(PSPlimButton::Left), EndResult::Submitted);
        EXPECT_FALSE(stroke.IsStroking());
        EXPECT_EQ(stroke.ButtonUp(PSPlimButton::Left), EndResult::Ignored);
        // The left button pushed: Revert would have moved nothing on this grid.
        EXPECT_EQ(app.UndoList().Count(), 1);
    });
}

TEST_F(StrokeTest, TheRightButtonUsesItsOwnTool)
{
    InSession([](CPSPlimPluginApp& app, PSPlimStroke& stroke) {
        app.Params()->leftButtonTool = PSPlimStored(PSPlimTool::Squelm);
        app.Params()->rightButtonTool = PSPlimStored(PSPlimTool::Revert);
        stroke.ButtonDown(PSPlimButton::Right, {150, 150});
        stroke.MouseMove({170, 160});
        EXPECT_FALSE(stroke.StrokeRange().Empty());
        stroke.ButtonUp(PSPlimButton::Right);
        EXPECT_EQ(app.UndoList().Count(), 0);
    });
}

TEST_F(StrokeTest, AMoveToTheSamePositionAppliesNothing)
{
    InSession([](CPSPlimPluginApp& app, PSPlimStroke& stroke) {
        EXPECT_FALSE(stroke.MouseMove({150, 150})); // no stroke yet
        stroke.ButtonDown(PSPlimButton::Left, {150, 150});
        GridState before;
        app.Grid().SaveState(before);
        EXPECT_FALSE(stroke.MouseMove({150, 150}));
        GridState after;
        app.Grid().SaveState(after);
        EXPECT_TRUE(before.points == after.points);
        EXPECT_TRUE(stroke.StrokeRange().Empty());
        EXPECT_EQ(stroke.ButtonUp(PSPlimButton::Left), EndResult::NothingApplied);
    });
}

TEST_F(StrokeTest, TheRangeGrowsOverTheStrokeAndTheAnchorStays)
{
    InSession([](CPSPlimPluginApp& app, PSPlimStroke& stroke) {
        app.Params()->toolSize = 0.05;
        stroke.ButtonDown(PSPlimButton::Left, {40, 40});
        const HuxPoint2D anchor = stroke.Anchor();
        stroke.MouseMove({45, 42});
        const GridIndexRect first = stroke.StrokeRange();
        ASSERT_FALSE(first.Empty());
        stroke.MouseMove({280, 290});
        stroke.MouseMove({285, 292});
        const GridIndexRect both = stroke.StrokeRange();
        EXPECT_EQ(both.left, first.left);
        EXPECT_EQ(both.top, first.top);
        EXPECT_GT(both.right, first.right);
        EXPECT_GT(both.bottom, first.bottom);
        EXPECT_EQ(stroke.Anchor(), anchor);
        EXPECT_EQ(stroke.LastPoint(), stroke.ClientToGrid({285, 292}));
        stroke.ButtonUp(PSPlimButton::Left);
    });
}

TEST_F(StrokeTest, ReleasingClearsTheLookupCounters)
{
    InSession([](CPSPlimPluginApp& app, PSPlimStroke& stroke) {
        stroke.ButtonDown(PSPlimButton::Left, {150, 150});
        stroke.MouseMove({170, 150});
        EXPECT_GT(app.LookupCounter(), 0); // the preview was re-rendered
        stroke.ButtonUp(PSPlimButton::Left);
        // The counters now measure only the re-render of the recorded step.
        EXPECT_GT(app.LookupCounter(), 0);
        stroke.ButtonDown(PSPlimButton::Left, {150, 150});
        stroke.ButtonUp(PSPlimButton::Left);
        EXPECT_EQ(app.LookupCounter(), 0);
        EXPECT_EQ(app.FailedTestCounter(), 0);
    });
}

TEST_F(StrokeTest, ASubmittedStrokeWritesTheTimingLineOfItsReRender)
{
    InSession([](CPSPlimPluginApp& app, PSPlimStroke& stroke) {
        stroke.ButtonDown(PSPlimButton::Left, {150, 150});
        stroke.ButtonUp(PSPlimButton::Left);
        EXPECT_EQ(stroke.TimingLine(), ""); // a click writes none
        stroke.ButtonDown(PSPlimButton::Left, {150, 150});
        stroke.MouseMove({170, 150});
        stroke.ButtonUp(PSPlimButton::Left);
        const std::string counts = " Invert " + std::to_string(app.FailedTestCounter()) + "/" +
                                   std::to_string(app.LookupCounter()) + " (";
        EXPECT_EQ(stroke.TimingLine().rfind("Update took ", 0), 0u) << stroke.TimingLine();
        EXPECT_NE(stroke.TimingLine().find("ms." + counts), std::string::npos) << stroke.TimingLine();
    });
}

TEST_F(StrokeTest, PanningNeedsAViewThatCanMoveAndNoStroke)
{
    InSession([](CPSPlimPluginApp& app, PSPlimStroke& stroke) {
        EXPECT_FALSE(stroke.BeginPan()); // the whole image is visible
        app.ZoomIn();
        ASSERT_TRUE(app.CanZoomOut());
        stroke.ButtonDown(PSPlimButton::Left, {150, 150});
        EXPECT_FALSE(stroke.BeginPan());
        stroke.ButtonUp(PSPlimButton::Left);
        EXPECT_TRUE(stroke.BeginPan());
        EXPECT_TRUE(stroke.IsPanning());
        EXPECT_FALSE(stroke.ButtonDown(PSPlimButton::Left, {150, 150}));
        stroke.EndPan();
        EXPECT_TRUE(stroke.ButtonDown(PSPlimButton::Left, {150, 150}));
        stroke.ButtonUp(PSPlimButton::Left);
    });
}

// A pen's pressure scales the power of each move, exactly: at full
// pressure (or past it), with the toggle off or from a pen that senses no
// pressure the stroke is the mouse's at the same power, at half pressure
// the mouse's at half the power; a sensing pen's zero moves nothing.
TEST_F(StrokeTest, PressureScalesThePowerOfEachMove)
{
    using Phase = PSPlimPenSample::Phase;
    auto points = [&](bool toggle, const std::optional<PSPlimPenSample>& pen, double power) {
        std::vector<HuxPoint2D> grid;
        InSession([&](CPSPlimPluginApp& app, PSPlimStroke& stroke) {
            app.Params()->toolPower = power;
            stroke.SetPressureControlsPower(toggle);
            stroke.ButtonDown(PSPlimButton::Left, {150, 150});
            for (const HuxPoint2D to : {HuxPoint2D{175, 160}, HuxPoint2D{205, 175}, HuxPoint2D{240, 185}})
                stroke.MouseMove(to, pen);
            stroke.ButtonUp(PSPlimButton::Left);
            const PSPlimGrid& g = app.Grid();
            for (int r = 0; r < g.PointsDown(); ++r)
                for (int c = 0; c < g.PointsAcross(); ++c)
                    grid.push_back(g.Point(c, r));
        });
        return grid;
    };
    const struct {
        const char* what;
        bool toggle;
        PSPlimPenSample pen;
        double mousePower;
    } cases[] = {
        {"full pressure", true, {Phase::Update, false, true, 1024}, 0.6},
        {"past full", true, {Phase::Update, false, true, 1500}, 0.6},
        {"half pressure", true, {Phase::Update, false, true, 512}, 0.3},
        {"toggle off", false, {Phase::Update, false, true, 512}, 0.6},
        {"senses none", true, {Phase::Update, false, false, 0}, 0.6},
        {"sensing zero", true, {Phase::Update, false, true, 0}, 0.0},
    };
    const std::vector<HuxPoint2D> flat = points(false, std::nullopt, 0.0);
    for (const auto& c : cases) {
        const std::vector<HuxPoint2D> mouse = points(false, std::nullopt, c.mousePower);
        EXPECT_EQ(points(c.toggle, c.pen, 0.6), mouse) << c.what;
        EXPECT_EQ(mouse == flat, c.mousePower == 0.0) << c.what;
    }
}
