// Whole editing sessions from stroke scripts, end to end through the test
// host on a real photograph.
#include "EffectTestSupport.h"

#include "ui/PSPlimScriptedEditor.h"

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
    EXPECT_EQ(run.stored.toolSize, 0.25);
    EXPECT_EQ(run.stored.toolPower, 0.05);
    EXPECT_EQ(run.stored.gridEdgeMode, PSPlimStored(PSPlimEdgeMode::Locked));
    EXPECT_EQ(run.stored.pointsAcross, 22);
    EXPECT_EQ(run.stored.pointsDown, 5); // the dialog's least count is 3
    // The edge-mode step and the resize each refreshed the toolbar.
    EXPECT_EQ(run.toolbarUpdates, 2);
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

// Positions far beyond any screen: the stroke acts as the same stroke at the
// tools' position limit (a million grid units, some 7e8 pixels here), the
// render that follows is the same, and the step undoes like any other.
TEST(ScriptedEditorTest, AstronomicalCoordinatesActAsTheStrokeAtTheLimit)
{
    const ScriptRun huge = RunScript("tool left squelm\ndrag left -1e200,200 1e200,200\n");
    const ScriptRun limit = RunScript("tool left squelm\ndrag left -1e12,200 1e12,200\n");
    ASSERT_TRUE(huge.result.Succeeded());
    EXPECT_TRUE(SameImage(limit.image, huge.image));
    EXPECT_FALSE(SameImage(RunScript("").image, huge.image)) << "the stroke flung the left edge away";

    const ScriptRun undone = RunScript("drag left 1e200,-1e200 -1e200,1e200 0,0\nundo\n");
    EXPECT_TRUE(SameImage(RunScript("").image, undone.image));
}
