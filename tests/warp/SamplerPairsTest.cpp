// The sampler's arithmetic on both coordinates at once (PointPair, SSE2 on
// x86) against the same arithmetic written out per coordinate, bit for bit,
// on random and adversarial values; and whole pixels against the plain
// reference renderer in every interpolation mode, with quadrilaterals at the
// thresholds between one and several samples and across block seams.
#include "support/MemoryPixelSource.h"
#include "warp/NoiseImage.h"
#include "warp/PixelSampler.h"
#include "warp/ReferenceWarp.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <vector>

using HuxGeometry::HuxPoint2D;

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kLimit = kSamplePositionLimit;

// Which of two NaN operands an instruction passes on depends on the order
// the compiler gives commutative operands, in scalar code too; nothing
// downstream tells one NaN from another.
bool SameBits(double a, double b)
{
    return (std::isnan(a) && std::isnan(b)) || std::memcmp(&a, &b, sizeof a) == 0;
}

// Values where rounding, truncation and clamping change their ways.
std::vector<double> Adversarial()
{
    std::vector<double> values{kNaN, kInf, -kInf, 0.0, -0.0, 0.5, -0.5, 0.49999999999999994, 1e-320, 1e300, -1e300,
                               kLimit, -kLimit, 2147483648.0, -2147483649.0};
    for (const double v : {kLimit, -kLimit, 0.5, -0.5}) {
        values.push_back(std::nextafter(v, kInf));
        values.push_back(std::nextafter(v, -kInf));
    }
    std::mt19937 random(4700);
    std::uniform_real_distribution<double> near(-300.0, 300.0);
    for (int k = 0; k < 40; ++k)
        values.push_back(near(random));
    return values;
}

} // namespace

TEST(SamplerPairs, QuadMeasuresMatchTheArithmeticPerCoordinate)
{
    const std::vector<double> values = Adversarial();
    std::mt19937 random(4710);
    const auto any = [&] { return values[random() % values.size()]; };
    for (int k = 0; k < 20000; ++k) {
        const HuxPoint2D tl{any(), any()}, tr{any(), any()}, bl{any(), any()}, br{any(), any()};
        const QuadMeasures m = MeasureQuad(tl, tr, bl, br);
        const double topDx = tl.x - tr.x, topDy = tl.y - tr.y, leftDx = tl.x - bl.x, leftDy = tl.y - bl.y;
        const double x = 0.5 * (0.5 * tl.x + 0.5 * tr.x) + 0.5 * (0.5 * bl.x + 0.5 * br.x);
        const double y = 0.5 * (0.5 * tl.y + 0.5 * tr.y) + 0.5 * (0.5 * bl.y + 0.5 * br.y);
        ASSERT_TRUE(SameBits(m.squaredTop, topDx * topDx + topDy * topDy)) << "case " << k;
        ASSERT_TRUE(SameBits(m.squaredLeft, leftDx * leftDx + leftDy * leftDy)) << "case " << k;
        ASSERT_TRUE(SameBits(m.centre.X(), x) && SameBits(m.centre.Y(), y)) << "case " << k;
    }
}

TEST(SamplerPairs, PositionsTruncateAsEachCoordinateAlone)
{
    const std::vector<double> values = Adversarial();
    for (const double x : values) {
        for (const double y : values) {
            int32_t tx = 0, ty = 0;
            TruncatePositions(PointPair::Of({x, y}), tx, ty);
            ASSERT_EQ(tx, TruncatePosition(x)) << x << ", " << y;
            ASSERT_EQ(ty, TruncatePosition(y)) << x << ", " << y;
        }
    }
}

// Edges of random lengths around 0.8 and 1.1 (the thresholds of adaptive
// bilinear sampling and of a second sample) and up to 15, anywhere over an
// image handed out in blocks of 5, and beyond its edges.
TEST(SamplerPairs, PixelsMatchTheReferenceInEveryMode)
{
    const SquelmHost::RgbImage image = WarpTest::NoiseImage(23, 17, 4720);
    const HuxRect bounds{0, 0, 23, 17};
    TestSupport::MemoryPixelSource source(image, bounds, {1, 5, false, nullptr});
    WarpTest::ReferenceSource reference;
    reference.image = &image;
    reference.scaled = bounds;
    std::mt19937 random(4730);
    std::uniform_real_distribution<double> position(-3.0, 26.0), angle(0.0, 6.3), jitter(-0.3, 0.3);
    const double lengths[] = {0.3, 0.8, 1.1, 2.0, 15.0};
    for (int32_t mode = 0; mode <= 2; ++mode) {
        const SamplerSettings settings{static_cast<PSPlimInterpolation>(mode), 0.9, 1.0};
        const PixelSampler sampler(settings);
        PixelReader reader(source);
        for (int k = 0; k < 3000; ++k) {
            const double a = angle(random), top = lengths[k % 5] + jitter(random) * (k % 3) * 1e-3;
            const double left = lengths[k / 5 % 5] * (1.0 + jitter(random) * (k % 2));
            const HuxPoint2D tl{position(random), position(random)};
            const HuxPoint2D tr{tl.x + top * std::cos(a), tl.y + top * std::sin(a)};
            const HuxPoint2D bl{tl.x - left * std::sin(a), tl.y + left * std::cos(a)};
            const HuxPoint2D br{tr.x + bl.x - tl.x + jitter(random), tr.y + bl.y - tl.y + jitter(random)};
            const HuxPoint2D corners[4] = {tl, tr, bl, br};
            uint8_t expected[3], actual[3];
            WarpTest::ReferencePixel(reference, {mode, 0.9, 1.0}, corners, expected);
            uint8_t* out = actual;
            sampler.Render(reader, out, tl, tr, bl, br);
            ASSERT_EQ(std::memcmp(expected, actual, 3), 0)
                << "mode " << mode << ", case " << k << ": (" << tl.x << ", " << tl.y << ") lengths " << top << ", "
                << left << "; replay: test_warp --gtest_filter=SamplerPairs.*";
        }
    }
}
