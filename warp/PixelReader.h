// The sampler's reads of a pixel source: the block last fetched is read
// directly, and the source is asked again only for a position outside it.
// Each render keeps its own reader; the source hands out the pixels, the
// reader does the per-pixel addressing and the bilinear weights, for one
// pixel format (the source's layout).
//
// Inline because every sample of every render passes through here.
#pragma once

#include "HuxLib/HUXIMAGE/HuxPixelSource.h"
#include "warp/SampleCounts.h"

#include <algorithm>
#include <cassert>
#include <cstdint>

// Values beyond this magnitude are clamped before any conversion to an
// integer position, so that wild or non-finite sample positions stay
// defined; they lie far outside any image either way.
constexpr double kSamplePositionLimit = 1073741824.0;

template <class Format = HuxRgb8>
class PixelReader {
public:
    using Sample = typename Format::Sample;
    using Sum = typename ChannelSums<Format>::Sum;
    static constexpr double kPositionLimit = kSamplePositionLimit;

    explicit PixelReader(HuxPixelSource& source);

    // Address of the pixel at integer position (x, y).
    const Sample* PixelAt(int32_t x, int32_t y)
    {
        uint32_t dx, dy;
        if (Holds(x, y, dx, dy) || Fetch(x, y, dx, dy))
            return InBlock(dx, dy);
        return reinterpret_cast<const Sample*>(source_->OutsidePixel(x, y));
    }

    // Selection byte at a position: 255 everywhere without a mask, 0
    // outside the image.
    uint8_t MaskAt(int32_t x, int32_t y)
    {
        if (!hasMask_)
            return 255;
        uint32_t dx, dy;
        if (Holds(x, y, dx, dy) || Fetch(x, y, dx, dy))
            return block_.mask[size_t(dy) * size_t(block_.maskRowBytes) + dx];
        return 0;
    }

    // Adds the bilinear weights (8-bit fractions, 65025 in all) of the four
    // pixels around (x, y) times their channels to the sums, one per
    // channel (see AddWeighted for transparency).
    // Inlined whole into the one-sample path; reads across a block's edge
    // go out of line.
    [[gnu::always_inline]] void AccumulateBilinear(double x, double y, Sum* sums);

    // Adds a pixel's channels times `weight` to the sums. With weighted
    // transparency the colour is premultiplied by it: the invisible colour
    // of a transparent pixel adds nothing.
    static void AddWeighted(const Sample* p, uint32_t weight, Sum* sums)
    {
        using Term = typename ChannelSums<Format>::Term;
        if constexpr (Format::kAlpha == HuxAlpha::Weighted) {
            const Term alpha = Term(p[Format::kColours]) * weight;
            for (int c = 0; c < Format::kColours; ++c)
                sums[c] += Sum(p[c] * alpha);
            sums[Format::kColours] += Sum(alpha);
        } else {
            for (int c = 0; c < Format::kChannels; ++c)
                sums[c] += Sum(Term(p[c]) * weight);
        }
    }

private:
    [[gnu::noinline]] void AccumulateApart(int32_t ix, int32_t iy, const uint32_t (&weights)[4], Sum* sums);
    const Sample* InBlock(uint32_t dx, uint32_t dy) const
    {
        return reinterpret_cast<const Sample*>(block_.pixels + size_t(dy) * size_t(block_.rowBytes)) +
               size_t(dx) * Format::kChannels;
    }
    bool Holds(int32_t x, int32_t y, uint32_t& dx, uint32_t& dy) const
    {
        // Unsigned offsets: a position left of or above the block wraps to a
        // large value, so one comparison per axis tells inside from outside.
        dx = uint32_t(x) - uint32_t(block_.left);
        dy = uint32_t(y) - uint32_t(block_.top);
        return dx < block_.width && dy < block_.height;
    }
    // Fetches the block of a position inside the image; false outside it.
    // Outside, the block is dropped: the edge read may fetch over it.
    bool Fetch(int32_t x, int32_t y, uint32_t& dx, uint32_t& dy)
    {
        if (uint32_t(x) - uint32_t(bounds_.left) < boundsWidth_ &&
            uint32_t(y) - uint32_t(bounds_.top) < boundsHeight_) {
            block_ = source_->BlockAt(x, y);
            return Holds(x, y, dx, dy);
        }
        block_ = HuxPixelBlock{};
        return false;
    }

    HuxPixelSource* source_;
    bool hasMask_;
    HuxRect bounds_;
    uint32_t boundsWidth_;
    uint32_t boundsHeight_;
    HuxPixelBlock block_; // empty until the first read
};

template <class Format>
inline PixelReader<Format>::PixelReader(HuxPixelSource& source)
    : source_(&source), hasMask_(source.HasMask()), bounds_(source.Bounds()),
      boundsWidth_(uint32_t(std::max<int64_t>(int64_t(bounds_.right) - bounds_.left, 0))),
      boundsHeight_(uint32_t(std::max<int64_t>(int64_t(bounds_.bottom) - bounds_.top, 0)))
{
    assert(source.Layout() == Format::kLayout);
}

template <class Format>
inline void PixelReader<Format>::AccumulateBilinear(double x, double y, Sum* sums)
{
    // NaN fails both comparisons of the first test and is treated as far left.
    if (!(x >= -kPositionLimit))
        x = -kPositionLimit;
    else if (x > kPositionLimit)
        x = kPositionLimit;
    if (!(y >= -kPositionLimit))
        y = -kPositionLimit;
    else if (y > kPositionLimit)
        y = kPositionLimit;

    // Floor by truncation and correction; exact for the clamped range.
    int32_t ix = int32_t(x);
    if (double(ix) > x)
        --ix;
    int32_t iy = int32_t(y);
    if (double(iy) > y)
        --iy;
    const uint32_t fx = uint32_t(255.0 * (x - double(ix)));
    const uint32_t fy = uint32_t(255.0 * (y - double(iy)));
    const uint32_t w00 = (255 - fx) * (255 - fy);
    const uint32_t w10 = fx * (255 - fy);
    const uint32_t w01 = (255 - fx) * fy;
    const uint32_t w11 = fx * fy;

    // All four in the block: read together. The source is asked first for
    // the top-left pixel's block, as a read one at a time would ask, so
    // that its fetches (and what they evict) are the same either way.
    uint32_t dx, dy;
    if ((Holds(ix, iy, dx, dy) || Fetch(ix, iy, dx, dy)) && dx + 1 < block_.width && dy + 1 < block_.height) {
        const Sample* p = InBlock(dx, dy);
        const Sample* below = reinterpret_cast<const Sample*>(reinterpret_cast<const uint8_t*>(p) + block_.rowBytes);
        constexpr int n = Format::kChannels;
        if constexpr (Format::kAlpha == HuxAlpha::Weighted) {
            AddWeighted(p, w00, sums);
            AddWeighted(p + n, w10, sums);
            AddWeighted(below, w01, sums);
            AddWeighted(below + n, w11, sums);
        } else {
            // The four terms of a channel fit its Term (ChannelSums).
            using Term = typename ChannelSums<Format>::Term;
            for (int c = 0; c < n; ++c)
                sums[c] += Sum(Term(p[c]) * w00 + Term(p[n + c]) * w10 + Term(below[c]) * w01 +
                               Term(below[n + c]) * w11);
        }
        return;
    }
    AccumulateApart(ix, iy, {w00, w10, w01, w11}, sums);
}

// Across a block's or the image's edge, one at a time: each read may fetch
// (and so invalidate) a block.
template <class Format>
void PixelReader<Format>::AccumulateApart(int32_t ix, int32_t iy, const uint32_t (&weights)[4], Sum* sums)
{
    const int32_t offsets[4][2] = {{0, 0}, {1, 0}, {0, 1}, {1, 1}};
    for (int k = 0; k < 4; ++k)
        AddWeighted(PixelAt(ix + offsets[k][0], iy + offsets[k][1]), weights[k], sums);
}
