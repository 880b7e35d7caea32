// The editor commands: what each user command changes and what it asks the
// windows to redraw.
#include "effect/EffectTestSupport.h"

#include "ui/PSPlimEditorCommands.h"

#include <optional>

using namespace EffectTest;

namespace {

constexpr PSPlimRedraw kNone{};
constexpr PSPlimRedraw kEditor{true, false, false, false};
constexpr PSPlimRedraw kToolbar{false, false, false, true};
constexpr PSPlimRedraw kEditorAndToolbar{true, false, false, true};
constexpr PSPlimRedraw kView{true, true, false, false};

// Runs a session with the editor opened on a 600 x 400 gradient at the
// preview size.
void WithCommands(int32_t previewWidth, int32_t previewHeight, const std::function<void(PSPlimEditorCommands&)>& body)
{
    SquelmHost::TestHost host(Entry());
    host.SetImage(Gradient(600, 400));
    RunWith(host, [&](CPSPlimPluginApp& app) {
        PSPlimEditorCommands commands(app);
        commands.Open(previewWidth, previewHeight);
        body(commands);
        return kHuxIdCancel;
    });
}

// One stroke on the grid, so that undo has a step.
void Stroke(PSPlimEditorCommands& commands)
{
    commands.LayOut({0, 0, 600, 400});
    PSPlimStroke& stroke = commands.Stroke();
    ASSERT_TRUE(stroke.ButtonDown(PSPlimButton::Left, {300, 200}));
    stroke.MouseMove({330, 210});
    ASSERT_EQ(stroke.ButtonUp(PSPlimButton::Left), PSPlimStroke::EndResult::Submitted);
}

} // namespace

TEST(EditorCommandsTest, ToolbarButtonsChangeWhatTheyNameAndRedrawIt)
{
    struct Case {
        int command;
        std::optional<PSPlimRedraw> redraw;
        bool canUndo, canRedo, showGrid, showToolRadius, pressure;
        PSPlimEdgeMode edgeMode;
    };
    // From one stroke, the grid hidden, the circle shown, pressure off and
    // fixed edges.
    const Case cases[] = {
        {PSPlimIds::kUndo, kEditorAndToolbar, false, true, false, true, false, PSPlimEdgeMode::Fixed},
        {PSPlimIds::kRedo, kEditorAndToolbar, true, false, false, true, false, PSPlimEdgeMode::Fixed},
        {PSPlimIds::kToggleGrid, kEditor, true, false, true, true, false, PSPlimEdgeMode::Fixed},
        {PSPlimIds::kShowToolRadius, kEditor, true, false, false, false, false, PSPlimEdgeMode::Fixed},
        {PSPlimIds::kPressureControlsPower, kToolbar, true, false, false, true, true, PSPlimEdgeMode::Fixed},
        {PSPlimIds::kFixedEdge, kEditorAndToolbar, true, false, false, true, false, PSPlimEdgeMode::Fixed},
        {PSPlimIds::kLockedEdge, kEditorAndToolbar, true, false, false, true, false, PSPlimEdgeMode::Locked},
        {PSPlimIds::kFreeEdge, kEditorAndToolbar, true, false, false, true, false, PSPlimEdgeMode::Free},
        {PSPlimIds::kOptions, std::nullopt, true, false, false, true, false, PSPlimEdgeMode::Fixed},
        {PSPlimIds::kZoomIn, std::nullopt, true, false, false, true, false, PSPlimEdgeMode::Fixed},
    };
    for (const Case& c : cases) {
        WithCommands(600, 400, [&](PSPlimEditorCommands& commands) {
            Stroke(commands);
            if (c.command == PSPlimIds::kRedo)
                commands.ToolbarCommand(PSPlimIds::kUndo);
            EXPECT_EQ(commands.ToolbarCommand(c.command), c.redraw) << c.command;
            const PSPlimEditorState state =
                PSPlimEditorStateOf(commands.App(), false, commands.Stroke().PressureControlsPower());
            EXPECT_EQ(state.canUndo, c.canUndo) << c.command;
            EXPECT_EQ(state.canRedo, c.canRedo) << c.command;
            EXPECT_EQ(state.showGrid, c.showGrid) << c.command;
            EXPECT_EQ(state.showToolRadius, c.showToolRadius) << c.command;
            EXPECT_EQ(state.pressureControlsPower, c.pressure) << c.command;
            EXPECT_EQ(state.edgeMode, c.edgeMode) << c.command;
        });
    }
}

TEST(EditorCommandsTest, AToolGoesToItsButtonAndASliderWritesBothValues)
{
    WithCommands(600, 400, [](PSPlimEditorCommands& commands) {
        const PSPlimParameters& params = *commands.App().Params();
        EXPECT_EQ(commands.ChooseTool(PSPlimButton::Right, PSPlimStored(PSPlimTool::Nibble)),
                  (PSPlimRedraw{false, false, false, true}));
        EXPECT_EQ(params.rightButtonTool, PSPlimStored(PSPlimTool::Nibble));
        EXPECT_EQ(params.leftButtonTool, PSPlimStored(PSPlimTool::Squelm));
        commands.ChooseTool(PSPlimButton::Left, PSPlimStored(PSPlimTool::Revert));
        EXPECT_EQ(params.leftButtonTool, PSPlimStored(PSPlimTool::Revert));
        EXPECT_EQ(commands.MoveSliders(100, 0), kNone);
        EXPECT_EQ(params.toolSize, 0.25);
        EXPECT_EQ(params.toolPower, 0.05);
    });
}

// The options dialog's boxes hold 3 to 150 visible points; the grid has a
// ring of two more.
TEST(EditorCommandsTest, TheOptionsClampEachPointCount)
{
    const struct {
        int across, down, pointsAcross, pointsDown;
    } cases[] = {{20, 12, 22, 14}, {2, 999, 5, 152}, {-5, 150, 5, 152}, {3, 151, 5, 152}};
    for (const auto& c : cases) {
        WithCommands(600, 400, [&](PSPlimEditorCommands& commands) {
            PSPlimOptionsValues values = commands.Options();
            values.pointsAcross = c.across;
            values.pointsDown = c.down;
            EXPECT_EQ(commands.ApplyOptions(values), kEditor);
            EXPECT_EQ(commands.App().Grid().PointsAcross(), c.pointsAcross) << c.across;
            EXPECT_EQ(commands.App().Grid().PointsDown(), c.pointsDown) << c.down;
        });
    }
}

// At 200 x 150 the fit shows all 600 x 400 pixels; two zooms in show
// 200 x 150 of them around the centre, one image pixel a client pixel.
TEST(EditorCommandsTest, ZoomLocateAndPanMoveTheView)
{
    WithCommands(200, 150, [](PSPlimEditorCommands& commands) {
        CPSPlimPluginApp& app = commands.App();
        EXPECT_EQ(commands.LocatorSize(), (HuxPointI{150, 100}));
        EXPECT_EQ(commands.ZoomButtons(), (PSPlimZoomButtons{true, false, false}));
        EXPECT_FALSE(commands.BeginPan({10, 10})) << "nothing to pan in the fit";
        EXPECT_EQ(commands.Zoom(true), (PSPlimRedraw{true, true, true, false}));
        commands.Zoom(true);
        EXPECT_EQ(app.GetViewRect(), (HuxRect{200, 125, 400, 275}));
        EXPECT_EQ(commands.ZoomButtons(), (PSPlimZoomButtons{true, true, true}));

        // The frame's centre at (75, 49) keeps the view; the popup's corner
        // takes it to the image's corner.
        const struct {
            HuxPointI cursor;
            HuxRect view;
        } located[] = {{{75, 49}, {200, 125, 400, 275}}, {{150, 100}, {400, 250, 600, 400}},
                       {{-30000, 0}, {0, 0, 200, 150}}};
        for (const auto& l : located) {
            HuxPSLocatorFrame frame = commands.BeginLocate({0, 0, 150, 100});
            EXPECT_EQ(commands.EndLocate(frame, l.cursor), PSPlimEditorCommands::kLocated);
            EXPECT_EQ(app.GetViewRect(), l.view) << l.cursor.x;
        }

        // The image follows the mouse: 10 right and 5 down move the view
        // up and left. The drag runs through grid units, which leave it a
        // hair short of whole pixels, and the scroll truncates.
        app.SetViewRect({200, 125, 400, 275});
        commands.LayOut({0, 0, 200, 150});
        ASSERT_TRUE(commands.BeginPan({100, 70}));
        EXPECT_EQ(commands.PanTo({110, 75}), kView);
        EXPECT_EQ(app.GetViewRect(), (HuxRect{191, 121, 391, 271}));
        commands.LayOut({0, 0, 200, 150});
        commands.PanTo({90, 70});
        EXPECT_EQ(app.GetViewRect(), (HuxRect{210, 125, 410, 275}));
        commands.EndPan();
        EXPECT_FALSE(commands.Stroke().IsPanning());
    });
}

TEST(EditorCommandsTest, AResizeRedrawsTheViewOnlyWhenThePreviewSizeChanged)
{
    WithCommands(300, 200, [](PSPlimEditorCommands& commands) {
        EXPECT_EQ(commands.Resize(300, 200), kNone);
        EXPECT_EQ(commands.Resize(700, 500), (PSPlimRedraw{true, true, true, false}));
        EXPECT_EQ(commands.App().GetPreviewSize(), (HuxPointI{700, 500}));
        EXPECT_EQ(commands.App().GetZoomLevel(), commands.App().GetFitLevel());
    });
}

namespace {

// The points of two grids of one size, compared.
bool SameGrid(const PSPlimGrid& a, const PSPlimGrid& b)
{
    GridPatch patch;
    return !a.Diff(b, patch);
}

} // namespace

TEST(EditorCommandsTest, KeysDoWhatTheirButtonsDoAndEscTakesBackTheStrokeInProgress)
{
    WithCommands(200, 150, [](PSPlimEditorCommands& commands) {
        CPSPlimPluginApp& app = commands.App();
        const PSPlimGrid undeformed = app.Grid();
        Stroke(commands);
        const PSPlimGrid stroked = app.Grid();
        EXPECT_EQ(commands.Key(PSPlimKey::Undo, 0, 0)->redraw, kEditorAndToolbar);
        EXPECT_TRUE(SameGrid(app.Grid(), undeformed));
        EXPECT_EQ(commands.Key(PSPlimKey::Redo, 0, 0)->redraw, kEditorAndToolbar);
        EXPECT_TRUE(SameGrid(app.Grid(), stroked));
        EXPECT_EQ(commands.Key(PSPlimKey::Redo, 0, 0)->redraw, kNone) << "nothing to redo";

        EXPECT_EQ(commands.Key(PSPlimKey::ZoomIn, 0, 0)->redraw, (PSPlimRedraw{true, true, true, false}));
        commands.Key(PSPlimKey::ZoomIn, 0, 0);
        EXPECT_EQ(app.GetViewRect(), (HuxRect{200, 125, 400, 275})) << "as two presses of Zoom In";
        commands.Key(PSPlimKey::ZoomOut, 0, 0);
        commands.Key(PSPlimKey::ZoomToFit, 0, 0);
        EXPECT_EQ(app.GetZoomLevel(), app.GetFitLevel());
        EXPECT_EQ(commands.Key(PSPlimKey::ZoomToFit, 0, 0)->redraw, kNone);

        // One slider step, kept on the slider.
        EXPECT_EQ(commands.Key(PSPlimKey::LargerTool, 40, 50)->sizePosition, 41);
        EXPECT_EQ(app.Params()->toolSize, PSPlimToolSizeAt(41));
        EXPECT_EQ(commands.Key(PSPlimKey::SmallerTool, 0, 50)->sizePosition, 0);
        EXPECT_EQ(commands.Key(PSPlimKey::LargerTool, kPSPlimSliderSteps, 50)->sizePosition, kPSPlimSliderSteps);

        // Esc mid-stroke: the grid as the stroke found it, no step; other
        // keys wait for the stroke's end; Esc without a stroke is Cancel's.
        commands.Key(PSPlimKey::Undo, 0, 0);
        PSPlimStroke& stroke = commands.Stroke();
        commands.LayOut({0, 0, 200, 150});
        ASSERT_TRUE(stroke.ButtonDown(PSPlimButton::Left, {100, 75}));
        ASSERT_TRUE(stroke.MouseMove({140, 90}));
        EXPECT_FALSE(SameGrid(app.Grid(), undeformed));
        EXPECT_EQ(commands.Key(PSPlimKey::Redo, 0, 0)->redraw, kNone);
        EXPECT_EQ(commands.Key(PSPlimKey::Escape, 0, 0)->redraw, kEditor);
        EXPECT_TRUE(SameGrid(app.Grid(), undeformed));
        EXPECT_FALSE(stroke.IsStroking());
        EXPECT_FALSE(stroke.MouseMove({150, 95}));
        EXPECT_EQ(stroke.ButtonUp(PSPlimButton::Left), PSPlimStroke::EndResult::Ignored);
        EXPECT_TRUE(app.CanRedo()) << "the cancelled stroke recorded no step";
        EXPECT_FALSE(commands.Key(PSPlimKey::Escape, 0, 0));
    });
}
