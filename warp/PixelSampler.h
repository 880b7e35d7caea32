// The per-pixel rule of the texture mapper: from the four mapped corners of a
// destination pixel, decide how many samples to take and how, average them
// over the source quadrilateral and write the 3 result bytes.
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

struct SamplerSettings {
    PSPlimInterpolation interpolationMode = PSPlimInterpolation::Bilinear;
    double sampleCountBias = 0.9;
    double sampleDensity = 1.0;
};

// Integer position of a coordinate, truncated toward zero; wild values are
// clamped first so that the conversion is always defined.
inline int32_t TruncatePosition(double value)
{
    if (!(value >= -PixelReader::kPositionLimit))
        return -int32_t(PixelReader::kPositionLimit);
    if (value > PixelReader::kPositionLimit)
        return int32_t(PixelReader::kPositionLimit);
    return int32_t(value);
}

// TruncatePosition of both coordinates.
inline void TruncatePositions(PointPair position, int32_t& x, int32_t& y)
{
    if (position.Within(PixelReader::kPositionLimit)) {
        position.Truncate(x, y);
        return;
    }
    x = TruncatePosition(position.X());
    y = TruncatePosition(position.Y());
}

class PixelSampler {
public:
    explicit PixelSampler(const SamplerSettings& settings);

    void Render(PixelReader& reader, uint8_t*& out, const HuxGeometry::HuxPoint2D& topLeft,
                const HuxGeometry::HuxPoint2D& topRight, const HuxGeometry::HuxPoint2D& bottomLeft,
                const HuxGeometry::HuxPoint2D& bottomRight) const;

private:
    using Point = HuxGeometry::HuxPoint2D;

    // Most pixels take one sample, and that is decided from the squared edge
    // lengths; only near a threshold are the lengths themselves needed.
    enum class Single { Nearest, Bilinear, Undecided };
    Single ClassifySingle(double squaredTop, double squaredLeft) const;
    void RenderMany(PixelReader& reader, uint8_t*& out, double squaredTop, double squaredLeft,
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
    static void SampleLattice(PixelReader& reader, int32_t countTop, int32_t countLeft,
                              const HuxGeometry::HuxPoint2D& topLeft, const HuxGeometry::HuxPoint2D& topRight,
                              const HuxGeometry::HuxPoint2D& bottomLeft, const HuxGeometry::HuxPoint2D& bottomRight,
                              int32_t sums[3]);

    // reciprocal: 1.0 / divisor.
    static void WriteAverage(uint8_t*& out, const int32_t sums[3], uint32_t divisor, double reciprocal)
    {
        const uint32_t c0 = AverageRoundedUp(uint32_t(sums[0]), divisor, reciprocal);
        const uint32_t c1 = AverageRoundedUp(uint32_t(sums[1]), divisor, reciprocal);
        const uint32_t c2 = AverageRoundedUp(uint32_t(sums[2]), divisor, reciprocal);
        uint8_t* const o = out;
        out = o + 3;
        o[0] = uint8_t(c0);
        o[1] = uint8_t(c1);
        o[2] = uint8_t(c2);
    }

    SamplerSettings settings_;
    // Squared lengths below this certainly give one sample per edge; below
    // magnified certainly under 0.8, at or above unmagnified certainly not.
    double oneSampleSquared_ = -1.0;
    double magnifiedSquared_ = -1.0;
    double unmagnifiedSquared_ = 2.0;
};

inline PixelSampler::PixelSampler(const SamplerSettings& settings) : settings_(settings)
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

inline PixelSampler::Single PixelSampler::ClassifySingle(double squaredTop, double squaredLeft) const
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

template <bool kBilinear>
inline void PixelSampler::SampleLattice(PixelReader& reader, int32_t countTop, int32_t countLeft,
                                        const HuxGeometry::HuxPoint2D& topLeft,
                                        const HuxGeometry::HuxPoint2D& topRight,
                                        const HuxGeometry::HuxPoint2D& bottomLeft,
                                        const HuxGeometry::HuxPoint2D& bottomRight, int32_t sums[3])
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
                reader.AccumulateBilinear(position.X(), position.Y(), sums[0], sums[1], sums[2]);
            } else {
                int32_t x, y;
                TruncatePositions(position + PointPair::Both(0.5), x, y);
                const uint8_t* p = reader.PixelAt(x, y);
                sums[0] += p[0];
                sums[1] += p[1];
                sums[2] += p[2];
            }
        }
    }
}

inline void PixelSampler::Render(PixelReader& reader, uint8_t*& out, const Point& topLeft, const Point& topRight,
                                 const Point& bottomLeft, const Point& bottomRight) const
{
    const QuadMeasures quad = MeasureQuad(topLeft, topRight, bottomLeft, bottomRight);
    const Single single = ClassifySingle(quad.squaredTop, quad.squaredLeft);
    if (single == Single::Undecided) {
        RenderMany(reader, out, quad.squaredTop, quad.squaredLeft, topLeft, topRight, bottomLeft, bottomRight);
        return;
    }
    // One sample at the centre of the patch (u = v = 0.5).
    // Bytes are read before any is written and the pointer is advanced once:
    // byte stores may alias anything, and would force reloads otherwise.
    uint8_t* const o = out;
    out = o + 3;
    if (single == Single::Nearest) {
        int32_t x, y;
        TruncatePositions(quad.centre + PointPair::Both(0.5), x, y);
        const uint8_t* p = reader.PixelAt(x, y);
        const uint8_t c0 = p[0], c1 = p[1], c2 = p[2];
        o[0] = c0;
        o[1] = c1;
        o[2] = c2;
    } else {
        int32_t sums[3] = {0, 0, 0};
        reader.AccumulateBilinear(quad.centre.X(), quad.centre.Y(), sums[0], sums[1], sums[2]);
        constexpr uint32_t kWeights = uint32_t(kBilinearWeightTotal);
        const uint32_t c0 = (kWeights + uint32_t(sums[0]) - 1) / kWeights;
        const uint32_t c1 = (kWeights + uint32_t(sums[1]) - 1) / kWeights;
        const uint32_t c2 = (kWeights + uint32_t(sums[2]) - 1) / kWeights;
        o[0] = uint8_t(c0);
        o[1] = uint8_t(c1);
        o[2] = uint8_t(c2);
    }
}

// Out of line, so that the one-sample path stays small enough to be inlined
// into the tile walk.
[[gnu::noinline]] inline void PixelSampler::RenderMany(PixelReader& reader, uint8_t*& out, double squaredTop, double squaredLeft,
                                     const Point& topLeft, const Point& topRight, const Point& bottomLeft,
                                     const Point& bottomRight) const
{
    const double lengthTop = std::sqrt(squaredTop);
    const double lengthLeft = std::sqrt(squaredLeft);
    int32_t countTop = EdgeSampleCount(lengthTop, settings_.sampleDensity, settings_.sampleCountBias);
    int32_t countLeft = EdgeSampleCount(lengthLeft, settings_.sampleDensity, settings_.sampleCountBias);
    ReduceSampleCounts(countTop, countLeft);
    int32_t sums[3] = {0, 0, 0};
    const uint32_t n = uint32_t(countTop) * uint32_t(countLeft);
    if (UsesBilinear(lengthTop, lengthLeft)) {
        SampleLattice<true>(reader, countTop, countLeft, topLeft, topRight, bottomLeft, bottomRight, sums);
        WriteAverage(out, sums, n * uint32_t(kBilinearWeightTotal), kSampleReciprocals.weighted[n]);
    } else {
        SampleLattice<false>(reader, countTop, countLeft, topLeft, topRight, bottomLeft, bottomRight, sums);
        WriteAverage(out, sums, n, kSampleReciprocals.plain[n]);
    }
}
