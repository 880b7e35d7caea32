// Sample counts per edge and their reduction to at most 120 samples.
#include "warp/SampleCounts.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <utility>

namespace {

std::pair<int32_t, int32_t> Reduced(int32_t top, int32_t left)
{
    ReduceSampleCounts(top, left);
    return {top, left};
}

} // namespace

TEST(SampleCounts, EdgeLengthWithDefaultDensityAndBias)
{
    EXPECT_EQ(EdgeSampleCount(0.0, 1.0, 0.9), 1);
    EXPECT_EQ(EdgeSampleCount(1.0, 1.0, 0.9), 1);
    EXPECT_EQ(EdgeSampleCount(1.09, 1.0, 0.9), 1);
    EXPECT_EQ(EdgeSampleCount(1.1, 1.0, 0.9), 2);
    EXPECT_EQ(EdgeSampleCount(2.0, 1.0, 0.9), 2);
    EXPECT_EQ(EdgeSampleCount(2.11, 1.0, 0.9), 3);
    EXPECT_EQ(EdgeSampleCount(100.0, 1.0, 0.9), 100);
}

TEST(SampleCounts, DensityAndBiasScaleTheCount)
{
    EXPECT_EQ(EdgeSampleCount(4.0, 3.0, 0.0), 12);
    EXPECT_EQ(EdgeSampleCount(4.0, 0.5, 2.0), 4);
    EXPECT_EQ(EdgeSampleCount(0.3, 0.5, 0.0), 1) << "below one is raised to one";
}

TEST(SampleCounts, WildLengthsStayDefined)
{
    EXPECT_EQ(EdgeSampleCount(std::numeric_limits<double>::quiet_NaN(), 1.0, 0.9), 1);
    EXPECT_EQ(EdgeSampleCount(std::numeric_limits<double>::infinity(), 1.0, 0.9), 1073741824);
    EXPECT_EQ(EdgeSampleCount(-5.0, 1.0, 0.9), 1);
    EXPECT_EQ(Reduced(1073741824, 1073741824), std::make_pair(11, 10));
}

TEST(SampleCounts, ReductionExamples)
{
    EXPECT_EQ(Reduced(30, 10), std::make_pair(12, 10));
    EXPECT_EQ(Reduced(11, 11), std::make_pair(11, 10)) << "a tie reduces the left count";
    EXPECT_EQ(Reduced(100, 100), std::make_pair(11, 10));
    EXPECT_EQ(Reduced(121, 1), std::make_pair(60, 1));
    EXPECT_EQ(Reduced(1, 121), std::make_pair(1, 60));
    EXPECT_EQ(Reduced(12, 10), std::make_pair(12, 10)) << "120 is allowed";
    EXPECT_EQ(Reduced(21, 6), std::make_pair(10, 6)) << "21 is halved";
    EXPECT_EQ(Reduced(20, 7), std::make_pair(17, 7)) << "20 goes down by one at a time";
}

// Every sum a nearest-sampled pixel can reach, for every sample count; and
// for bilinear divisors the sums around each multiple, where a product
// through the reciprocal would land a hair below the integer.
TEST(SampleCounts, AverageRoundedUpIsTheIntegerQuotient)
{
    for (uint32_t n = 1; n <= 120; ++n) {
        const double reciprocal = 1.0 / n;
        for (uint32_t sum = 0; sum <= 255 * n; ++sum)
            ASSERT_EQ(AverageRoundedUp(sum, n, reciprocal), (n + sum - 1) / n) << "sum " << sum << " of " << n;
    }
    for (uint32_t n = 1; n <= 120; ++n) {
        const uint32_t divisor = n * 65025;
        const double reciprocal = 1.0 / divisor;
        for (uint32_t k = 0; k <= 255; ++k) {
            for (uint32_t offset = 0; offset < 3; ++offset) {
                const int64_t around = int64_t(k) * divisor + offset - 1;
                if (around < 0 || around > int64_t(255) * divisor)
                    continue;
                const uint32_t sum = uint32_t(around);
                ASSERT_EQ(AverageRoundedUp(sum, divisor, reciprocal), (divisor + sum - 1) / divisor)
                    << "sum " << sum << " of " << divisor;
            }
        }
    }
}
