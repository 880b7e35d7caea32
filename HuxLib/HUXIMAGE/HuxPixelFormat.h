// How a pixel's samples lie in memory: interleaved, one or two bytes each,
// the colour channels first and then, for a layer, its transparency. The
// same description exists at run time (a source says what it holds) and at
// compile time (a render is instantiated for one format).
#pragma once

#include <cstdint>
#include <limits>

// What the channel after the colour channels is, if there is one.
enum class HuxAlpha : int32_t {
    None,     // colour channels only
    Weighted, // transparency, averaged with the colour; colour is averaged weighted by it
    Kept,     // transparency that stays: every pixel keeps its own
};

struct HuxPixelLayout {
    int32_t colourChannels = 3;
    HuxAlpha alpha = HuxAlpha::None;
    int32_t sampleBytes = 1;

    constexpr int32_t Channels() const { return colourChannels + (alpha == HuxAlpha::None ? 0 : 1); }
    constexpr int32_t PixelBytes() const { return Channels() * sampleBytes; }
    friend constexpr bool operator==(const HuxPixelLayout&, const HuxPixelLayout&) = default;
};

// Room for the largest pixel a document has: four colours and transparency,
// 16 bits each.
inline constexpr int32_t kHuxLargestPixelBytes = 10;

template <class SampleType, int32_t kColourChannels, HuxAlpha kAlphaKind>
struct HuxPixelFormat {
    static_assert(sizeof(SampleType) <= 2 && !std::numeric_limits<SampleType>::is_signed);
    using Sample = SampleType;
    static constexpr int32_t kColours = kColourChannels;
    static constexpr HuxAlpha kAlpha = kAlphaKind;
    static constexpr int32_t kChannels = kColours + (kAlpha == HuxAlpha::None ? 0 : 1);
    // The largest value a sample can hold: sums are sized for any input,
    // not only for the 0..32768 a host's 16-bit samples should stay in.
    static constexpr uint64_t kLargestSample = std::numeric_limits<Sample>::max();
    static constexpr HuxPixelLayout kLayout{kColours, kAlpha, int32_t(sizeof(Sample))};
};

// The previews' and the original documents' format.
using HuxRgb8 = HuxPixelFormat<uint8_t, 3, HuxAlpha::None>;
