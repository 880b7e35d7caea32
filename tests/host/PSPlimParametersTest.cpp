// The effect's parameters record: defaults, ranges and damaged values.
#include "effect/PSPlimParameters.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <random>

namespace {

PSPlimParameters Defaults()
{
    PSPlimParameters p;
    std::memset(&p, 0x5A, sizeof p);
    PSPlimSetDefaultParameters(p);
    return p;
}

void ExpectInRange(const PSPlimParameters& p)
{
    EXPECT_GE(p.leftButtonTool, 0);
    EXPECT_LE(p.leftButtonTool, 5);
    EXPECT_GE(p.rightButtonTool, 0);
    EXPECT_LE(p.rightButtonTool, 5);
    EXPECT_GE(p.toolSize, 0.01);
    EXPECT_LE(p.toolSize, 0.25);
    EXPECT_GE(p.toolPower, 0.05);
    EXPECT_LE(p.toolPower, 1.0);
    EXPECT_GE(p.gridEdgeMode, 0);
    EXPECT_LE(p.gridEdgeMode, 2);
    EXPECT_GE(p.pointsAcross, 5);
    EXPECT_LE(p.pointsAcross, 152);
    EXPECT_GE(p.pointsDown, 5);
    EXPECT_LE(p.pointsDown, 152);
    EXPECT_GE(p.exposedAreaMode, 0);
    EXPECT_LE(p.exposedAreaMode, 3);
    EXPECT_GE(p.sampleDensity, 0.5);
    EXPECT_LE(p.sampleDensity, 3.0);
    EXPECT_GE(p.sampleCountBias, 0.0);
    EXPECT_LE(p.sampleCountBias, 2.0);
}

} // namespace

TEST(PSPlimParameters, DefaultsAreTheDocumentedValuesAndPaddingIsLeftAlone)
{
    const PSPlimParameters p = Defaults();
    EXPECT_EQ(p.leftButtonTool, 0);
    EXPECT_EQ(p.rightButtonTool, 1);
    EXPECT_EQ(p.showGrid, 0);
    EXPECT_EQ(p.toolSize, 0.1);
    EXPECT_EQ(p.toolPower, 0.2);
    EXPECT_EQ(p.showToolRadius, 1);
    EXPECT_EQ(p.gridColour, 200u);
    EXPECT_EQ(p.toolRadiusColour, 0xC80000u);
    EXPECT_EQ(p.gridEdgeMode, 0);
    EXPECT_EQ(p.pointsAcross, 52);
    EXPECT_EQ(p.pointsDown, 52);
    EXPECT_EQ(p.exposedAreaMode, 0);
    EXPECT_EQ(p.exposedAreaColour, 0u);
    EXPECT_EQ(p.useInterpolation, 1);
    EXPECT_EQ(p.sampleDensity, 1.0);
    EXPECT_EQ(p.sampleCountBias, 0.9);
    EXPECT_EQ(p.knockout, 1);
    EXPECT_EQ(p.knockoutColour, 0xFFFFFFu);
    for (uint8_t b : p.padding1)
        EXPECT_EQ(b, 0x5A);
    for (uint8_t b : p.padding4)
        EXPECT_EQ(b, 0x5A);
}

TEST(PSPlimParameters, ValuesBelowAndAboveAreForcedToTheBounds)
{
    PSPlimParameters low = Defaults();
    low.leftButtonTool = -1, low.rightButtonTool = -7, low.toolSize = 0.0, low.toolPower = -1.0;
    low.gridEdgeMode = -1, low.pointsAcross = 4, low.pointsDown = -100, low.exposedAreaMode = -2;
    low.sampleDensity = 0.49, low.sampleCountBias = -0.1;
    PSPlimValidateParameters(low);
    EXPECT_EQ(low.leftButtonTool, 0);
    EXPECT_EQ(low.rightButtonTool, 0);
    EXPECT_EQ(low.toolSize, 0.01);
    EXPECT_EQ(low.toolPower, 0.05);
    EXPECT_EQ(low.gridEdgeMode, 0);
    EXPECT_EQ(low.pointsAcross, 5);
    EXPECT_EQ(low.pointsDown, 5);
    EXPECT_EQ(low.exposedAreaMode, 0);
    EXPECT_EQ(low.sampleDensity, 0.5);
    EXPECT_EQ(low.sampleCountBias, 0.0);

    PSPlimParameters high = Defaults();
    high.leftButtonTool = 6, high.rightButtonTool = 1000, high.toolSize = 0.5, high.toolPower = 1.5;
    high.gridEdgeMode = 3, high.pointsAcross = 200, high.pointsDown = 153, high.exposedAreaMode = 5;
    high.sampleDensity = 3.01, high.sampleCountBias = 2.5;
    PSPlimValidateParameters(high);
    EXPECT_EQ(high.leftButtonTool, 5);
    EXPECT_EQ(high.rightButtonTool, 5);
    EXPECT_EQ(high.toolSize, 0.25);
    EXPECT_EQ(high.toolPower, 1.0);
    EXPECT_EQ(high.gridEdgeMode, 2);
    EXPECT_EQ(high.pointsAcross, 152);
    EXPECT_EQ(high.pointsDown, 152);
    EXPECT_EQ(high.exposedAreaMode, 3);
    EXPECT_EQ(high.sampleDensity, 3.0);
    EXPECT_EQ(high.sampleCountBias, 2.0);
}

TEST(PSPlimParameters, FieldsWithoutRangeAreTakenAsStored)
{
    PSPlimParameters p = Defaults();
    p.showGrid = 0x7F, p.showToolRadius = 0xFF, p.useInterpolation = 2, p.knockout = 0x80;
    p.gridColour = 0xFFFFFFFF, p.toolRadiusColour = 0x12345678, p.exposedAreaColour = 0xDEADBEEF;
    p.knockoutColour = 0x01000000;
    const PSPlimParameters before = p;
    PSPlimValidateParameters(p);
    EXPECT_EQ(std::memcmp(&p, &before, sizeof p), 0);
}

TEST(PSPlimParameters, NotANumberAndInfinityFallBackToDefaults)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    PSPlimParameters p = Defaults();
    p.toolSize = nan, p.toolPower = inf, p.sampleDensity = -inf, p.sampleCountBias = -nan;
    PSPlimValidateParameters(p);
    EXPECT_EQ(p.toolSize, 0.1);
    EXPECT_EQ(p.toolPower, 0.2);
    EXPECT_EQ(p.sampleDensity, 1.0);
    EXPECT_EQ(p.sampleCountBias, 0.9);
}

TEST(PSPlimParameters, RandomRecordsEndInRangeAndInRangeValuesStay)
{
    const unsigned seed = 20261208;
    std::mt19937 random(seed);
    for (int round = 0; round < 2000; ++round) {
        PSPlimParameters p;
        auto* bytes = reinterpret_cast<uint8_t*>(&p);
        for (size_t i = 0; i < sizeof p; ++i)
            bytes[i] = uint8_t(random());
        PSPlimParameters once = p;
        PSPlimValidateParameters(once);
        SCOPED_TRACE("seed " + std::to_string(seed) + ", round " + std::to_string(round) +
                     " (replay: test_host --gtest_filter=PSPlimParameters.RandomRecords*)");
        ExpectInRange(once);
        PSPlimParameters twice = once;
        PSPlimValidateParameters(twice);
        ASSERT_EQ(std::memcmp(&once, &twice, sizeof once), 0) << "validation is not idempotent";
        if (HasFailure())
            break;
    }
}
