// How many samples a destination pixel takes along each measured edge of its
// source quadrilateral.
#pragma once

#include <cstdint>
#include <limits>

// At most this many samples per destination pixel.
constexpr int64_t kMaxSamplesPerPixel = 120;
// The four bilinear weights of one sample add up to 255 x 255.
constexpr int64_t kBilinearWeightTotal = 65025;

// A pixel's channel sums are 32-bit (PixelReader::AccumulateBilinear adds
// into int32_t): the most one can reach, every sample a full-weight 255, must
// fit, and so must the rounding-up numerator of the average built from it.
// The margin is about 7%, so a larger sample cap needs wider sums.
constexpr int64_t kLargestChannelSum = kMaxSamplesPerPixel * kBilinearWeightTotal * 255;
static_assert(kLargestChannelSum <= std::numeric_limits<int32_t>::max(),
              "the sample cap overflows the 32-bit channel sums");
static_assert(kLargestChannelSum + kMaxSamplesPerPixel * kBilinearWeightTotal - 1 <=
                  std::numeric_limits<uint32_t>::max(),
              "the rounded-up average overflows its 32-bit numerator");

// Samples along one edge: trunc(length * density + bias), at least 1. Values
// too large for the count's type saturate; the reduction brings them down.
inline int32_t EdgeSampleCount(double length, double density, double bias)
{
    const double scaled = length * density + bias;
    if (!(scaled >= 1.0)) // below 1, or not a number
        return 1;
    if (scaled >= 1073741824.0)
        return 1073741824;
    return int32_t(scaled);
}

// Brings countTop x countLeft down to at most 120 samples: always the larger
// count (countLeft on a tie), halved above 20, else one less.
inline void ReduceSampleCounts(int32_t& countTop, int32_t& countLeft)
{
    while (int64_t(countTop) * countLeft > kMaxSamplesPerPixel) {
        int32_t& count = countTop > countLeft ? countTop : countLeft;
        count = count > 20 ? count / 2 : count - 1;
    }
}

// 1.0 / k and 1.0 / (k * kBilinearWeightTotal) for k = 1 .. the sample cap:
// the divisions of a pixel's lattice steps and average, done by the
// compiler. Both it and the processor round a quotient correctly, so the
// bits are those of the division at run time.
struct SampleReciprocals {
    double plain[kMaxSamplesPerPixel + 1];
    double weighted[kMaxSamplesPerPixel + 1];
};
inline constexpr SampleReciprocals kSampleReciprocals = [] {
    SampleReciprocals r{};
    for (int64_t k = 1; k <= kMaxSamplesPerPixel; ++k) {
        r.plain[k] = 1.0 / double(k);
        r.weighted[k] = 1.0 / double(k * kBilinearWeightTotal);
    }
    return r;
}();

// (divisor + sum - 1) / divisor, the average rounded up, through the
// divisor's reciprocal instead of an integer division: the quotient read
// from the product is settled exactly on the integer one. For sums below
// 2^31 and divisors of at most 120 x 65025.
inline uint32_t AverageRoundedUp(uint32_t sum, uint32_t divisor, double reciprocal)
{
    const uint32_t x = divisor + sum - 1;
    uint32_t q = uint32_t(double(x) * reciprocal);
    if (uint64_t(q) * divisor > x)
        --q;
    else if (uint64_t(q + 1) * divisor <= x)
        ++q;
    return q;
}
