// Whole editing sessions from stroke scripts, end to end through the test
// host on a real photograph.
#include "EffectTestSupport.h"

#include "testhost/scripting/PSPlimImageToClient.h"
#include "testhost/scripting/PSPlimScriptedEditor.h"
#include "ui/PSPlimControlLayout.h"
#include "ui/PSPlimDialogModel.h"

#include <cmath>
#include <cstring>

using namespace EffectTest;

namespace {

// A few strokes with every kind of command in between.
const char* const kSession = R"(
preview 400 300
tool left squelm
size 0.08
power 0.4
drag left 300,200 310,204 322,209 335,212 350,214
tool right boggle
drag right 150,120 156,120 160,126 154,131
edge free
drag left 590,390 570,380 550,372
tool left stabilise
drag left 420,100 430,110 440,120
)";

struct ScriptRun {
    SquelmHost::RunResult result;
    SquelmHost::RgbImage image;
    PSPlimParameters stored{};
    int toolbarUpdates = 0;
};

// Runs a script on a fresh host with the photograph; interpolation as asked.
ScriptRun RunScript(const std::string& text, bool interpolation = true)
{
    SquelmHost::TestHost host(Entry());
    host.SetImage(Photo());
    PSPlimParameters params{};
    PSPlimSetDefaultParameters(params);
    params.useInterpolation = interpolation;
    std::vector<uint8_t> bytes(sizeof params);
    std::memcpy(bytes.data(), &params, sizeof params);
    host.SetParameterBytes(bytes);

    PSPlimScriptedEditor editor(PSPlimStrokeScript::Parse(text));
    EditorInstallation installed(editor);
    ScriptRun run;
    run.result = host.RunFilter();
    run.image = host.Image();
    std::memcpy(&run.stored, host.ParameterBytes().data(), sizeof run.stored);
    run.toolbarUpdates = editor.ToolbarUpdates();
    return run;
}

} // namespace

TEST(ScriptedEditorTest, NoStrokesWithoutInterpolationGiveTheSourceBack)
{
    const ScriptRun run = RunScript("", false);
    ASSERT_TRUE(run.result.Succeeded()) << run.result.result;
    EXPECT_TRUE(SameImage(Photo(), run.image));
}

TEST(ScriptedEditorTest, NoStrokesWithInterpolationBlendOnlyTheFirstRowAndColumn)
{
    const SquelmHost::RgbImage source = Photo();
    const ScriptRun run = RunScript("ok\n", true);
    ASSERT_TRUE(run.result.Succeeded());
    long interiorDifferences = 0;
    long edgeDifferences = 0;
    int worstBlendError = 0;
    for (int y = 0; y < source.height; ++y)
        for (int x = 0; x < source.width; ++x) {
            const uint8_t* out = run.image.At(x, y);
            if (x > 0 && y > 0) {
                interiorDifferences += std::memcmp(out, source.At(x, y), 3) != 0;
                continue;
            }
            edgeDifferences += std::memcmp(out, source.At(x, y), 3) != 0;
            if (x == 0 && y == 0)
                continue;
            // A quarter pixel inwards: 192/255 of itself and 63/255 of its
            // inner neighbour, rounded up. The inverse lookup may place the
            // sample a rounding error off the pixel's centre line, which can
            // move the result by one.
            const uint8_t* self = source.At(x, y);
            const uint8_t* inner = x == 0 ? source.At(1, y) : source.At(x, 1);
            for (int c = 0; c < 3; ++c)
                worstBlendError = std::max(worstBlendError, std::abs(out[c] - (192 * self[c] + 63 * inner[c] + 254) / 255));
        }
    EXPECT_EQ(interiorDifferences, 0);
    EXPECT_GT(edgeDifferences, (source.width + source.height) / 2);
    EXPECT_LE(worstBlendError, 1);
}

TEST(ScriptedEditorTest, AScriptGivesTheSameBytesEveryTime)
{
    const ScriptRun first = RunScript(kSession);
    const ScriptRun second = RunScript(kSession);
    ASSERT_TRUE(first.result.Succeeded());
    EXPECT_TRUE(SameImage(first.image, second.image));
    const SquelmHost::ImageDifference change = SquelmHost::CompareImages(Photo(), first.image);
    EXPECT_GT(change.differingPixels, 10000) << change.Describe();
}

// A drag with pressures is a pen's: the mouse's stroke while Pressure
// Controls Power is off or the pen presses fully (the press applies
// nothing, so its pressure does not count); with the toggle on, a lighter
// pen strokes more gently (StrokeTest pins by how much).
TEST(ScriptedEditorTest, APensDragIsTheMousesUnlessPressureControlsPower)
{
    const std::string light = "drag left 100,120 160,140,0.5 220,150,0.5\n";
    const ScriptRun mouse = RunScript("drag left 100,120 160,140 220,150\n");
    EXPECT_TRUE(SameImage(mouse.image, RunScript(light).image));
    EXPECT_TRUE(SameImage(mouse.image, RunScript("pressure on\ndrag left 100,120,0.3 160,140,1 220,150,1\n").image));
    EXPECT_TRUE(SameImage(mouse.image, RunScript("pressure on\npressure off\n" + light).image));
    EXPECT_FALSE(SameImage(mouse.image, RunScript("pressure on\npressure on\n" + light).image));
}

TEST(ScriptedEditorTest, UndoingEveryStrokeGivesTheBytesOfNoStrokes)
{
    const ScriptRun plain = RunScript("");
    const ScriptRun undone = RunScript(std::string(kSession) + "undo\nundo\nundo\nundo\nundo\nundo\n");
    ASSERT_TRUE(undone.result.Succeeded());
    EXPECT_TRUE(SameImage(plain.image, undone.image));
    // Redoing everything again gives the full session's result.
    const ScriptRun redone = RunScript(std::string(kSession) + "undo\nundo\nundo\nundo\nundo\nredo\nredo\nredo\nredo\nredo\n");
    EXPECT_TRUE(SameImage(RunScript(kSession).image, redone.image));
}

TEST(ScriptedEditorTest, CancelLeavesTheImageAndReportsUserCancel)
{
    const ScriptRun run = RunScript(std::string(kSession) + "cancel\n");
    EXPECT_EQ(run.result.result, PS::userCanceledErr);
    EXPECT_TRUE(SameImage(Photo(), run.image));
}

TEST(ScriptedEditorTest, ChoicesGoIntoTheParametersRecordAsTheDialogWritesThem)
{
    const ScriptRun run = RunScript("tool left nibble\ntool right revert\nsize 0.5\npower 0.01\nedge locked\ngrid 20 2\n");
    ASSERT_TRUE(run.result.Succeeded());
    EXPECT_EQ(run.stored.leftButtonTool, PSPlimStored(PSPlimTool::Nibble));
    EXPECT_EQ(run.stored.rightButtonTool, PSPlimStored(PSPlimTool::Revert));
    EXPECT_EQ(run.stored.toolSize, PSPlimToolSizeAt(100));
    EXPECT_EQ(run.stored.toolPower, 0.05);
    EXPECT_EQ(run.stored.gridEdgeMode, PSPlimStored(PSPlimEdgeMode::Locked));
    EXPECT_EQ(run.stored.pointsAcross, 22);
    EXPECT_EQ(run.stored.pointsDown, 5); // the dialog's least count is 3
    // The edge-mode step and the resize each refreshed the toolbar.
    EXPECT_EQ(run.toolbarUpdates, 2);
}

TEST(ScriptedEditorTest, SizeAndPowerMoveTheSlidersToTheNearestStep)
{
    // 0.14 lies at step 54.17 of the size slider. Moving it also writes the
    // power from the power slider, which opened at step 15 for 0.2.
    const ScriptRun sized = RunScript("size 0.14\n");
    EXPECT_EQ(sized.stored.toolSize, PSPlimToolSizeAt(54));
    EXPECT_EQ(sized.stored.toolPower, PSPlimToolPowerAt(15));
    // 0.7 lies at step 68.4 of the power slider; the size slider opened at
    // step 37 for 0.1.
    const ScriptRun powered = RunScript("power 0.7\n");
    EXPECT_EQ(powered.stored.toolPower, PSPlimToolPowerAt(68));
    EXPECT_EQ(powered.stored.toolSize, PSPlimToolSizeAt(37));
}

TEST(ScriptedEditorTest, TheSameGridSizeRecordsNoResize)
{
    const ScriptRun run = RunScript("grid 50 50\nundo\n");
    ASSERT_TRUE(run.result.Succeeded());
    EXPECT_EQ(run.toolbarUpdates, 0);
    EXPECT_EQ(run.stored.pointsAcross, 52);
}

TEST(ScriptedEditorTest, ADragOfOnePointIsAClick)
{
    const ScriptRun run = RunScript("drag left 300,200\n", false);
    EXPECT_EQ(run.toolbarUpdates, 0);
    EXPECT_TRUE(SameImage(Photo(), run.image));
}

namespace {

// The box of the pixels in which two images differ; empty when none do.
HuxRect ChangedBox(const SquelmHost::RgbImage& a, const SquelmHost::RgbImage& b)
{
    HuxRect box{a.width, a.height, 0, 0};
    for (int y = 0; y < a.height; ++y)
        for (int x = 0; x < a.width; ++x)
            if (std::memcmp(a.At(x, y), b.At(x, y), 3) != 0)
                box = {std::min(box.left, x), std::min(box.top, y), std::max(box.right, x + 1),
                       std::max(box.bottom, y + 1)};
    return box;
}

// The view the application kept after a script's run.
HuxRect ViewAfter(const std::string& text)
{
    RunScript(text);
    return TheApp().GetViewRect();
}

} // namespace

// The modelled control places each script position on the client pixel
// nearest to it; the control's own mapping carries it back to within half a
// client pixel, at the fit level and magnified.
TEST(ScriptedEditorTest, ScriptPositionsLandWithinHalfAClientPixel)
{
    SquelmHost::TestHost host(Entry());
    host.SetImage(Photo());
    RunWith(host, [](CPSPlimPluginApp& app) {
        app.SetPreviewSize(640, 480);
        for (int zoom = 0; zoom < 3; ++zoom) {
            const auto layout = PSPlimLayOutControl({0, 0, 640, 480}, app.GetOutputPreview(), app.FilterRect(),
                                                    app.GetViewRect());
            EXPECT_TRUE(layout);
            if (!layout)
                break;
            const PSPlimClientMapping mapping{layout->imageRect, app.Grid().Width(), app.Grid().Height()};
            const double diagonal = std::hypot(600.0, 400.0);
            const double pixelX = 600.0 / layout->imageRect.Width();
            const double pixelY = 400.0 / layout->imageRect.Height();
            for (const HuxGeometry::HuxPoint2D p : {HuxGeometry::HuxPoint2D{300, 200}, {0, 0}, {599.5, 0.25},
                                                     {123.4, 321.9}, {-40, 410}}) {
                const HuxPointI client = PSPlimImageToClient(p, app.FilterRect(), layout->imageRect);
                const HuxGeometry::HuxPoint2D g = mapping.ClientToGrid({double(client.x), double(client.y)});
                EXPECT_LE(std::fabs(g.x * diagonal - p.x), pixelX / 2 + 1e-9) << "zoom " << zoom << " x " << p.x;
                EXPECT_LE(std::fabs(g.y * diagonal - p.y), pixelY / 2 + 1e-9) << "zoom " << zoom << " y " << p.y;
            }
            app.ZoomIn();
        }
        return kHuxIdCancel;
    });
}

TEST(ScriptedEditorTest, AStrokeChangesTheImageOnlyAroundItsPath)
{
    const std::string stroke = "size 0.03\npower 1\ndrag left 150,100 158,100 166,100 170,100\n";
    const SquelmHost::RgbImage source = Photo();
    // The tool's radius, and one grid cell (50 cells across 600 pixels)
    // beyond it: the warp changes the cells around each moved point.
    const int reach = int(std::ceil(0.03 * std::hypot(600.0, 400.0) + 600.0 / 49)) + 1;
    const HuxRect around{150 - reach, 100 - reach, 170 + reach, 100 + reach};
    auto inside = [&](const HuxRect& box) {
        return box.left >= around.left && box.top >= around.top && box.right <= around.right &&
               box.bottom <= around.bottom;
    };
    const HuxRect fit = ChangedBox(source, RunScript(stroke, false).image);
    ASSERT_FALSE(fit.IsEmpty());
    EXPECT_TRUE(inside(fit)) << fit.left << "," << fit.top << " " << fit.right << "," << fit.bottom;
    EXPECT_LT(fit.left, 150);
    EXPECT_GT(fit.right, 170);

    // Zoomed in to 3:1 with the locator on another part of the image, the
    // stroke still lands on its image positions, not the screen's.
    const HuxRect zoomed =
        ChangedBox(source, RunScript("zoom in\nzoom in\nlocate 170,110\n" + stroke, false).image);
    ASSERT_FALSE(zoomed.IsEmpty());
    EXPECT_TRUE(inside(zoomed)) << zoomed.left << "," << zoomed.top << " " << zoomed.right << "," << zoomed.bottom;
    EXPECT_LE(std::abs(zoomed.left - fit.left) + std::abs(zoomed.right - fit.right), 4)
        << fit.left << "," << fit.top << " " << fit.right << "," << fit.bottom;
    EXPECT_LE(std::abs(zoomed.top - fit.top) + std::abs(zoomed.bottom - fit.bottom), 4);
}

TEST(ScriptedEditorTest, LocateMovesTheMagnifiedViewToThePosition)
{
    // 3:1 in 640 x 480 shows 213 x 160 image pixels.
    const HuxRect view = ViewAfter("zoom in\nzoom in\nlocate 450,300\n");
    EXPECT_EQ(view.Width(), 213);
    EXPECT_EQ(view.Height(), 160);
    // The thumbnail has one pixel per 4 image pixels.
    EXPECT_LE(std::abs((view.left + view.right) / 2 - 450), 4);
    EXPECT_LE(std::abs((view.top + view.bottom) / 2 - 300), 4);
    // Beyond the image the view stops at its corner.
    EXPECT_EQ(ViewAfter("zoom in\nzoom in\nlocate 5000,-70\n"), (HuxRect{387, 0, 600, 160}));
    // The view's own centre leaves it where zooming put it.
    const HuxRect zoomedIn = ViewAfter("zoom in\n");
    EXPECT_EQ(ViewAfter("zoom in\nlocate 300,200\n"), zoomedIn);
    // Zooming out at the fit level does nothing.
    EXPECT_EQ(ViewAfter("zoom out\n"), (HuxRect{0, 0, 600, 400}));
}

TEST(ScriptedEditorTest, APanMakesTheImageFollowTheMouse)
{
    // At 3:1 a client pixel is a third of an image pixel, so the view moves
    // by the drag to within one image pixel.
    const HuxRect before = ViewAfter("zoom in\nzoom in\n");
    const HuxRect after = ViewAfter("zoom in\nzoom in\npan 300,200 280,195 250,180\n");
    EXPECT_LE(std::abs(after.left - (before.left + 50)), 1) << after.left << " from " << before.left;
    EXPECT_LE(std::abs(after.top - (before.top + 20)), 1) << after.top << " from " << before.top;
    EXPECT_EQ(after.Width(), before.Width());
    // Dragging far stops at the image's edge.
    EXPECT_EQ(ViewAfter("zoom in\nzoom in\npan 300,200 -900,-900\n"), (HuxRect{387, 240, 600, 400}));
    // With the whole image in view there is nothing to pan.
    EXPECT_EQ(ViewAfter("pan 300,200 250,180\n"), (HuxRect{0, 0, 600, 400}));
}

// Positions far beyond any screen reach the control as a mouse message
// carries them: 16 bits of each client coordinate, which wrap. Astronomical
// positions stay finite and undo like any other step.
TEST(ScriptedEditorTest, FarPositionsArriveAsTheWrappedMouseMessage)
{
    // 600 image pixels over 600 client pixels: one client pixel each, so
    // 65536 pixels farther is the same message.
    const std::string sized = "preview 600 400\ntool left squelm\n";
    const ScriptRun near = RunScript(sized + "drag left 30,20 60,20\n");
    const ScriptRun far = RunScript(sized + "drag left 30,20 65596,20\n");
    EXPECT_TRUE(SameImage(near.image, far.image));
    EXPECT_FALSE(SameImage(RunScript(sized).image, far.image));

    const ScriptRun huge = RunScript("tool left squelm\ndrag left -1e200,200 1e200,200\n");
    const ScriptRun limit = RunScript("tool left squelm\ndrag left -1e12,200 1e12,200\n");
    ASSERT_TRUE(huge.result.Succeeded());
    EXPECT_TRUE(SameImage(limit.image, huge.image));

    const ScriptRun undone = RunScript("drag left 1e200,-1e200 -1e200,1e200 0,0\nundo\n");
    EXPECT_TRUE(SameImage(RunScript("").image, undone.image));
}
