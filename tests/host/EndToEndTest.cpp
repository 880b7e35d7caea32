// The library as a host drives it: whole runs through the test host and
// the real entry point.
#include "HuxLib/HUXWIN/HuxMessageLog.h"
#include "effect/PSPlimParameters.h"
#include "effect/PSPlimVersionText.h"
#include "plugin/PluginMain.h"
#include "testhost/TestHost.h"
#include "support/ParametersRecord.h"

#include <gtest/gtest.h>

#include <cstring>

using SquelmHost::HostOptions;
using SquelmHost::RgbImage;
using SquelmHost::TestHost;

namespace {

// A small image with a one-pixel border and distinct corner dots.
RgbImage MarkedImage(int width, int height)
{
    RgbImage image(width, height, 90);
    for (int x = 0; x < width; ++x)
        image.Set(x, 0, 255, 0, 0), image.Set(x, height - 1, 0, 255, 0);
    image.Set(0, 0, 1, 2, 3);
    image.Set(width - 1, height - 1, 250, 251, 252);
    return image;
}

} // namespace

TEST(EndToEnd, AboutWithEveryKindOfOwner)
{
    HuxClearMessageLog();
    for (intptr_t owner : {intptr_t(0x10072), intptr_t(0)}) {
        HostOptions options;
        options.ownerWindow = owner;
        TestHost host(&PluginMain, options);
        EXPECT_EQ(host.CallAbout(), PS::noErr);
    }
    HostOptions noPlatform;
    noPlatform.nullAboutPlatformData = true;
    TestHost host(&PluginMain, noPlatform);
    EXPECT_EQ(host.CallAbout(), PS::noErr);

    ASSERT_EQ(HuxMessageLog().size(), 3u);
    EXPECT_EQ(HuxMessageLog()[0].owner, 0x10072);
    EXPECT_EQ(HuxMessageLog()[1].owner, 0);
    EXPECT_EQ(HuxMessageLog()[2].owner, 0);
    for (const HuxMessageRecord& box : HuxMessageLog()) {
        EXPECT_EQ(box.text, PSPlimAboutText());
        EXPECT_EQ(box.caption, "Squelm");
    }
}

TEST(EndToEnd, CancelledRunLeavesTheImageAndKeepsDefaultParameters)
{
    TestHost host(&PluginMain);
    host.SetImage(MarkedImage(9, 7));
    const auto result = host.RunFilter();
    EXPECT_EQ(result.result, PS::userCanceledErr);
    EXPECT_EQ(result.failedSelector, PS::filterSelectorStart);
    EXPECT_FALSE(result.finishCalled);
    EXPECT_EQ(host.Image().pixels, MarkedImage(9, 7).pixels);
    EXPECT_TRUE(host.HostError().empty()) << host.HostError();

    const PSPlimParameters p = ParametersOf(host);
    EXPECT_EQ(p.pointsAcross, 52);
    EXPECT_EQ(p.toolRadiusColour, 0xC80000u);
    EXPECT_EQ(host.LockCount(host.ParametersHandle()), 0);
}

TEST(EndToEnd, StoredRecordIsForcedIntoRangeInPrepare)
{
    TestHost host(&PluginMain);
    host.SetImage(MarkedImage(9, 7));
    PSPlimParameters stored{};
    PSPlimSetDefaultParameters(stored);
    stored.pointsAcross = 200;
    stored.toolSize = 0.5;
    stored.leftButtonTool = 3;
    host.SetParameterBytes(BytesOf(stored));

    SquelmHost::RunOptions run;
    run.callParameters = false; // some hosts go straight to Prepare
    host.RunFilter(run);
    const PSPlimParameters p = ParametersOf(host);
    EXPECT_EQ(p.pointsAcross, 152);
    EXPECT_EQ(p.toolSize, 0.25);
    EXPECT_EQ(p.leftButtonTool, 3);
}

TEST(EndToEnd, HostThatCannotTellHandleSizesKeepsTheStoredRecord)
{
    HostOptions options;
    options.getSizeAnswersZero = true;
    TestHost host(&PluginMain, options);
    host.SetImage(MarkedImage(4, 4));
    PSPlimParameters stored{};
    PSPlimSetDefaultParameters(stored);
    stored.rightButtonTool = 5;
    host.SetParameterBytes(BytesOf(stored));
    host.RunFilter();
    EXPECT_EQ(ParametersOf(host).rightButtonTool, 5);
}

TEST(EndToEnd, ShortStoredRecordIsReplacedByDefaults)
{
    TestHost host(&PluginMain);
    host.SetImage(MarkedImage(4, 4));
    host.SetParameterBytes(std::vector<uint8_t>(50, 0xFF));
    host.RunFilter();
    const PSPlimParameters p = ParametersOf(host);
    EXPECT_EQ(p.leftButtonTool, 0);
    EXPECT_EQ(p.knockoutColour, 0xFFFFFFu);
    EXPECT_EQ(host.LiveHandleCount(), 1u);
}

TEST(EndToEnd, HostWithoutMemoryForTheRecordGetsMemFullErr)
{
    HostOptions options;
    options.failNewHandleAt = 1;
    TestHost host(&PluginMain, options);
    host.SetImage(MarkedImage(4, 4));
    const auto result = host.RunFilter();
    EXPECT_EQ(result.result, PS::memFullErr);
    EXPECT_EQ(result.failedSelector, PS::filterSelectorParameters);
}
