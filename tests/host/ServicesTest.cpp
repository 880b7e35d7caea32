// The host's callbacks as the framework wraps them, including hosts that
// lack them.
#include "FakeHost.h"

#include <gtest/gtest.h>

using namespace FakeHostTest;

TEST(HostServices, AbortAnswerCancels)
{
    FakeHost host(4, 4);
    RecordingFilter filter;
    EXPECT_EQ(RunInStart(filter, host, [&] { filter.TestAbort(); }), 0);
    host.abortAnswer = true;
    EXPECT_EQ(RunInStart(filter, host, [&] { filter.TestAbort(); }), PS::userCanceledErr);
    EXPECT_EQ(host.abortPolls, 2);
}

TEST(HostServices, MissingAbortAndProgressProcsAreSkipped)
{
    FakeHost host(4, 4);
    host.Record().abortProc = nullptr;
    host.Record().progressProc = nullptr;
    RecordingFilter filter;
    EXPECT_EQ(RunInStart(filter, host, [&] {
                  filter.TestAbort();
                  filter.UpdateProgress(1, 2);
              }),
              0);
    EXPECT_TRUE(host.progress.empty());
}

TEST(HostServices, ProgressIsForwarded)
{
    FakeHost host(4, 4);
    RecordingFilter filter;
    RunInStart(filter, host, [&] {
        filter.UpdateProgress(0, 6);
        filter.UpdateProgress(5, 6);
    });
    EXPECT_EQ(host.progress, (std::vector<std::pair<int32_t, int32_t>>{{0, 6}, {5, 6}}));
}

TEST(HostServices, MissingAdvanceStateMeansTheHostIsInsufficient)
{
    FakeHost host(4, 4);
    host.Record().advanceState = nullptr;
    RecordingFilter filter;
    EXPECT_EQ(RunInStart(filter, host, [&] { filter.AdvanceState(); }), PS::errPlugInHostInsufficient);
}

TEST(HostServices, PickColourFillsTheBlockAndReadsTheAnswer)
{
    FakeHost host(4, 4);
    host.colourPicked = {10, 20, 300};
    RecordingFilter filter;
    uint32_t colour = 0x00332211;
    bool picked = false;
    RunInStart(filter, host, [&] { picked = filter.PickColour(colour); });
    EXPECT_TRUE(picked);
    EXPECT_EQ(colour, 10u | 20u << 8 | 44u << 16); // low byte of each component
    ASSERT_EQ(host.colourCalls.size(), 1u);
    const PS::ColorServicesInfo& info = host.colourCalls[0];
    EXPECT_EQ(info.infoSize, int32_t(sizeof(PS::ColorServicesInfo)));
    EXPECT_EQ(info.infoSize, sizeof(void*) == 8 ? 56 : 36);
    EXPECT_EQ(info.selector, 0);
    EXPECT_EQ(info.sourceSpace, 0);
    EXPECT_EQ(info.resultSpace, -1);
    EXPECT_EQ(info.colorComponents[0], 0x11);
    EXPECT_EQ(info.colorComponents[1], 0x22);
    EXPECT_EQ(info.colorComponents[2], 0x33);
    EXPECT_EQ(info.colorComponents[3], 0);
    EXPECT_EQ(info.selectorParameter.pickerPrompt, nullptr);
    EXPECT_EQ(info.reservedSourceSpaceInfo, nullptr);
}

TEST(HostServices, RefusedOrMissingPickerLeavesTheColour)
{
    FakeHost host(4, 4);
    host.colourAnswer = PS::userCanceledErr;
    RecordingFilter filter;
    uint32_t colour = 0x00ABCDEF;
    bool picked = true;
    RunInStart(filter, host, [&] { picked = filter.PickColour(colour); });
    EXPECT_FALSE(picked);
    EXPECT_EQ(colour, 0x00ABCDEFu);

    host.Record().colorServices = nullptr;
    picked = true;
    RunInStart(filter, host, [&] { picked = filter.PickColour(colour); });
    EXPECT_FALSE(picked);
    EXPECT_EQ(colour, 0x00ABCDEFu);
}

TEST(HostServices, OwnerWindowComesFromThePlatformData)
{
    FakeHost host(4, 4);
    RecordingFilter filter;
    PS::PlatformData window{0x777};
    intptr_t owner = -1;
    RunInStart(filter, host, [&] { owner = filter.OwnerWindow(); });
    EXPECT_EQ(owner, 0);
    host.Record().platformData = &window;
    RunInStart(filter, host, [&] { owner = filter.OwnerWindow(); });
    EXPECT_EQ(owner, 0x777);
}
