// Scripted faults and services: advanceState errors, cancel, colour picker.
#include "testhost/HostTestSupport.h"

namespace SquelmHostTest {
namespace {

using SquelmHost::EventKind;

const PS::Rect kNone = HostRect(0, 0, 0, 0);

TEST_F(HostTest, AdvanceStateFailsFromTheNthCallOn)
{
    host.Options().failAdvanceStateAt = 3;
    host.Options().advanceStateError = -4242;
    host.BuildRecord();
    EXPECT_EQ(Advance(HostRect(0, 0, 1, 1), kNone, kNone), PS::noErr);
    EXPECT_EQ(Advance(HostRect(0, 0, 1, 1), kNone, kNone), PS::noErr);
    EXPECT_EQ(host.CallsAfterAdvanceStateError(), 0);
    EXPECT_EQ(Advance(HostRect(0, 0, 1, 1), kNone, kNone), -4242);
    EXPECT_EQ(static_cast<void*>(host.Record().inData), nullptr);
    EXPECT_EQ(Advance(HostRect(0, 0, 1, 1), kNone, kNone), -4242);
    EXPECT_EQ(host.CallsAfterAdvanceStateError(), 1) << "a plug-in must not call again after an error";

    // A new run starts counting afresh.
    host.BuildRecord();
    EXPECT_EQ(Advance(HostRect(0, 0, 1, 1), kNone, kNone), PS::noErr);
    EXPECT_EQ(host.CallsAfterAdvanceStateError(), 0);
}

TEST_F(HostTest, ARefusedRequestIsStickyToo)
{
    EXPECT_EQ(Advance(HostRect(0, 0, 99, 1), kNone, kNone), PS::paramErr);
    EXPECT_EQ(Advance(HostRect(0, 0, 1, 1), kNone, kNone), PS::paramErr);
    EXPECT_EQ(host.CallsAfterAdvanceStateError(), 1);
}

TEST_F(HostTest, TheInjectedErrorReachesTheRunResultThroughThePlugin)
{
    host.Options().failAdvanceStateAt = 1;
    host.Options().advanceStateError = PS::memFullErr;
    plugin.On(PS::filterSelectorStart, [](PS::FilterRecord& r) {
        Request(r, HostRect(0, 0, 1, 1), kNone, kNone);
        return r.advanceState();
    });
    const SquelmHost::RunResult result = host.RunFilter();
    EXPECT_EQ(result.result, PS::memFullErr);
    EXPECT_FALSE(result.finishCalled);
}

TEST_F(HostTest, AbortCancelsFromTheNthPollOn)
{
    host.Options().cancelAtAbortPoll = 3;
    host.BuildRecord();
    PS::TestAbortProc abort = host.Record().abortProc;
    ASSERT_TRUE(abort != nullptr);
    EXPECT_FALSE(abort());
    EXPECT_FALSE(abort());
    EXPECT_TRUE(abort());
    EXPECT_TRUE(abort());
    const auto polls = host.Log().OfKind(EventKind::AbortPoll);
    ASSERT_EQ(polls.size(), 4u);
    EXPECT_EQ(polls[1].result, 0);
    EXPECT_EQ(polls[2].result, 1);
}

TEST_F(HostTest, AbortNeverCancelsByDefault)
{
    PS::TestAbortProc abort = host.Record().abortProc;
    for (int i = 0; i < 50; ++i)
        ASSERT_FALSE(abort()) << i;
}

TEST_F(HostTest, ProgressIsRecorded)
{
    PS::ProgressProc progress = host.Record().progressProc;
    progress(0, 6);
    progress(5, 6);
    const auto events = host.Log().OfKind(EventKind::Progress);
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[1].value, 5);
    EXPECT_EQ(events[1].value2, 6);
}

TEST_F(HostTest, MissingServicesAreNull)
{
    host.Options().nullAbortProc = true;
    host.Options().nullProgressProc = true;
    host.Options().nullColorServices = true;
    host.Options().nullPlatformData = true;
    host.BuildRecord();
    const PS::FilterRecord& r = host.Record();
    // Compared by value: pointer fields may be misaligned in the packed record.
    EXPECT_TRUE(r.abortProc == nullptr);
    EXPECT_TRUE(r.progressProc == nullptr);
    EXPECT_TRUE(r.colorServices == nullptr);
    EXPECT_TRUE(r.platformData == nullptr);
    EXPECT_TRUE(r.advanceState != nullptr);
}

PS::ColorServicesInfo PickRequest(int16_t red, int16_t green, int16_t blue)
{
    PS::ColorServicesInfo info{};
    info.infoSize = sizeof info;
    info.selector = PS::plugIncolorServicesChooseColor;
    info.sourceSpace = PS::plugIncolorServicesRGBSpace;
    info.resultSpace = PS::plugIncolorServicesChosenSpace;
    info.colorComponents[0] = red;
    info.colorComponents[1] = green;
    info.colorComponents[2] = blue;
    return info;
}

TEST_F(HostTest, ColourPickerAnswersTheScriptedColour)
{
    host.Options().colour.red = 12;
    host.Options().colour.green = 34;
    host.Options().colour.blue = 250;
    PS::ColorServicesInfo info = PickRequest(200, 0, 7);
    EXPECT_EQ(host.Record().colorServices(&info), PS::noErr);
    EXPECT_EQ(info.colorComponents[0], 12);
    EXPECT_EQ(info.colorComponents[1], 34);
    EXPECT_EQ(info.colorComponents[2], 250);
    EXPECT_EQ(info.resultSpace, PS::plugIncolorServicesRGBSpace);
    const auto events = host.Log().OfKind(EventKind::ColorServices);
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].infoSize, int32_t(sizeof(PS::ColorServicesInfo)));
    EXPECT_EQ(events[0].colorSelector, 0);
    EXPECT_EQ(events[0].sourceSpace, 0);
    EXPECT_EQ(events[0].resultSpace, -1);
    EXPECT_EQ(events[0].components[0], 200) << "the log keeps what the plug-in sent";
    EXPECT_EQ(events[0].components[2], 7);
}

TEST_F(HostTest, ColourPickerRefusalLeavesTheBlockAlone)
{
    host.Options().colour.refuse = true;
    host.Options().colour.refusalCode = PS::userCanceledErr;
    PS::ColorServicesInfo info = PickRequest(1, 2, 3);
    EXPECT_EQ(host.Record().colorServices(&info), PS::userCanceledErr);
    EXPECT_EQ(info.colorComponents[0], 1);
    EXPECT_EQ(info.resultSpace, PS::plugIncolorServicesChosenSpace);
}

TEST_F(HostTest, ColourPickerOnlyChoosesColours)
{
    PS::ColorServicesInfo info = PickRequest(1, 2, 3);
    info.selector = 1; // convert
    EXPECT_EQ(host.Record().colorServices(&info), PS::paramErr);
    EXPECT_EQ(host.Record().colorServices(nullptr), PS::paramErr);
}

} // namespace
} // namespace SquelmHostTest
