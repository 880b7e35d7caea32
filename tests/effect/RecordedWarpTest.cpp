// The recorded step's reading and what a run does with it, decided without
// a host: every fault a step can have, and the play table.
#include <gmock/gmock.h>

#include "effect/PSPlimDescriptorKeys.h"
#include "effect/PSPlimPlayback.h"
#include "grid/PSPlimGrid.h"

#include <cmath>
#include <functional>
#include <stdexcept>

namespace {

using ::testing::HasSubstr;

class RecordedWarpTest : public ::testing::Test {
protected:
    RecordedWarpTest()
    {
        PSPlimSetDefaultParameters(params);
        PSPlimGrid grid;
        grid.Reset(0.8, 0.6, 7, 6);
        mesh = PSPlimMeshOf(grid);
        mesh.points[4].x += 0.03;
        recorded = params;
        recorded.useInterpolation = 0;
        recorded.sampleDensity = 2.5;
        recorded.sampleCountBias = 0.25;
        recorded.exposedAreaMode = 3;
        recorded.exposedAreaColour = 0x123456;
        items = PSPlimDescribeWarp(recorded, mesh);
    }

    HuxPSDescriptorItem& Item(PS::DescriptorKeyID key)
    {
        return *std::find_if(items.begin(), items.end(), [key](const auto& i) { return i.key == key; });
    }

    PSPlimParameters params{}, recorded{};
    PSPlimMesh mesh;
    HuxPSDescriptorItems items;
};

TEST_F(RecordedWarpTest, ReadsBackWhatItRecordedOnTopOfTheCurrentParameters)
{
    params.toolSize = 0.2; // the editor's own settings are not recorded
    items.push_back(HuxPSInteger(PS::FourCC('X', 'x', 'x', 'x'), 5)); // a key of someone else's
    const PSPlimRecordedWarp warp = PSPlimReadWarp(items, params);
    EXPECT_EQ(warp.mesh.points, mesh.points);
    EXPECT_EQ(warp.mesh.across, 5);
    EXPECT_EQ(warp.params.toolSize, 0.2);
    EXPECT_EQ(warp.params.useInterpolation, 0);
    EXPECT_EQ(warp.params.sampleDensity, 2.5);
    EXPECT_EQ(warp.params.sampleCountBias, 0.25);
    EXPECT_EQ(warp.params.exposedAreaMode, 3);
    EXPECT_EQ(warp.params.exposedAreaColour, 0x123456u);

    const HuxPSDescriptorItems meshOnly = {items[0]};
    EXPECT_EQ(PSPlimReadWarp(meshOnly, params).params.sampleDensity, params.sampleDensity) << "missing: kept";
}

TEST_F(RecordedWarpTest, EveryFaultOfAStepIsRefusedWithItsReason)
{
    struct Case {
        std::function<void(HuxPSDescriptorItems&)> damage;
        const char* reason;
    };
    const Case cases[] = {
        {[](auto& i) { i.erase(i.begin()); }, "the recorded step holds no mesh"},
        {[](auto& i) { i[0] = HuxPSInteger(kPSPlimKeyMesh, 1); }, "the recorded mesh is 'long', not text"},
        {[](auto& i) { i[1].value = std::monostate{}; }, "the recorded interpolation is 'bool', not a yes or no"},
        {[](auto& i) { std::get<std::string>(i[0].value)[40] ^= 1; }, "the recorded mesh does not read: "},
        {[](auto& i) { std::get<std::string>(i[0].value) += "="; }, "the recorded mesh does not read: the mesh text is not Base64"},
        {[](auto& i) { i[2].value = 3.5; }, "the recorded sample density is outside what the filter takes"},
        {[](auto& i) { i[3].value = std::nan(""); }, "the recorded sample count bias is outside"},
        {[](auto& i) { i[4].value = int32_t(5); }, "the recorded exposed area is outside"},
    };
    for (const Case& c : cases) {
        HuxPSDescriptorItems damaged = items;
        c.damage(damaged);
        try {
            PSPlimReadWarp(damaged, params);
            ADD_FAILURE() << "read: " << c.reason;
        } catch (const std::runtime_error& e) {
            EXPECT_THAT(e.what(), HasSubstr(c.reason));
        }
    }
}

TEST_F(RecordedWarpTest, HowTheHostPlaysAndWhetherTheStepReadsChooseTheStart)
{
    using Start = PSPlimPlayStart;
    const auto good = [this] { return items; };
    const auto damaged = [this] {
        HuxPSDescriptorItems d = items;
        d.erase(d.begin());
        return d;
    };
    const auto hostFails = []() -> HuxPSDescriptorItems { throw std::runtime_error("the host failed"); };
    struct Case {
        int16_t playInfo;
        std::function<HuxPSDescriptorItems()> read;
        Start start;
        const char* reason;
    };
    const Case cases[] = {
        {PS::playSilent, good, Start::Silent, ""},
        {PS::playDialogIfNeeded, good, Start::Silent, ""},
        {PS::playDialogShown, good, Start::EditorOnWarp, ""},
        {7, good, Start::EditorOnWarp, ""},
        {PS::playSilent, damaged, Start::Refused, "the recorded step holds no mesh"},
        {PS::playSilent, hostFails, Start::Refused, "the host failed"},
        {PS::playDialogIfNeeded, damaged, Start::Editor, ""},
        {PS::playDialogShown, hostFails, Start::Editor, ""},
    };
    for (const Case& c : cases) {
        const PSPlimPlayPlan plan = PSPlimPlanPlay(c.playInfo, c.read, params);
        EXPECT_EQ(plan.start, c.start) << c.playInfo << " " << c.reason;
        EXPECT_EQ(plan.reason, c.reason);
        EXPECT_EQ(plan.warp.has_value(), c.start == Start::Silent || c.start == Start::EditorOnWarp);
    }
}

} // namespace
