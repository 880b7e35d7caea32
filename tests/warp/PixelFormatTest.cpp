// The warp in every document format: channels warped alike whatever their
// count and depth, 16 bits agreeing with 8, colour weighted by editable
// transparency so that invisible colour never shows, protected
// transparency kept. Each through a deformed grid, in every interpolation.
#include "support/MemoryPixelSource.h"
#include "warp/GridRender.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <sstream>
#include <string>

using SquelmHost::ColourSpace;
using SquelmHost::HostImage;
using SquelmHost::Transparency;

namespace {

constexpr int kWidth = 61;
constexpr int kHeight = 47;
constexpr PSPlimInterpolation kInterpolations[] = {PSPlimInterpolation::Adaptive, PSPlimInterpolation::Bilinear,
                                                   PSPlimInterpolation::Nearest};

// Strong strokes, so that pixels take one sample, many, and bilinear ones.
HostImage Warp(const HostImage& image, PSPlimInterpolation interpolation)
{
    PSPlimGrid grid;
    WarpTest::ResetGrid(grid, kWidth, kHeight, 10);
    WarpTest::DeformGrid(grid, 16, {.count = 60, .minPower = 0.3, .maxPower = 0.9, .maxMove = 0.08});
    PSPlimGridMapping mapping(grid);
    const HuxRect rect{0, 0, kWidth, kHeight};
    mapping.SetRectangle(rect);
    HuxPSNonLinearTextureMapper mapper;
    mapper.SetInterpolationMode(interpolation);
    TestSupport::MemoryPixelSource source(image, rect, {.blockSize = 16});
    HostImage out = image;
    out.pixels = WarpTest::RenderRect(mapper, mapping, source, rect, 32);
    return out;
}

// Every sample of a plane drawn by `value(x, y)`.
template <class Value>
void Fill(HostImage& image, int plane, Value value)
{
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x)
            image.SetSample(x, y, plane, value(x, y));
    }
}

HostImage Noise(ColourSpace space, int depth, Transparency transparency, uint32_t seed)
{
    HostImage image(kWidth, kHeight, space, depth, transparency);
    std::mt19937 random(seed);
    for (int p = 0; p < image.Planes(); ++p)
        Fill(image, p, [&](int, int) { return random() % (image.White() + 1); });
    return image;
}

// How many samples of a plane differ by more than `tolerance` from what
// `expected(x, y)` says, with the first of them.
template <class Expected>
std::string Compare(const HostImage& actual, int plane, uint32_t tolerance, Expected expected)
{
    int differing = 0;
    std::ostringstream first;
    for (int y = 0; y < actual.height; ++y) {
        for (int x = 0; x < actual.width; ++x) {
            const int64_t want = expected(x, y), got = actual.Sample(x, y, plane);
            if (std::llabs(got - want) <= int64_t(tolerance))
                continue;
            if (differing++ == 0)
                first << " first at (" << x << ", " << y << "): expected " << want << ", got " << got;
        }
    }
    return differing == 0 ? std::string() : std::to_string(differing) + " samples of plane " +
                                                std::to_string(plane) + " differ;" + first.str();
}

} // namespace

// A document whose channels are all equal warps, channel by channel, to
// what a grey one of the same samples warps to: at either depth, with and
// without (opaque) editable transparency.
TEST(PixelFormats, EveryChannelIsWarpedAsAGreyImageIs)
{
    for (const int depth : {8, 16}) {
        const HostImage grey = Noise(ColourSpace::Grey, depth, Transparency::None, 3);
        for (const PSPlimInterpolation interpolation : kInterpolations) {
            const HostImage greyWarped = Warp(grey, interpolation);
            const auto expected = [&](int x, int y) { return greyWarped.Sample(x, y, 0); };
            for (const ColourSpace space : {ColourSpace::RGB, ColourSpace::CMYK}) {
                for (const Transparency transparency : {Transparency::None, Transparency::Editable}) {
                    HostImage image(kWidth, kHeight, space, depth, transparency);
                    for (int p = 0; p < image.ColourPlanes(); ++p)
                        Fill(image, p, [&](int x, int y) { return grey.Sample(x, y, 0); });
                    if (transparency != Transparency::None)
                        Fill(image, image.ColourPlanes(), [&](int, int) { return image.White(); });
                    const HostImage warped = Warp(image, interpolation);
                    for (int p = 0; p < image.Planes(); ++p) {
                        const bool colour = p < image.ColourPlanes();
                        EXPECT_EQ(Compare(warped, p, 0,
                                          [&](int x, int y) { return colour ? expected(x, y) : image.White(); }),
                                  "")
                            << "depth " << depth << ", " << image.Planes() << " planes, interpolation "
                            << int(interpolation);
                    }
                }
            }
        }
    }
}

// A 16-bit image made from an 8-bit one (v * 32768 / 255) warps, narrowed
// back, to within one level of the 8-bit result.
TEST(PixelFormats, SixteenBitsNarrowedAgreeWithEightWithinOneLevel)
{
    const HostImage eight = Noise(ColourSpace::RGB, 8, Transparency::None, 5);
    HostImage sixteen(kWidth, kHeight, ColourSpace::RGB, 16, Transparency::None);
    for (int p = 0; p < 3; ++p)
        Fill(sixteen, p, [&](int x, int y) { return (eight.Sample(x, y, p) * 32768 + 127) / 255; });
    for (const PSPlimInterpolation interpolation : kInterpolations) {
        const HostImage eightWarped = Warp(eight, interpolation);
        const HostImage wide = Warp(sixteen, interpolation);
        HostImage back(kWidth, kHeight, ColourSpace::RGB, 8, Transparency::None);
        for (int p = 0; p < 3; ++p) {
            Fill(back, p, [&](int x, int y) { return (wide.Sample(x, y, p) * 255 + 16384) / 32768; });
            EXPECT_EQ(Compare(back, p, 1, [&](int x, int y) { return eightWarped.Sample(x, y, p); }), "")
                << "interpolation " << int(interpolation);
        }
    }
}

// Visible pixels all of one colour, transparent ones of random colour: the
// warp shows only that colour wherever anything is visible; transparency
// warps as a grey image would.
TEST(PixelFormats, EditableTransparencyWeightsColourSoInvisibleColourNeverShows)
{
    for (const int depth : {8, 16}) {
        for (const ColourSpace space : {ColourSpace::Grey, ColourSpace::RGB}) {
            HostImage image = Noise(space, depth, Transparency::Editable, 7);
            const int alpha = image.ColourPlanes();
            // A third of the pixels fully transparent, the others partly or fully opaque.
            Fill(image, alpha, [&](int x, int y) { return (x * 7 + y * 3) % 3 == 0 ? 0 : image.Sample(x, y, alpha); });
            const uint32_t colour = image.White() / 3;
            for (int p = 0; p < alpha; ++p)
                Fill(image, p, [&](int x, int y) { return image.Sample(x, y, alpha) ? colour : image.Sample(x, y, p); });
            HostImage alone(kWidth, kHeight, ColourSpace::Grey, depth, Transparency::None);
            Fill(alone, 0, [&](int x, int y) { return image.Sample(x, y, alpha); });
            for (const PSPlimInterpolation interpolation : kInterpolations) {
                const HostImage warped = Warp(image, interpolation);
                const HostImage aloneWarped = Warp(alone, interpolation);
                const std::string what = "depth " + std::to_string(depth) + ", " + std::to_string(alpha) +
                                         " colour planes, interpolation " + std::to_string(int(interpolation));
                EXPECT_EQ(Compare(warped, alpha, 0, [&](int x, int y) { return aloneWarped.Sample(x, y, 0); }), "")
                    << what;
                // Where nothing is visible the colour is anything.
                for (int p = 0; p < alpha; ++p)
                    EXPECT_EQ(Compare(warped, p, 0,
                                      [&](int x, int y) {
                                          return warped.Sample(x, y, alpha) ? colour : warped.Sample(x, y, p);
                                      }),
                              "")
                        << what;
            }
        }
    }
}

// Protected transparency: the colour warps as it would alone, and every
// pixel keeps its own transparency.
TEST(PixelFormats, ProtectedTransparencyStaysWhileTheColourWarps)
{
    const HostImage image = Noise(ColourSpace::RGB, 8, Transparency::Protected, 9);
    HostImage colour(kWidth, kHeight, ColourSpace::RGB, 8, Transparency::None);
    for (int p = 0; p < 3; ++p)
        Fill(colour, p, [&](int x, int y) { return image.Sample(x, y, p); });
    for (const PSPlimInterpolation interpolation : kInterpolations) {
        const HostImage warped = Warp(image, interpolation);
        const HostImage colourWarped = Warp(colour, interpolation);
        for (int p = 0; p < 3; ++p)
            EXPECT_EQ(Compare(warped, p, 0, [&](int x, int y) { return colourWarped.Sample(x, y, p); }), "");
        EXPECT_EQ(Compare(warped, 3, 0, [&](int x, int y) { return image.Sample(x, y, 3); }), "");
    }
}
