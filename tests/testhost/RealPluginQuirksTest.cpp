// The real plug-in (linked in-process) in hosts that behave as some real
// hosts do: a result word preset to a non-zero value, blocks that move
// whenever they are unlocked, sizes the host cannot tell.
#include <cstring>
#include <functional>

#include "effect/CPSPlimPluginApp.h"
#include "effect/PSPlimEditor.h"
#include "effect/PSPlimParameters.h"
#include "plugin/PluginMain.h"
#include "testhost/HostTestSupport.h"
#include "support/FakeEditor.h"
#include "support/ParametersRecord.h"

namespace SquelmHostTest {
namespace {

using SquelmHost::EventKind;
using SquelmHost::HostOptions;
using SquelmHost::TestHost;

TEST(RealPluginQuirks, EverySelectorStatesSuccessToAHostThatPresetsTheResultWord)
{
    HostOptions options;
    options.resultWordPreset = 1;
    TestHost host(&PluginMain, options);
    host.SetImage(Pattern(20, 12));
    EXPECT_EQ(host.CallAbout(), PS::noErr);

    EffectTest::FakeEditor ok([](CPSPlimPluginApp&) { return 1; });
    EffectTest::EditorInstallation installed(ok);
    const SquelmHost::RunResult result = host.RunFilter();
    ASSERT_TRUE(result.Succeeded()) << result.result << " " << result.hostError << "\n" << host.Log().ToString();
    const auto calls = host.Log().OfKind(EventKind::Selector);
    ASSERT_EQ(host.Log().SelectorSequence(), (std::vector<int16_t>{0, 1, 2, 3, 4, 5}));
    for (const auto& call : calls)
        EXPECT_EQ(call.result, PS::noErr) << SquelmHost::SelectorName(call.selector);
    EXPECT_EQ(host.Log().OfKind(EventKind::About).at(0).result, PS::noErr);
}

TEST(RealPluginQuirks, ACancelStillReachesAHostThatPresetsTheResultWord)
{
    HostOptions options;
    options.resultWordPreset = 1;
    TestHost host(&PluginMain, options);
    host.SetImage(Pattern(20, 12));
    EffectTest::FakeEditor cancel([](CPSPlimPluginApp&) { return 2; });
    EffectTest::EditorInstallation installed(cancel);
    const SquelmHost::RunResult result = host.RunFilter();
    EXPECT_EQ(result.result, PS::userCanceledErr);
    EXPECT_EQ(result.failedSelector, PS::filterSelectorStart);
}

// Start reads the record (grid size, tools) and writes the grid back into it
// after the editor: both must reach the block where it lies in that call.
TEST(RealPluginQuirks, BlocksMovedOnEveryUnlockAreReachedWhereTheyAreNow)
{
    HostOptions options;
    options.moveBlocksOnUnlock = true;
    TestHost host(&PluginMain, options);
    host.SetImage(Pattern(40, 30));
    PSPlimParameters stored{};
    PSPlimSetDefaultParameters(stored);
    stored.pointsAcross = 17;
    stored.pointsDown = 9;
    host.SetParameterBytes(BytesOf(stored));

    int seenAcross = 0;
    EffectTest::FakeEditor editor([&](CPSPlimPluginApp& app) {
        seenAcross = app.Params()->pointsAcross;
        app.Params()->rightButtonTool = 4; // as the editor's tool choice does
        app.ResizeGrid(21, 11);
        return 1;
    });
    EffectTest::EditorInstallation installed(editor);
    const SquelmHost::RunResult result = host.RunFilter();
    ASSERT_TRUE(result.Succeeded()) << result.result << " " << result.hostError << "\n" << host.Log().ToString();

    EXPECT_EQ(seenAcross, 17);
    const PSPlimParameters after = ParametersOf(host);
    EXPECT_EQ(after.rightButtonTool, 4);
    EXPECT_EQ(after.pointsAcross, 21);
    EXPECT_EQ(after.pointsDown, 11);
    EXPECT_GE(host.MovedBlocks(), 3u) << "Parameters, Prepare and Start each unlock";
    EXPECT_EQ(host.StaleBlockWrites(), 0u);
    for (const auto& tally : host.UnbalancedLocks())
        ADD_FAILURE() << tally;
    // Every call that reads the block locks it; Continue and Finish do not.
    std::vector<int16_t> locking;
    for (const auto& tally : host.LockTallies())
        if (tally.handle == host.ParametersHandle())
            locking.push_back(tally.selector);
    EXPECT_EQ(locking, (std::vector<int16_t>{1, 2, 3}));
}

TEST(RealPluginQuirks, AShortBlockOfUnknownSizeIsGrownAndKeepsItsBytes)
{
    HostOptions options;
    options.getSizeAnswersZero = true;
    TestHost host(&PluginMain, options);
    host.SetImage(Pattern(8, 8));
    PSPlimParameters stored{};
    PSPlimSetDefaultParameters(stored);
    stored.leftButtonTool = 3;
    stored.rightButtonTool = 2;
    std::vector<uint8_t> bytes = BytesOf(stored);
    bytes.resize(12); // the two tools and the grid flag only
    host.SetParameterBytes(bytes);
    EffectTest::FakeEditor ok([](CPSPlimPluginApp&) { return 1; });
    EffectTest::EditorInstallation installed(ok);
    const SquelmHost::RunResult result = host.RunFilter();
    ASSERT_TRUE(result.Succeeded()) << result.result << " " << result.hostError;
    EXPECT_EQ(host.ParameterBytes().size(), sizeof(PSPlimParameters));
    const PSPlimParameters after = ParametersOf(host);
    EXPECT_EQ(after.leftButtonTool, 3);
    EXPECT_EQ(after.rightButtonTool, 2);
    EXPECT_EQ(after.pointsAcross, 5) << "the grown part held zeros, forced into range";
}

TEST(RealPluginQuirks, AShortBlockOfUnknownSizeThatCannotGrowIsReplacedByDefaults)
{
    HostOptions options;
    options.getSizeAnswersZero = true;
    options.setSizeFails = true;
    TestHost host(&PluginMain, options);
    host.SetImage(Pattern(8, 8));
    host.SetParameterBytes(std::vector<uint8_t>(12, 3));
    EffectTest::FakeEditor ok([](CPSPlimPluginApp&) { return 1; });
    EffectTest::EditorInstallation installed(ok);
    const SquelmHost::RunResult result = host.RunFilter();
    ASSERT_TRUE(result.Succeeded()) << result.result << " " << result.hostError;
    const PSPlimParameters after = ParametersOf(host);
    EXPECT_EQ(after.leftButtonTool, 0);
    EXPECT_EQ(after.rightButtonTool, 1);
    EXPECT_EQ(after.knockoutColour, 0xFFFFFFu);
    EXPECT_EQ(host.LiveHandleCount(), 1u);
}

} // namespace
} // namespace SquelmHostTest
