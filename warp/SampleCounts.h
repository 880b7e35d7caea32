// How many samples a destination pixel takes along each measured edge of its
// source quadrilateral.
#pragma once

#include "HuxLib/HUXIMAGE/HuxPixelFormat.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <type_traits>

// At most this many samples per destination pixel.
constexpr int64_t kMaxSamplesPerPixel = 120;
// The four bilinear weights of one sample add up to 255 x 255.
constexpr int64_t kBilinearWeightTotal = 65025;

// A pixel's channel sums, as wide as its format needs: one sample adds at
// most the largest sample times the full weight (times the largest
// transparency as well when colour is weighted by it), a pixel at most
// kMaxSamplesPerPixel of those. The four bilinear terms of one sample are
// added in `Term`; the sums in `Sum`, 32-bit where they fit (8-bit samples
// without weighting: a margin of about 7%, so a larger sample cap needs
// wider sums), else 64-bit. The averages divide through a double
// reciprocal, exact while every numerator stays below 2^53.
template <class Format>
struct ChannelSums {
    static constexpr bool kWeighted = Format::kAlpha == HuxAlpha::Weighted;
    static constexpr uint64_t kLargestSample = Format::kLargestSample;
    static constexpr uint64_t kWeights = uint64_t(kBilinearWeightTotal);
    static constexpr uint64_t kSamples = uint64_t(kMaxSamplesPerPixel);
    // One sample's four terms of a channel, or of weighted colour.
    static constexpr uint64_t kLargestTerm = kLargestSample * (kWeighted ? kLargestSample : 1) * kWeights;
    // The numerator of a channel's rounded-up average (its sum plus the
    // divisor less one), and of weighted colour's (its sum plus the
    // transparency's less one).
    static constexpr uint64_t kLargestAverageNumerator = kLargestSample * kWeights * kSamples + kWeights * kSamples - 1;
    static constexpr uint64_t kLargestColourNumerator =
        kWeighted ? kLargestTerm * kSamples + kLargestSample * kWeights * kSamples : 0;
    static constexpr uint64_t kLargestNumerator = std::max(kLargestAverageNumerator, kLargestColourNumerator);

    using Term = std::conditional_t<kLargestTerm <= std::numeric_limits<uint32_t>::max(), uint32_t, uint64_t>;
    using Sum = std::conditional_t<kLargestNumerator <= uint64_t(std::numeric_limits<int32_t>::max()), int32_t,
                                   uint64_t>;
    static_assert(kLargestTerm <= (std::numeric_limits<uint64_t>::max() - kLargestSample * kWeights * kSamples) /
                                      kSamples,
                  "weighted colour sums beyond 64 bits");
    static_assert(kLargestAverageNumerator < (uint64_t(1) << 53), "averages beyond the double reciprocal's exact range");
    // Whether the weighted colour's quotient may go through a reciprocal
    // too; 16-bit colour weighted by 16-bit transparency divides exactly.
    static constexpr bool kColourByReciprocal = kLargestColourNumerator < (uint64_t(1) << 53);
};
static_assert(std::is_same_v<ChannelSums<HuxRgb8>::Sum, int32_t>, "8-bit colour keeps its 32-bit sums");

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

// numerator / denominator from an estimate at most one off.
template <class Unsigned>
inline Unsigned SettledQuotient(Unsigned numerator, Unsigned denominator, Unsigned estimate)
{
    if (uint64_t(estimate) * denominator > numerator)
        --estimate;
    else if (uint64_t(estimate + 1) * denominator <= numerator)
        ++estimate;
    return estimate;
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
// from the product is settled exactly on the integer one. For numerators
// below 2^53 (ChannelSums) in the unsigned type of the sums.
template <class Unsigned>
inline Unsigned AverageRoundedUp(Unsigned sum, Unsigned divisor, double reciprocal)
{
    const Unsigned x = divisor + sum - 1;
    return SettledQuotient(x, divisor, Unsigned(double(x) * reciprocal));
}
