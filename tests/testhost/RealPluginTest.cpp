// The real plug-in (linked in-process) driven through the test host: the
// protocol as the host sees it, end to end.
#include <cstdio>
#include <cstring>

#include "effect/CPSPlimPluginApp.h"
#include "effect/PSPlimEditor.h"
#include "effect/PSPlimParameters.h"
#include "plugin/PluginMain.h"
#include "support/FakeEditor.h"
#include "testhost/HostTestSupport.h"
#include "testhost/ImageCompare.h"
#include "testhost/PluginLoader.h"

namespace SquelmHostTest {
namespace {

using SquelmHost::EventKind;
using SquelmHost::Rect32;

class RealPluginTest : public ::testing::Test {
protected:
    RealPluginTest()
    {
        std::string error;
        entry_ = LoadPluginEntry("", error);
    }

    PS::PluginEntry entry_ = nullptr;
};

TEST_F(RealPluginTest, AnAcceptedUneditedRunFollowsTheProtocol)
{
    ASSERT_TRUE(entry_ != nullptr);
    SquelmHost::TestHost host(entry_);
    host.SetImage(Pattern(200, 150));
    EffectTest::FakeEditor ok([](CPSPlimPluginApp&) { return 1; });
    EffectTest::EditorInstallation installed(ok);
    const SquelmHost::RunResult result = host.RunFilter();
    ASSERT_TRUE(result.Succeeded()) << result.result << " " << result.hostError << "\n" << host.Log().ToString();
    EXPECT_EQ(host.Log().SelectorSequence(), (std::vector<int16_t>{1, 2, 3, 4, 5}));
    EXPECT_EQ(result.continueCalls, 1);

    // 200 x 150 is 2 x 2 output tiles of at most 128; progress 0..3 of 4.
    const auto requests = host.Log().OfKind(EventKind::AdvanceState);
    std::vector<Rect32> outTiles;
    for (const auto& e : requests)
        if (!e.outRect.Empty())
            outTiles.push_back(e.outRect);
    EXPECT_EQ(outTiles, (std::vector<Rect32>{{0, 0, 128, 128}, {128, 0, 200, 128}, {0, 128, 128, 150},
                                             {128, 128, 200, 150}}));
    const auto progress = host.Log().OfKind(EventKind::Progress);
    ASSERT_EQ(progress.size(), 4u);
    for (size_t k = 0; k < progress.size(); ++k) {
        EXPECT_EQ(progress[k].value, int64_t(k));
        EXPECT_EQ(progress[k].value2, 4);
    }
    EXPECT_EQ(host.PaddingViolations(), 0);
    EXPECT_EQ(host.CallsAfterAdvanceStateError(), 0);

    // The parameters block was created once and is left unlocked.
    EXPECT_EQ(host.ParameterBytes().size(), sizeof(PSPlimParameters));
    EXPECT_EQ(host.LockCount(host.ParametersHandle()), 0);
    EXPECT_EQ(host.Log().Count(EventKind::NewHandle), 2u) << "the block, and the text of the step it recorded";
}

TEST_F(RealPluginTest, CancelledEditorLeavesTheImageAndSkipsFinish)
{
    SquelmHost::TestHost host(entry_);
    host.SetImage(Pattern(40, 30));
    host.Options().revertOnFailure = false; // see what the plug-in itself left
    EffectTest::FakeEditor cancel([](CPSPlimPluginApp&) { return 2; });
    EffectTest::EditorInstallation installed(cancel);
    const SquelmHost::RunResult result = host.RunFilter();
    EXPECT_EQ(result.result, PS::userCanceledErr);
    EXPECT_FALSE(result.finishCalled);
    EXPECT_EQ(host.Log().Count(EventKind::OutputStored), 0u);
    EXPECT_TRUE(SquelmHost::CompareImages(Pattern(40, 30), host.Image()).Identical());
}

TEST_F(RealPluginTest, OffsetFilterRectangleIsWrittenWhereItLies)
{
    SquelmHost::TestHost host(entry_);
    host.SetImage(Pattern(60, 50));
    host.Options().filterRect = Rect32{10, 5, 50, 45};
    EffectTest::FakeEditor ok([](CPSPlimPluginApp&) { return 1; });
    EffectTest::EditorInstallation installed(ok);
    ASSERT_TRUE(host.RunFilter().Succeeded()) << host.Log().ToString();
    const auto stored = host.Log().OfKind(EventKind::OutputStored);
    ASSERT_FALSE(stored.empty());
    EXPECT_EQ(stored.front().outRect, (Rect32{10, 5, 50, 45}));
    // Outside the filter rectangle the document is untouched.
    const SquelmHost::RgbImage before = Pattern(60, 50);
    for (int y = 0; y < 50; ++y) {
        for (int x = 0; x < 60; ++x) {
            if (x >= 10 && x < 50 && y >= 5 && y < 45)
                continue;
            ASSERT_EQ(std::memcmp(before.At(x, y), host.Image().At(x, y), 3), 0) << x << "," << y;
        }
    }
    // The source requests stayed inside it too.
    for (const auto& e : host.Log().OfKind(EventKind::AdvanceState)) {
        if (e.inRect.Empty())
            continue;
        EXPECT_GE(e.inRect.left, 10);
        EXPECT_GE(e.inRect.top, 5);
        EXPECT_LE(e.inRect.right, 50);
        EXPECT_LE(e.inRect.bottom, 45);
    }
}

TEST_F(RealPluginTest, ASelectionBoundsTheRunAndItsMaskIsRequestedWithTheSource)
{
    SquelmHost::TestHost host(entry_);
    host.SetImage(Pattern(40, 30));
    SquelmHost::GreyImage mask(40, 30, 0);
    for (int y = 8; y < 20; ++y)
        for (int x = 5; x < 25; ++x)
            mask.At(x, y) = 255;
    host.SetMask(mask);
    EffectTest::FakeEditor ok([](CPSPlimPluginApp&) { return 1; });
    EffectTest::EditorInstallation installed(ok);
    ASSERT_TRUE(host.RunFilter().Succeeded()) << host.Log().ToString();
    int sourceRequests = 0;
    for (const auto& e : host.Log().OfKind(EventKind::AdvanceState)) {
        if (e.inRect.Empty())
            continue;
        ++sourceRequests;
        EXPECT_EQ(e.maskRect, e.inRect);
        EXPECT_EQ(e.inRect, (Rect32{5, 8, 25, 20}));
    }
    EXPECT_EQ(sourceRequests, 1);
    // Nothing outside the selection changes.
    const SquelmHost::RgbImage before = Pattern(40, 30);
    for (int y = 0; y < 30; ++y) {
        for (int x = 0; x < 40; ++x) {
            if (!mask.At(x, y)) {
                ASSERT_EQ(std::memcmp(before.At(x, y), host.Image().At(x, y), 3), 0) << x << "," << y;
            }
        }
    }
}

TEST_F(RealPluginTest, CancelDuringTheRenderStopsAfterTheCurrentTile)
{
    SquelmHost::TestHost host(entry_);
    host.SetImage(Pattern(300, 130)); // 3 x 2 tiles
    host.Options().cancelAtAbortPoll = 2;
    EffectTest::FakeEditor ok([](CPSPlimPluginApp&) { return 1; });
    EffectTest::EditorInstallation installed(ok);
    const SquelmHost::RunResult result = host.RunFilter();
    EXPECT_EQ(result.result, PS::userCanceledErr);
    EXPECT_EQ(host.Log().Count(EventKind::AbortPoll), 2u);
    EXPECT_EQ(host.Log().Count(EventKind::Progress), 1u);
    EXPECT_FALSE(result.finishCalled);
}

TEST_F(RealPluginTest, AnAdvanceStateFailureBecomesTheResult)
{
    SquelmHost::TestHost host(entry_);
    host.SetImage(Pattern(30, 30));
    host.Options().failAdvanceStateAt = 1;
    host.Options().advanceStateError = -1234;
    EffectTest::FakeEditor ok([](CPSPlimPluginApp&) { return 1; });
    EffectTest::EditorInstallation installed(ok);
    const SquelmHost::RunResult result = host.RunFilter();
    EXPECT_EQ(result.result, -1234);
    EXPECT_EQ(host.CallsAfterAdvanceStateError(), 0) << host.Log().ToString();
}

TEST_F(RealPluginTest, ParametersSurviveACommandLineStyleRoundTrip)
{
    const std::string path = ::testing::TempDir() + "squelm_real_params.bin";
    {
        SquelmHost::TestHost host(entry_);
        host.SetImage(Pattern(20, 20));
        EffectTest::FakeEditor ok([](CPSPlimPluginApp&) { return 1; });
        EffectTest::EditorInstallation installed(ok);
        ASSERT_TRUE(host.RunFilter().Succeeded());
        std::vector<uint8_t> bytes = host.ParameterBytes();
        ASSERT_EQ(bytes.size(), 96u);
        bytes[48] = 200; // pointsAcross out of range: forced to 152
        host.SetParameterBytes(bytes);
        host.SaveParameters(path);
    }
    SquelmHost::TestHost host(entry_);
    host.SetImage(Pattern(20, 20));
    ASSERT_TRUE(host.LoadParameters(path));
    EffectTest::FakeEditor ok([](CPSPlimPluginApp&) { return 1; });
    EffectTest::EditorInstallation installed(ok);
    ASSERT_TRUE(host.RunFilter().Succeeded());
    PSPlimParameters p;
    const std::vector<uint8_t> bytes = host.ParameterBytes();
    ASSERT_EQ(bytes.size(), sizeof p);
    std::memcpy(&p, bytes.data(), sizeof p);
    EXPECT_EQ(p.pointsAcross, 152);
    EXPECT_EQ(host.Log().Count(EventKind::NewHandle), 1u)
        << "the stored block is used, not a new one: the one new handle is the recorded step's text";
    std::remove(path.c_str());
}

} // namespace
} // namespace SquelmHostTest
