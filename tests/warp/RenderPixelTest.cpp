// One destination pixel from its four mapped corners: sample counts, the
// choice of sampler, sample positions and the rounded-up average.
#include "support/MemoryPixelSource.h"
#include "warp/HuxPSNonLinearTextureMapper.h"
#include "warp/PixelSampler.h"
#include "warp/NoiseImage.h"
#include "warp/ReferenceWarp.h"

#include <gtest/gtest.h>

#include <array>
#include <limits>

using HuxGeometry::HuxPoint2D;
using SquelmHost::RgbImage;
using TestSupport::MemoryPixelSource;

namespace {

struct Quad {
    HuxPoint2D topLeft, topRight, bottomLeft, bottomRight;
};

// Renders one pixel from `quad` with the given interpolation mode.
std::array<int, 3> Render(HuxPixelSource& source, const Quad& quad, int32_t mode)
{
    SamplerSettings settings;
    settings.interpolationMode = static_cast<PSPlimInterpolation>(mode);
    PixelReader reader(source);
    uint8_t bytes[4] = {0, 0, 0, 0x5A};
    uint8_t* out = bytes;
    PixelSampler(settings).Render(reader, out, quad.topLeft, quad.topRight, quad.bottomLeft, quad.bottomRight);
    EXPECT_EQ(out, bytes + 3) << "the output pointer advances by one pixel";
    EXPECT_EQ(bytes[3], 0x5A) << "nothing written past the pixel";
    return {bytes[0], bytes[1], bytes[2]};
}

std::array<int, 3> Triple(const uint8_t* p) { return {p[0], p[1], p[2]}; }

std::array<int, 3> Pixel(const RgbImage& image, int x, int y)
{
    const uint8_t* p = image.At(x, y);
    return {p[0], p[1], p[2]};
}

} // namespace

TEST(RenderPixel, InitialSettings)
{
    HuxPSNonLinearTextureMapper mapper;
    EXPECT_EQ(mapper.InterpolationMode(), PSPlimInterpolation::Bilinear);
    EXPECT_EQ(mapper.SampleCountBias(), 0.9);
    EXPECT_EQ(mapper.SampleDensity(), 1.0);
}

TEST(RenderPixel, TwoSamplesOfZeroAndOneRoundUpToOne)
{
    RgbImage image(4, 1);
    image.Set(1, 0, 1, 1, 1);
    MemoryPixelSource source(image, {0, 0, image.width, image.height});
    // Top edge 2 long: two samples, at x = 0 and x = 1.
    const Quad quad{{-0.5, -0.5}, {1.5, -0.5}, {-0.5, 0.5}, {1.5, 0.5}};
    EXPECT_EQ(Render(source, quad, 2), (std::array<int, 3>{1, 1, 1}));
}

TEST(RenderPixel, OneBrightSampleAmong120RoundsUpToThree)
{
    RgbImage image(12, 10);
    image.Set(7, 3, 255, 255, 0);
    MemoryPixelSource source(image, {0, 0, image.width, image.height});
    // Edges 12 and 10 long: a 12 x 10 lattice on the pixel centres.
    const Quad quad{{-0.5, -0.5}, {11.5, -0.5}, {-0.5, 9.5}, {11.5, 9.5}};
    EXPECT_EQ(Render(source, quad, 0), (std::array<int, 3>{3, 3, 0}));
    EXPECT_EQ(Render(source, quad, 2), (std::array<int, 3>{3, 3, 0}));
}

TEST(RenderPixel, AStronglyReducedPixelTakesElevenByTenNearestSamples)
{
    RgbImage image = WarpTest::NoiseImage(101, 101, 31);
    MemoryPixelSource source(image, {0, 0, image.width, image.height});
    const Quad quad{{0, 0}, {100, 0}, {0, 100}, {100, 100}};
    int sums[3] = {0, 0, 0};
    for (int i = 0; i < 11; ++i) {
        for (int m = 0; m < 10; ++m) {
            const int x = int(100.0 * (i + 0.5) / 11 + 0.5), y = int(100.0 * (m + 0.5) / 10 + 0.5);
            for (int c = 0; c < 3; ++c)
                sums[c] += image.At(x, y)[c];
        }
    }
    const std::array<int, 3> expected{(sums[0] + 109) / 110, (sums[1] + 109) / 110, (sums[2] + 109) / 110};
    EXPECT_EQ(Render(source, quad, 0), expected);
}

TEST(RenderPixel, FourCornersOnOnePointTakeOneBilinearSampleInAdaptiveMode)
{
    RgbImage image = WarpTest::NoiseImage(8, 8, 32);
    MemoryPixelSource source(image, {0, 0, image.width, image.height});
    const HuxPoint2D p{3.25, 4.75}; // fx = 63, fy = 191
    std::array<int, 3> expected;
    for (int c = 0; c < 3; ++c) {
        const int sum = image.At(3, 4)[c] * 192 * 64 + image.At(4, 4)[c] * 63 * 64 +
                        image.At(3, 5)[c] * 192 * 191 + image.At(4, 5)[c] * 63 * 191;
        expected[size_t(c)] = (sum + 65024) / 65025;
    }
    EXPECT_EQ(Render(source, {p, p, p, p}, 0), expected);
    EXPECT_EQ(Render(source, {p, p, p, p}, 2), Pixel(image, 3, 5)) << "nearest: trunc(x + 0.5), trunc(y + 0.5)";
}

TEST(RenderPixel, OnlyTheTopAndLeftEdgesDecide)
{
    RgbImage image = WarpTest::NoiseImage(16, 16, 33);
    MemoryPixelSource source(image, {0, 0, image.width, image.height});
    // Top and left 1 long, bottom and right about 10: one nearest sample
    // at the centre of the patch, (5.25, 5.25).
    const Quad longBottom{{2.5, 2.5}, {3.5, 2.5}, {2.5, 3.5}, {12.5, 12.5}};
    EXPECT_EQ(Render(source, longBottom, 0), Pixel(image, 5, 5));

    // Top 0.5 and left 10 long: 1 x 10 samples, bilinear in adaptive mode.
    const Quad thin{{2, 2}, {2.5, 2}, {2, 12}, {2.5, 12}};
    WarpTest::ReferenceSource reference;
    reference.image = &image;
    reference.scaled = {0, 0, 16, 16};
    const HuxPoint2D corners[4] = {thin.topLeft, thin.topRight, thin.bottomLeft, thin.bottomRight};
    uint8_t bilinear[3];
    WarpTest::ReferencePixel(reference, {1, 0.9, 1.0}, corners, bilinear);
    const std::array<int, 3> expected = Triple(bilinear);
    EXPECT_EQ(Render(source, thin, 0), expected);
    EXPECT_NE(Render(source, thin, 2), expected) << "the image must tell the samplers apart";

    int sums[3] = {0, 0, 0};
    for (int m = 0; m < 10; ++m) {
        for (int c = 0; c < 3; ++c) {
            const int y = 2 + m, fy = 127; // samples at y = 2.5 + m, x = 2.25
            sums[c] += (image.At(2, y)[c] * 192 + image.At(3, y)[c] * 63) * (255 - fy) +
                       (image.At(2, y + 1)[c] * 192 + image.At(3, y + 1)[c] * 63) * fy;
        }
    }
    EXPECT_EQ(expected, (std::array<int, 3>{(sums[0] + 650249) / 650250, (sums[1] + 650249) / 650250,
                                            (sums[2] + 650249) / 650250}));
}

TEST(RenderPixel, ModeOneIsBilinearAndUnknownModesAreNearest)
{
    RgbImage image = WarpTest::NoiseImage(16, 16, 34);
    MemoryPixelSource source(image, {0, 0, image.width, image.height});
    const Quad quad{{2.1, 3.3}, {5.2, 3.9}, {2.4, 6.1}, {5.9, 7.7}};
    const HuxPoint2D corners[4] = {quad.topLeft, quad.topRight, quad.bottomLeft, quad.bottomRight};
    WarpTest::ReferenceSource reference;
    reference.image = &image;
    reference.scaled = {0, 0, 16, 16};
    uint8_t bilinear[3], nearest[3];
    WarpTest::ReferencePixel(reference, {1, 0.9, 1.0}, corners, bilinear);
    WarpTest::ReferencePixel(reference, {2, 0.9, 1.0}, corners, nearest);
    EXPECT_EQ(Render(source, quad, 1), Triple(bilinear));
    EXPECT_EQ(Render(source, quad, 0), Triple(nearest));
    EXPECT_EQ(Render(source, quad, 7), Triple(nearest));
    EXPECT_NE(Triple(bilinear), Triple(nearest)) << "the image must tell the samplers apart";
}

TEST(RenderPixel, NonFiniteCornersStayDefined)
{
    RgbImage image = WarpTest::NoiseImage(8, 8, 35);
    MemoryPixelSource source(image, {0, 0, image.width, image.height});
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const HuxPoint2D a{nan, 2.0}, b{inf, -inf}, c{1e300, -1e300};
    for (int32_t mode = 0; mode <= 2; ++mode) {
        Render(source, {a, a, a, a}, mode);
        Render(source, {b, c, a, b}, mode);
        EXPECT_EQ(Render(source, {c, c, c, c}, mode), Pixel(image, 7, 0)) << "far right, far up: the corner";
    }
}
