// The host's actions end to end with the real plug-in in-process: a run
// records its warp, and the host plays it back silently, with the editor, on
// a larger image, damaged, or on a host that cannot play it.
#include <gmock/gmock.h>

#include "effect/PSPlimDescriptorKeys.h"
#include "effect/PSPlimMeshEditor.h"
#include "grid/PSPlimMeshFile.h"
#include "support/FakeEditor.h"
#include "testhost/DescriptorSession.h"
#include "testhost/HostTestSupport.h"
#include "testhost/ImageCompare.h"

namespace SquelmHostTest {
namespace {

using EffectTest::EditorInstallation;
using EffectTest::FakeEditor;
using SquelmHost::DescriptorOffer;
using ::testing::HasSubstr;

// An editing session: every seventh inner point moved, then OK.
int Deform(CPSPlimPluginApp& app)
{
    PSPlimMesh mesh = PSPlimMeshOf(app.Grid());
    for (size_t k = 0; k < mesh.points.size(); k += 7) {
        mesh.points[k].x += 0.004 * double(k % 5 + 1);
        mesh.points[k].y -= 0.003 * double(k % 3 + 1);
    }
    PSPlimFitMesh(mesh, app.Grid());
    return 1;
}

class ActionsTest : public ::testing::Test {
protected:
    // Runs with the editor's session, which also notes the grid it opened on.
    SquelmHost::RunResult Run(std::function<int(CPSPlimPluginApp&)> session = [](CPSPlimPluginApp&) { return 1; })
    {
        seen = {};
        FakeEditor editor([&](CPSPlimPluginApp& app) {
            seen = PSPlimMeshOf(app.Grid());
            return session(app);
        });
        EditorInstallation installed(editor);
        const SquelmHost::RunResult result = host.RunFilter();
        editorRuns = editor.runs;
        return result;
    }

    // Image A edited and recorded; its output, undeformed and recorded grid.
    void RecordOnA()
    {
        host.SetImage(Pattern(60, 40));
        ASSERT_TRUE(Run().Succeeded());
        undeformed = seen;
        host.SetImage(Pattern(60, 40));
        ASSERT_TRUE(Run(Deform).Succeeded());
        ASSERT_TRUE(host.Descriptors().Recorded());
        step = *host.Descriptors().Recorded();
        outputA = host.Image();
        recordedMesh = PSPlimMeshOf(TheApp().Grid());
        host.SetImage(Pattern(60, 40));
    }

    SquelmHost::TestHost host{EffectTest::Entry()};
    SquelmHost::Descriptor step;
    SquelmHost::RgbImage outputA;
    PSPlimMesh undeformed, recordedMesh, seen;
    int editorRuns = 0;
};

TEST_F(ActionsTest, ARecordedStepHoldsEveryKeyAndReplaysSilentlyToTheSameBytes)
{
    RecordOnA();
    ASSERT_EQ(step.size(), kPSPlimDescriptorKeys.size());
    for (size_t k = 0; k < step.size(); ++k) {
        EXPECT_EQ(step[k].key, kPSPlimDescriptorKeys[k].key);
        EXPECT_EQ(step[k].type, kPSPlimDescriptorKeys[k].type);
    }
    EXPECT_EQ(PSPlimDecodeMeshText(step[0].bytes).points, recordedMesh.points);

    host.Descriptors().Play(step, PS::playSilent);
    const SquelmHost::RunResult result = Run();
    ASSERT_TRUE(result.Succeeded()) << result.errorText;
    EXPECT_EQ(editorRuns, 0);
    const SquelmHost::ImageDifference diff = SquelmHost::CompareImages(outputA, host.Image());
    EXPECT_TRUE(diff.Identical()) << diff.Describe();
    // Played and recorded again, the step is unchanged.
    ASSERT_TRUE(host.Descriptors().Recorded());
    EXPECT_EQ(*host.Descriptors().Recorded(), step);
}

TEST_F(ActionsTest, OnALargerImageTheStepGivesTheMeshFittedToIt)
{
    RecordOnA();
    const SquelmHost::RgbImage b = Pattern(90, 70);
    host.SetImage(b);
    PSPlimMeshEditor meshEditor(PSPlimDecodeMeshText(step[0].bytes));
    {
        EditorInstallation installed(meshEditor);
        ASSERT_TRUE(host.RunFilter().Succeeded());
    }
    const SquelmHost::RgbImage fitted = host.Image();

    host.SetImage(b);
    host.Descriptors().Play(step, PS::playSilent);
    ASSERT_TRUE(Run().Succeeded());
    const SquelmHost::ImageDifference diff = SquelmHost::CompareImages(fitted, host.Image());
    EXPECT_TRUE(diff.Identical()) << diff.Describe();
}

// What the host asks, whether the step reads, and what the run then does.
TEST_F(ActionsTest, EachWayOfPlayingAStepThatReadsOrNot)
{
    RecordOnA();
    enum class Grid { None, Undeformed, Recorded };
    struct Case {
        const char* name;
        DescriptorOffer offer;
        int16_t playInfo;
        bool corrupt;
        int editorRuns;
        Grid editedOn;
        const char* refusal; // null: the run succeeds
    };
    const Case cases[] = {
        {"silent", DescriptorOffer::Offered, PS::playSilent, false, 0, Grid::None, nullptr},
        {"dialog if needed", DescriptorOffer::Offered, PS::playDialogIfNeeded, false, 0, Grid::None, nullptr},
        {"dialog shown", DescriptorOffer::Offered, PS::playDialogShown, false, 1, Grid::Recorded, nullptr},
        {"damaged, silent", DescriptorOffer::Offered, PS::playSilent, true, 0, Grid::None,
         "the recorded mesh does not read: it is damaged: its checksum is"},
        {"damaged, if needed", DescriptorOffer::Offered, PS::playDialogIfNeeded, true, 1, Grid::Undeformed, nullptr},
        {"damaged, dialog", DescriptorOffer::Offered, PS::playDialogShown, true, 1, Grid::Undeformed, nullptr},
        {"no block", DescriptorOffer::NoBlock, PS::playSilent, false, 1, Grid::Undeformed, nullptr},
        {"null procs", DescriptorOffer::NullProcs, PS::playSilent, false, 1, Grid::Undeformed, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        host.SetImage(Pattern(60, 40));
        host.Options().descriptors = c.offer;
        host.Options().revertOnFailure = false;
        SquelmHost::Descriptor played = step;
        if (c.corrupt)
            SquelmHost::CorruptDescriptor(played);
        host.Descriptors().Play(played, c.playInfo);
        host.ClearLog();
        const SquelmHost::RunResult result = Run();
        EXPECT_EQ(editorRuns, c.editorRuns);
        if (c.editedOn != Grid::None) {
            EXPECT_EQ(seen.points, (c.editedOn == Grid::Recorded ? recordedMesh : undeformed).points);
        }
        if (c.refusal) {
            EXPECT_EQ(result.result, PS::errReportString);
            EXPECT_THAT(result.errorText, HasSubstr(c.refusal));
            EXPECT_EQ(host.Log().Count(SquelmHost::EventKind::OutputStored), 0u) << "nothing written";
        } else {
            EXPECT_TRUE(result.Succeeded()) << result.errorText;
            EXPECT_EQ(host.Descriptors().Recorded().has_value(), c.offer == DescriptorOffer::Offered);
        }
        if (c.playInfo == PS::playSilent && !c.corrupt && c.offer == DescriptorOffer::Offered) {
            EXPECT_TRUE(SquelmHost::CompareImages(outputA, host.Image()).Identical());
        }
        // The text handles the host handed over are freed, every step closed.
        EXPECT_EQ(host.LiveHandleCount(), 1u);
        EXPECT_EQ(host.Descriptors().OpenSteps(), 0u);
    }
}

} // namespace
} // namespace SquelmHostTest
