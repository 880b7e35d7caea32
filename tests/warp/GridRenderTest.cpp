// Renders through the inverse of the deformation grid: the undeformed grid,
// exposed edges and failed lookups on an image in memory, and deformed grids
// through the test host's tile cache against the plain reference, byte for
// byte.
#include "support/MemoryPixelSource.h"
#include "warp/GridRender.h"
#include "warp/ReferenceWarp.h"
#include "warp/WarpHarness.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <limits>
#include <sstream>

using HuxGeometry::HuxPoint2D;
using SquelmHost::Rect32;
using SquelmHost::RgbImage;
using SquelmHost::TestHost;
using TestSupport::MemoryPixelSource;
using WarpTest::CacheSetup;
using WarpTest::RunWithCache;

namespace {

// The first differing byte, or an empty string.
std::string FirstDifference(const std::vector<uint8_t>& expected, const std::vector<uint8_t>& actual,
                            const HuxRect& rect)
{
    if (expected.size() != actual.size())
        return "sizes differ";
    long differing = 0;
    std::ostringstream first;
    for (size_t i = 0; i < expected.size(); ++i) {
        if (expected[i] == actual[i])
            continue;
        if (differing++ == 0) {
            const size_t pixel = i / 3;
            first << "first at (" << rect.left + long(pixel % size_t(rect.Width())) << ", "
                  << rect.top + long(pixel / size_t(rect.Width())) << ") channel " << i % 3 << ": expected "
                  << int(expected[i]) << ", got " << int(actual[i]);
        }
    }
    if (differing == 0)
        return {};
    return std::to_string(differing) + " bytes differ, " + first.str();
}

// The source as the cache shows it at `scale`, packed over the scaled rectangle.
std::vector<uint8_t> ScaledSource(const RgbImage& image, const HuxRect& scaled, int scale)
{
    std::vector<uint8_t> out;
    for (int y = scaled.top; y < scaled.bottom; ++y) {
        for (int x = scaled.left; x < scaled.right; ++x)
            out.insert(out.end(), image.At(x * scale, y * scale), image.At(x * scale, y * scale) + 3);
    }
    return out;
}

struct GridRun {
    PSPlimGrid grid;
    PSPlimGridMapping mapping{grid};
    HuxPSNonLinearTextureMapper mapper;

    // Grid over a source rectangle, mapping over its scaled rectangle.
    void Prepare(const HuxRect& source, const HuxRect& scaled, int points, PSPlimEdgeMode edgeMode)
    {
        WarpTest::ResetGrid(grid, source.Width(), source.Height(), points);
        grid.SetEdgeMode(edgeMode);
        grid.ApplyEdgeMode();
        mapping.SetRectangle(scaled);
    }
    std::vector<uint8_t> Render(HuxPixelSource& source, const HuxRect& rect, int32_t tileSize)
    {
        return WarpTest::RenderRect(mapper, mapping, source, rect, tileSize);
    }
};

} // namespace

TEST(GridRender, UndeformedNearestReproducesTheSourceAtScalesOneAndThree)
{
    RgbImage image = WarpTest::NoiseImage(260, 200, 51);
    const HuxRect filter{37, 23, 218, 173};
    for (int scale : {1, 3}) {
        const HuxRect rect = HuxRectDivide(filter, scale);
        MemoryPixelSource source(image, rect, {.scale = scale});
        GridRun run;
        run.Prepare(filter, rect, 52, PSPlimEdgeMode::Fixed);
        run.mapper.SetInterpolationMode(static_cast<PSPlimInterpolation>(2));
        const auto rendered = run.Render(source, rect, 128);
        EXPECT_EQ(FirstDifference(ScaledSource(image, rect, scale), rendered, rect), "") << "scale " << scale;
    }
}

// Interior pixels come back exactly; the first column and row have their
// outer corners clamped onto the edge, so they blend a quarter pixel inward:
// 192/255 of the pixel and 63/255 of the next, rounded up. (The round trip
// through grid units may leave a sample a hair off its pixel centre, so
// there the plain arithmetic decides and the blend holds to within 1.)
TEST(GridRender, UndeformedAdaptiveBlendsOnlyTheFirstRowAndColumn)
{
    RgbImage image = WarpTest::NoiseImage(90, 70, 52);
    const HuxRect rect{10, 5, 80, 65};
    MemoryPixelSource source(image, rect);
    GridRun run;
    run.Prepare(rect, rect, 22, PSPlimEdgeMode::Fixed);
    run.mapper.SetInterpolationMode(static_cast<PSPlimInterpolation>(0));
    const auto out = run.Render(source, rect, 128);
    WarpTest::ReferenceSource reference;
    reference.image = &image;
    reference.scaled = rect;
    const auto plain = WarpTest::ReferenceTile(reference, {0, 0.9, 1.0}, rect,
                                               [&](HuxPoint2D p) { return run.mapping.MapPoint(p); });
    EXPECT_EQ(FirstDifference(plain, out, rect), "");
    for (int y = rect.top; y < rect.bottom; ++y) {
        for (int x = rect.left; x < rect.right; ++x) {
            const uint8_t* got = out.data() + ((y - rect.top) * rect.Width() + (x - rect.left)) * 3;
            const int wx[2] = {x == rect.left ? 192 : 255, x == rect.left ? 63 : 0};
            const int wy[2] = {y == rect.top ? 192 : 255, y == rect.top ? 63 : 0};
            const bool interior = x > rect.left && y > rect.top;
            for (int c = 0; c < 3; ++c) {
                const int sum = wx[0] * wy[0] * image.At(x, y)[c] + wx[1] * wy[0] * image.At(x + 1, y)[c] +
                                wx[0] * wy[1] * image.At(x, y + 1)[c] + wx[1] * wy[1] * image.At(x + 1, y + 1)[c];
                const int blend = (sum + 65024) / 65025;
                if (interior)
                    ASSERT_EQ(int(got[c]), blend) << "interior pixel " << x << "," << y;
                else
                    ASSERT_LE(std::abs(int(got[c]) - blend), 1) << "edge pixel " << x << "," << y;
            }
        }
    }
}

// With free edges, moving the top border down exposes a band along the top.
// The band must repeat the top edge pixel of its own column, not the corner.
// Its ten pixels stay above the next row of points (cells of 11.25 pixels),
// so that no fold lays the picture over part of it.
TEST(GridRender, ABandExposedAlongTheTopTakesTheTopEdgeOfItsColumn)
{
    RgbImage image = WarpTest::NoiseImage(120, 90, 53);
    const HuxRect rect{0, 0, 120, 90};
    MemoryPixelSource source(image, rect);
    GridRun run;
    run.Prepare(rect, rect, 11, PSPlimEdgeMode::Free);
    run.mapper.SetInterpolationMode(static_cast<PSPlimInterpolation>(2));
    const double drop = 10.0 * run.grid.Height() / 90.0; // ten pixels
    for (int c = 1; c + 1 < run.grid.PointsAcross(); ++c)
        run.grid.At(c, 1).y += drop;
    const auto out = run.Render(source, rect, 128);
    for (int y = 0; y < 9; ++y) {
        for (int x = 1; x < 119; ++x) {
            const uint8_t* got = out.data() + (y * 120 + x) * 3;
            const uint8_t* top = image.At(x, 0);
            ASSERT_TRUE(got[0] == top[0] && got[1] == top[1] && got[2] == top[2]) << "band pixel " << x << "," << y;
        }
    }
}

// Where no triangle holds a corner the lookup fails and the corner maps to
// the rectangle's top-left corner; with every inner point unusable, every
// pixel shows that corner's source pixel.
TEST(GridRender, FailedLookupsMapToTheTopLeftCorner)
{
    RgbImage image = WarpTest::NoiseImage(60, 50, 54);
    const HuxRect rect{7, 9, 57, 49};
    MemoryPixelSource source(image, rect);
    GridRun run;
    run.Prepare(rect, rect, 8, PSPlimEdgeMode::Free);
    for (int r = 1; r + 1 < run.grid.PointsDown(); ++r) {
        for (int c = 1; c + 1 < run.grid.PointsAcross(); ++c)
            run.grid.At(c, r) = {std::numeric_limits<double>::quiet_NaN(), 0.5};
    }
    const HuxPoint2D corner = run.mapping.MapPoint({30.0, 30.0});
    EXPECT_EQ(corner, (HuxPoint2D{7.0, 9.0}));
    for (int32_t mode = 0; mode <= 2; ++mode) {
        run.mapper.SetInterpolationMode(static_cast<PSPlimInterpolation>(mode));
        const auto out = run.Render(source, rect, 16);
        for (size_t i = 0; i < out.size(); ++i)
            ASSERT_EQ(out[i], image.At(7, 9)[i % 3]) << "mode " << mode << " byte " << i;
    }
}

TEST(GridRender, AnEmptyRectangleMapsToItsCorner)
{
    PSPlimGrid grid;
    PSPlimGridMapping mapping(grid);
    mapping.SetRectangle({5, 6, 5, 20});
    const HuxPoint2D p = mapping.MapPoint({5.5, 7.5});
    EXPECT_EQ(p.x, 5.0);
    EXPECT_TRUE(std::isfinite(p.y));
}

// ---- Optimised against plain ------------------------------------------------------

namespace {

struct Case {
    int scale;
    int channelOrder;
    int edgeMode;
    int interpolation;
};

// Renders the filter rectangle tile by tile through the tile cache and the
// reference; the grid's lookup state is put back in between, so both see the
// same sequence of lookups.
void CompareWithReference(const RgbImage& image, PSPlimGrid& deformed, const Case& c, uint32_t seed)
{
    TestHost host(&WarpTest::HarnessEntry);
    host.SetImage(image);
    host.Options().filterRect = Rect32{13, 11, image.width - 6, image.height - 4};
    CacheSetup setup;
    setup.scale = c.scale;
    setup.channelOrder = c.channelOrder;
    setup.edgeMode = c.edgeMode;
    setup.edgeColour = 0x2080F0;
    setup.tileSize = 32; // many tile seams, and evictions with the small budget
    setup.budget = 32 * 32 * 3 * 5;
    const auto result = RunWithCache(host, setup, [&](HuxPSTileCache& cache) {
        PSPlimGridMapping mapping(deformed);
        mapping.SetRectangle(cache.ScaledRect());
        HuxPSNonLinearTextureMapper mapper;
        mapper.SetInterpolationMode(static_cast<PSPlimInterpolation>(c.interpolation));
        WarpTest::ReferenceSource source;
        source.image = &image;
        source.scale = c.scale;
        source.scaled = cache.ScaledRect();
        source.edgeMode = c.edgeMode;
        source.edgeColour = setup.edgeColour;
        source.swapped = c.channelOrder == 1;
        const WarpTest::ReferenceSettings settings{c.interpolation, mapper.SampleCountBias(), mapper.SampleDensity()};

        const HuxRect whole = cache.ScaledRect();
        for (int32_t y0 = whole.top; y0 < whole.bottom; y0 += 37) {
            for (int32_t x0 = whole.left; x0 < whole.right; x0 += 41) {
                const HuxRect tile{x0, y0, std::min(x0 + 41, whole.right), std::min(y0 + 37, whole.bottom)};
                const int column = deformed.RememberedColumn(), row = deformed.RememberedRow();
                const bool triangle = deformed.RememberedTriangle();
                const auto rendered = WarpTest::RenderRect(mapper, mapping, cache, tile, 64);
                deformed.SetLookupState(column, row, triangle);
                const auto expected = WarpTest::ReferenceTile(source, settings, tile,
                                                              [&](HuxPoint2D p) { return mapping.MapPoint(p); });
                const std::string replay = " (seed " + std::to_string(seed) + ", scale " + std::to_string(c.scale) +
                                           ", order " + std::to_string(c.channelOrder) + ", edge " +
                                           std::to_string(c.edgeMode) + ", mode " + std::to_string(c.interpolation) +
                                           "; replay: test_warp --gtest_filter=GridRender.Deformed*)";
                ASSERT_EQ(FirstDifference(expected, rendered, tile), "") << replay;
            }
        }
    });
    EXPECT_TRUE(result.Succeeded()) << result.hostError;
}

} // namespace

TEST(GridRender, DeformedGridsMatchThePlainArithmeticByteForByte)
{
    const uint32_t seed = 424242;
    const RgbImage image = WarpTest::NoiseImage(170, 130, seed);
    PSPlimGrid grid;
    WarpTest::ResetGrid(grid, 170 - 19, 130 - 15, 12);
    grid.SetEdgeMode(PSPlimEdgeMode::Free);
    // Strong strokes: reduced areas with many samples next to magnified ones.
    WarpTest::Strokes strokes;
    strokes.count = 60;
    strokes.minPower = 0.2;
    strokes.maxPower = 0.8;
    strokes.minMove = 0.01;
    strokes.maxMove = 0.04;
    WarpTest::DeformGrid(grid, seed, strokes);
    ASSERT_FALSE(WarpTest::MeshFolds(grid));
    for (int interpolation : {0, 1, 2}) {
        for (int edgeMode : {0, 1, 2, 3})
            CompareWithReference(image, grid, {1, edgeMode % 2, edgeMode, interpolation}, seed);
        CompareWithReference(image, grid, {2, 1, 0, interpolation}, seed);
    }
}

TEST(GridRender, DeformedGridsWithStrongSettingsMatchThePlainArithmetic)
{
    const uint32_t seed = 777;
    const RgbImage image = WarpTest::NoiseImage(120, 100, seed);
    PSPlimGrid grid;
    WarpTest::ResetGrid(grid, 120 - 19, 100 - 15, 7);
    grid.SetEdgeMode(PSPlimEdgeMode::Fixed);
    // Few points and big moves: strong reduction next to strong magnification.
    grid.At(2, 2) = {grid.Point(3, 3).x * 0.98, grid.Point(3, 3).y * 0.97};
    grid.At(4, 3).x += 0.12;
    for (int interpolation : {0, 1})
        CompareWithReference(image, grid, {1, 0, 0, interpolation}, seed);
}

// A folded mesh is no error: every pixel still gets a defined colour.
TEST(GridRender, AFoldedGridRendersLikeThePlainArithmetic)
{
    const uint32_t seed = 99;
    const RgbImage image = WarpTest::NoiseImage(100, 80, seed);
    PSPlimGrid grid;
    WarpTest::ResetGrid(grid, 100 - 19, 80 - 15, 9);
    grid.At(4, 4).x += 3.0 * grid.Width() / 6.0; // far past its neighbours
    grid.At(5, 2).y -= 0.5;
    ASSERT_TRUE(WarpTest::MeshFolds(grid));
    for (int interpolation : {0, 2})
        CompareWithReference(image, grid, {1, 0, 3, interpolation}, seed);
}
