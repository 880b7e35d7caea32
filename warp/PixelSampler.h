// The per-pixel rule of the texture mapper: from the four mapped corners of a
// destination pixel, decide how many samples to take and how, average them
// over the source quadrilateral and write the result pixel, in the format of
// the reader. With weighted transparency the colour is averaged weighted by
// it and divided back; with kept transparency only the colour is written
// (the pixel's own transparency is the walk's to copy).
//
// Inline because it is the innermost step of every render; the arithmetic is
// written out in the exact order the result depends on.
#pragma once

#include "HuxLib/HuxGeometry/HuxPoint2D.h"
#include "grid/PSPlimChoices.h"
#include "warp/PixelReader.h"
#include "warp/QuadMeasures.h"
#include "warp/SampleCounts.h"

#include <cmath>
#include <cstdint>
#include <type_traits>

struct SamplerSettings {
    PSPlimInterpolation interpolationMode = PSPlimInterpolation::Bilinear;
    double sampleCountBias = 0.9;
    double sampleDensity = 1.0;
};

// Integer position of a coordinate, truncated toward zero; wild values are
// clamped first so that the conversion is always defined.
inline int32_t TruncatePosition(double value)
{
    if (!(value >= -kSamplePositionLimit))
        return -int32_t(kSamplePositionLimit);
    if (value > kSamplePositionLimit)
        return int32_t(kSamplePositionLimit);
    return int32_t(value);
}

// TruncatePosition of both coordinates.
inline void TruncatePositions(PointPair position, int32_t& x, int32_t& y)
{
    if (position.Within(kSamplePositionLimit)) {
        position.Truncate(x, y);
        return;
    }
    x = TruncatePosition(position.X());
    y = TruncatePosition(position.Y());
}

template <class Format = HuxRgb8>
class PixelSampler {
public:
    using Sample = typename Format::Sample;
    using Reader = PixelReader<Format>;
    using Sum = typename Reader::Sum;
    // Channels averaged: all but kept transparency.
    static constexpr int kAveraged = Format::kAlpha == HuxAlpha::Kept ? Format::kColours : Format::kChannels;

    explicit PixelSampler(const SamplerSettings& settings);

    // Writes the pixel at `out` and advances it by one pixel.
    void Render(Reader& reader, Sample*& out, const HuxGeometry::HuxPoint2D& topLeft,
                const HuxGeometry::HuxPoint2D& topRight, const HuxGeometry::HuxPoint2D& bottomLeft,
                const HuxGeometry::HuxPoint2D& bottomRight) const;

private:
    using Point = HuxGeometry::HuxPoint2D;

    // Most pixels take one sample, and that is decided from the squared edge
    // lengths; only near a threshold are the lengths themselves needed.
    enum class Single { Nearest, Bilinear, Undecided };
    Single ClassifySingle(double squaredTop, double squaredLeft) const;
    void RenderMany(Reader& reader, Sample* out, double squaredTop, double squaredLeft,
                    const Point& topLeft, const Point& topRight, const Point& bottomLeft,
                    const Point& bottomRight) const;

    bool UsesBilinear(double lengthTop, double lengthLeft) const
    {
        const PSPlimInterpolation mode = settings_.interpolationMode;
        return mode == PSPlimInterpolation::Bilinear ||
               (mode == PSPlimInterpolation::Adaptive && (lengthTop < 0.8 || lengthLeft < 0.8));
    }

    // Counts as ReduceSampleCounts leaves them.
    template <bool kBilinear>
    static void SampleLattice(Reader& reader, int32_t countTop, int32_t countLeft,
                              const HuxGeometry::HuxPoint2D& topLeft, const HuxGeometry::HuxPoint2D& topRight,
                              const HuxGeometry::HuxPoint2D& bottomLeft, const HuxGeometry::HuxPoint2D& bottomRight,
                              Sum* sums);

    // Every channel's average rounded up, `divide` giving it from a sum.
    // Weighted colour instead is its sum over the transparency's, rounded
    // up as well (0 where nothing is visible): the premultiplied average
    // divided back, which cannot exceed the largest sample and is, where
    // every sample is equally opaque, the colour's plain average.
    template <class Divide>
    static void WriteSums(Sample* o, const Sum* sums, Divide divide)
    {
        using Unsigned = std::make_unsigned_t<Sum>;
        Sample result[kAveraged];
        if constexpr (Format::kAlpha == HuxAlpha::Weighted) {
            const Unsigned alpha = Unsigned(sums[Format::kColours]);
            [[maybe_unused]] const double reciprocal = alpha != 0 ? 1.0 / double(alpha) : 0.0;
            for (int c = 0; c < Format::kColours; ++c) {
                if (alpha == 0)
                    result[c] = 0;
                else if constexpr (ChannelSums<Format>::kColourByReciprocal)
                    result[c] = Sample(AverageRoundedUp(Unsigned(sums[c]), alpha, reciprocal));
                else
                    result[c] = Sample((Unsigned(sums[c]) + alpha - 1) / alpha);
            }
            result[Format::kColours] = Sample(divide(alpha));
        } else {
            for (int c = 0; c < kAveraged; ++c)
                result[c] = Sample(divide(Unsigned(sums[c])));
        }
        for (int c = 0; c < kAveraged; ++c)
            o[c] = result[c];
    }

    // reciprocal: 1.0 / divisor.
    static void WriteAverage(Sample* out, const Sum* sums, uint32_t divisor, double reciprocal)
    {
        using Unsigned = std::make_unsigned_t<Sum>;
        WriteSums(out, sums, [&](Unsigned sum) { return AverageRoundedUp(sum, Unsigned(divisor), reciprocal); });
    }

    SamplerSettings settings_;
    // Squared lengths below this certainly give one sample per edge; below
    // magnified certainly under 0.8, at or above unmagnified certainly not.
    double oneSampleSquared_ = -1.0;
    double magnifiedSquared_ = -1.0;
    double unmagnifiedSquared_ = 2.0;
};

template <class Format>
inline PixelSampler<Format>::PixelSampler(const SamplerSettings& settings) : settings_(settings)
{
    // Margins far above the rounding of sqrt and of length * density + bias,
    // far below any length that matters; a bias next to 2 leaves no room.
    constexpr double kMargin = 1e-9;
    const double density = settings.sampleDensity, bias = settings.sampleCountBias;
    if (density > 0.0 && bias > -1e6 && bias < 2.0 - 1e-3 && density < 1e6) {
        const double single = (2.0 - bias) / density;
        oneSampleSquared_ = single * single * (1.0 - kMargin);
    }
    magnifiedSquared_ = 0.64 * (1.0 - kMargin);
    unmagnifiedSquared_ = 0.64 * (1.0 + kMargin);
}

template <class Format>
inline typename PixelSampler<Format>::Single PixelSampler<Format>::ClassifySingle(double squaredTop, double squaredLeft) const
{
    if (!(squaredTop < oneSampleSquared_ && squaredLeft < oneSampleSquared_))
        return Single::Undecided;
    const PSPlimInterpolation mode = settings_.interpolationMode;
    if (mode == PSPlimInterpolation::Bilinear)
        return Single::Bilinear;
    if (mode != PSPlimInterpolation::Adaptive)
        return Single::Nearest;
    if (squaredTop >= unmagnifiedSquared_ && squaredLeft >= unmagnifiedSquared_)
        return Single::Nearest;
    if (squaredTop < magnifiedSquared_ || squaredLeft < magnifiedSquared_)
        return Single::Bilinear;
    return Single::Undecided;
}

template <class Format>
template <bool kBilinear>
inline void PixelSampler<Format>::SampleLattice(Reader& reader, int32_t countTop, int32_t countLeft,
                                        const HuxGeometry::HuxPoint2D& topLeft,
                                        const HuxGeometry::HuxPoint2D& topRight,
                                        const HuxGeometry::HuxPoint2D& bottomLeft,
                                        const HuxGeometry::HuxPoint2D& bottomRight, Sum* sums)
{
    // Sub-cell centres, stepped by repeated addition from half a step.
    const double stepU = kSampleReciprocals.plain[countTop];
    const double stepV = kSampleReciprocals.plain[countLeft];
    const PointPair tl = PointPair::Of(topLeft), tr = PointPair::Of(topRight);
    const PointPair bl = PointPair::Of(bottomLeft), br = PointPair::Of(bottomRight);
    for (double u = stepU * 0.5; u < 1.0; u += stepU) {
        const PointPair before = PointPair::Both(1.0 - u), after = PointPair::Both(u);
        const PointPair top = before * tl + after * tr;
        const PointPair bottom = before * bl + after * br;
        for (double v = stepV * 0.5; v < 1.0; v += stepV) {
            const PointPair position = PointPair::Both(1.0 - v) * top + PointPair::Both(v) * bottom;
            if constexpr (kBilinear) {
                reader.AccumulateBilinear(position.X(), position.Y(), sums);
            } else {
                int32_t x, y;
                TruncatePositions(position + PointPair::Both(0.5), x, y);
                Reader::AddWeighted(reader.PixelAt(x, y), 1, sums);
            }
        }
    }
}

template <class Format>
inline void PixelSampler<Format>::Render(Reader& reader, Sample*& out, const Point& topLeft, const Point& topRight,
                                         const Point& bottomLeft, const Point& bottomRight) const
{
    const QuadMeasures quad = MeasureQuad(topLeft, topRight, bottomLeft, bottomRight);
    const Single single = ClassifySingle(quad.squaredTop, quad.squaredLeft);
    Sample* const o = out;
    out = o + Format::kChannels;
    if (single == Single::Undecided) {
        RenderMany(reader, o, quad.squaredTop, quad.squaredLeft, topLeft, topRight, bottomLeft, bottomRight);
        return;
    }
    // One sample at the centre of the patch (u = v = 0.5). Samples are read
    // before any is written: stores through the output may alias anything,
    // and would force reloads otherwise.
    if (single == Single::Nearest) {
        int32_t x, y;
        TruncatePositions(quad.centre + PointPair::Both(0.5), x, y);
        const Sample* p = reader.PixelAt(x, y);
        Sample c[kAveraged];
        for (int k = 0; k < kAveraged; ++k)
            c[k] = p[k];
        for (int k = 0; k < kAveraged; ++k)
            o[k] = c[k];
    } else {
        using Unsigned = std::make_unsigned_t<Sum>;
        Sum sums[Format::kChannels] = {};
        reader.AccumulateBilinear(quad.centre.X(), quad.centre.Y(), sums);
        constexpr Unsigned kWeights = Unsigned(kBilinearWeightTotal);
        WriteSums(o, sums, [](Unsigned sum) { return (kWeights + sum - 1) / kWeights; });
    }
}

// Out of line, so that the one-sample path stays small enough to be inlined
// into the tile walk.
template <class Format>
[[gnu::noinline]] inline void PixelSampler<Format>::RenderMany(Reader& reader, Sample* out, double squaredTop,
                                                               double squaredLeft, const Point& topLeft,
                                                               const Point& topRight, const Point& bottomLeft,
                                                               const Point& bottomRight) const
{
    const double lengthTop = std::sqrt(squaredTop);
    const double lengthLeft = std::sqrt(squaredLeft);
    int32_t countTop = EdgeSampleCount(lengthTop, settings_.sampleDensity, settings_.sampleCountBias);
    int32_t countLeft = EdgeSampleCount(lengthLeft, settings_.sampleDensity, settings_.sampleCountBias);
    ReduceSampleCounts(countTop, countLeft);
    Sum sums[Format::kChannels] = {};
    const uint32_t n = uint32_t(countTop) * uint32_t(countLeft);
    if (UsesBilinear(lengthTop, lengthLeft)) {
        SampleLattice<true>(reader, countTop, countLeft, topLeft, topRight, bottomLeft, bottomRight, sums);
        WriteAverage(out, sums, n * uint32_t(kBilinearWeightTotal), kSampleReciprocals.weighted[n]);
    } else {
        SampleLattice<false>(reader, countTop, countLeft, topLeft, topRight, bottomLeft, bottomRight, sums);
        WriteAverage(out, sums, n, kSampleReciprocals.plain[n]);
    }
}
