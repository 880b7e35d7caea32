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

// A picked colour (red 153, green 102, blue 51) into a document's planes:
// a CMYK or Lab document asks the host to convert it and takes the answer
// on its depth's scale; without the host's conversion (an error, no proc)
// and for grey and RGB, the formulas.
TEST(HostServices, DocumentColoursComeFromTheHostsConversionElseTheFormulas)
{
    using Model = HuxPSColourModel;
    enum class Host { Converts, Fails, NoProc };
    const struct {
        Model model;
        int32_t depth;
        Host host;
        std::array<int16_t, 4> answer;
        int16_t askedSpace; // -9: not asked
        std::array<uint32_t, 4> samples;
    } cases[] = {
        {Model::CMYK, 8, Host::Converts, {1, 2, 3, 300}, 2, {1, 2, 3, 255}},
        {Model::CMYK, 16, Host::Converts, {0, 255, 128, -5}, 2, {0, 32768, 16448, 0}},
        {Model::Lab, 8, Host::Converts, {200, 100, 150, 0}, 3, {200, 100, 150, 0}},
        {Model::CMYK, 8, Host::Fails, {1, 2, 3, 4}, 2, {255, 204, 153, 153}},
        {Model::CMYK, 8, Host::NoProc, {1, 2, 3, 4}, -9, {255, 204, 153, 153}},
        {Model::Grey, 8, Host::Converts, {1, 2, 3, 4}, -9, {111, 0, 0, 0}},
        {Model::RGB, 8, Host::Converts, {1, 2, 3, 4}, -9, {153, 102, 51, 0}},
    };
    for (const auto& c : cases) {
        FakeHost host(4, 4);
        host.colourPicked = c.answer;
        host.colourAnswer = c.host == Host::Fails ? PS::paramErr : PS::noErr;
        if (c.host == Host::NoProc)
            host.Record().colorServices = nullptr;
        const int16_t planes = c.model == Model::CMYK ? 4 : c.model == Model::Grey ? 1 : 3;
        const HuxPSDocument document{{c.model, c.depth, HuxPSTransparency::None}, planes, true};
        RecordingFilter filter;
        std::array<uint32_t, 4> samples{};
        RunInStart(filter, host, [&] { filter.DocumentColour(document, 0x00336699, samples.data()); });
        const std::string name = std::to_string(int(c.model)) + "/" + std::to_string(c.depth) + "/" +
                                 std::to_string(int(c.host));
        EXPECT_EQ(samples, c.samples) << name;
        ASSERT_EQ(host.colourCalls.size(), c.askedSpace == -9 ? 0u : 1u) << name;
        if (host.colourCalls.empty())
            continue;
        const PS::ColorServicesInfo& info = host.colourCalls[0];
        EXPECT_EQ(info.infoSize, int32_t(sizeof info)) << name;
        EXPECT_EQ(info.selector, 1) << name;
        EXPECT_EQ(info.sourceSpace, 0) << name;
        EXPECT_EQ(info.resultSpace, c.askedSpace) << name;
        EXPECT_EQ((std::array<int16_t, 4>{info.colorComponents[0], info.colorComponents[1], info.colorComponents[2],
                                          info.colorComponents[3]}),
                  (std::array<int16_t, 4>{153, 102, 51, 0}))
            << name;
    }
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
