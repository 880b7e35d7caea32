// The corner walk: which corners are mapped, in which order, where the
// pixels land, and the masked and knockout variants.
#include "warp/ReferenceWarp.h"
#include "warp/ScriptedMapper.h"
#include "warp/WarpHarness.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <vector>

using HuxGeometry::HuxPoint2D;
using SquelmHost::GreyImage;
using SquelmHost::RgbImage;
using SquelmHost::TestHost;
using WarpTest::CacheSetup;
using WarpTest::RunWithCache;
using WarpTest::ScriptedMapper;

namespace {

constexpr uint8_t kUntouched = 0xC3;

DestinationTile MakeTile(std::vector<uint8_t>& buffer, int32_t left, int32_t top, int32_t right, int32_t bottom,
                         int32_t stride)
{
    buffer.assign(size_t(stride) * size_t(std::max(bottom - top, 1)) + 16, kUntouched);
    DestinationTile tile;
    tile.data = buffer.data();
    tile.left = left;
    tile.top = top;
    tile.right = right;
    tile.bottom = bottom;
    tile.rowStride = stride;
    return tile;
}

bool AllUntouched(const std::vector<uint8_t>& buffer)
{
    for (uint8_t b : buffer) {
        if (b != kUntouched)
            return false;
    }
    return true;
}

std::vector<HuxPoint2D> CornersRowByRow(int32_t left, int32_t top, int32_t right, int32_t bottom)
{
    std::vector<HuxPoint2D> corners;
    for (int32_t y = top; y <= bottom; ++y) {
        for (int32_t x = left; x <= right; ++x)
            corners.push_back({x - 0.5, y - 0.5});
    }
    return corners;
}

} // namespace

TEST(TileWalk, AOnePixelTileMapsFourCorners)
{
    RgbImage image = WarpTest::NoiseImage(10, 10, 41);
    TestHost host(&WarpTest::HarnessEntry);
    host.SetImage(image);
    const auto result = RunWithCache(host, {}, [&](HuxPSTileCache& cache) {
        ScriptedMapper mapper;
        std::vector<uint8_t> buffer;
        mapper.RenderTile(cache, MakeTile(buffer, 6, 3, 7, 4, 3));
        EXPECT_EQ(mapper.calls, (std::vector<HuxPoint2D>{{5.5, 2.5}, {6.5, 2.5}, {5.5, 3.5}, {6.5, 3.5}}));
        EXPECT_EQ(std::vector<uint8_t>(buffer.begin(), buffer.begin() + 3),
                  std::vector<uint8_t>(image.At(6, 3), image.At(6, 3) + 3));
        EXPECT_EQ(buffer[3], kUntouched);
    });
    EXPECT_TRUE(result.Succeeded()) << result.hostError;
}

TEST(TileWalk, EveryCornerOnceRowByRowLeftToRight)
{
    TestHost host(&WarpTest::HarnessEntry);
    host.SetImage(WarpTest::NoiseImage(10, 10, 42));
    const auto result = RunWithCache(host, {}, [&](HuxPSTileCache& cache) {
        ScriptedMapper mapper;
        std::vector<uint8_t> buffer;
        mapper.RenderTile(cache, MakeTile(buffer, 2, 5, 5, 7, 9));
        EXPECT_EQ(mapper.calls, CornersRowByRow(2, 5, 5, 7));
        mapper.calls.clear();
        mapper.RenderTileMasked(cache, MakeTile(buffer, 2, 5, 5, 7, 9));
        EXPECT_EQ(mapper.calls, CornersRowByRow(2, 5, 5, 7));
        mapper.calls.clear();
        mapper.RenderTileKnockout(cache, MakeTile(buffer, 2, 5, 5, 7, 9));
        EXPECT_EQ(mapper.calls, CornersRowByRow(2, 5, 5, 7));
    });
    EXPECT_TRUE(result.Succeeded()) << result.hostError;
}

TEST(TileWalk, EmptyTilesWriteNothingButMapTheirLeadingCorners)
{
    TestHost host(&WarpTest::HarnessEntry);
    host.SetImage(WarpTest::NoiseImage(10, 10, 43));
    const auto result = RunWithCache(host, {}, [&](HuxPSTileCache& cache) {
        ScriptedMapper mapper;
        std::vector<uint8_t> buffer;
        mapper.RenderTile(cache, MakeTile(buffer, 5, 2, 5, 5, 30));
        EXPECT_EQ(mapper.calls, (std::vector<HuxPoint2D>{{4.5, 1.5}, {4.5, 2.5}, {4.5, 3.5}, {4.5, 4.5}}));
        EXPECT_TRUE(AllUntouched(buffer));

        mapper.calls.clear();
        mapper.RenderTile(cache, MakeTile(buffer, 1, 4, 4, 4, 30));
        EXPECT_EQ(mapper.calls, (std::vector<HuxPoint2D>{{0.5, 3.5}, {1.5, 3.5}, {2.5, 3.5}, {3.5, 3.5}}));
        EXPECT_TRUE(AllUntouched(buffer));

        mapper.calls.clear();
        mapper.RenderTile(cache, MakeTile(buffer, 4, 4, 1, 1, 30)); // reversed: as empty
        EXPECT_EQ(mapper.calls, (std::vector<HuxPoint2D>{{3.5, 3.5}}));
        EXPECT_TRUE(AllUntouched(buffer));
    });
    EXPECT_TRUE(result.Succeeded()) << result.hostError;
}

TEST(TileWalk, IdentityReproducesTheSourceInEveryModeAndHonoursTheStride)
{
    RgbImage image = WarpTest::NoiseImage(40, 30, 44);
    TestHost host(&WarpTest::HarnessEntry);
    host.SetImage(image);
    const auto result = RunWithCache(host, {}, [&](HuxPSTileCache& cache) {
        for (int32_t mode = 0; mode <= 2; ++mode) {
            ScriptedMapper mapper;
            mapper.SetInterpolationMode(static_cast<PSPlimInterpolation>(mode));
            const int32_t stride = 13 * 3 + 5;
            std::vector<uint8_t> buffer;
            mapper.RenderTile(cache, MakeTile(buffer, 20, 9, 33, 20, stride));
            for (int32_t r = 0; r < 11; ++r) {
                for (int32_t j = 0; j < 13; ++j) {
                    const uint8_t* out = buffer.data() + r * stride + j * 3;
                    const uint8_t* expected = image.At(20 + j, 9 + r);
                    ASSERT_TRUE(out[0] == expected[0] && out[1] == expected[1] && out[2] == expected[2])
                        << "mode " << mode << " pixel " << j << "," << r;
                }
                for (int32_t k = 13 * 3; k < stride; ++k)
                    ASSERT_EQ(buffer[size_t(r * stride + k)], kUntouched) << "row padding " << r;
            }
        }
    });
    EXPECT_TRUE(result.Succeeded()) << result.hostError;
}

// Selected pixels are warped (here: shifted 3 pixels right in the source),
// unselected ones copied or mixed with the knockout colour.
TEST(TileWalk, MaskedAndKnockoutVariants)
{
    RgbImage image = WarpTest::NoiseImage(30, 20, 45);
    image.Set(4, 6, 10, 20, 30);
    GreyImage mask(30, 20);
    for (int y = 0; y < 20; ++y) {
        for (int x = 0; x < 30; ++x)
            mask.At(x, y) = (x + 2 * y) % 5 == 0 ? 0 : uint8_t(1 + (x * y) % 255);
    }
    mask.At(4, 6) = 0;
    for (int32_t order = 0; order <= 1; ++order) {
        TestHost host(&WarpTest::HarnessEntry);
        host.SetImage(image);
        host.SetMask(mask);
        CacheSetup setup;
        setup.channelOrder = order;
        const auto result = RunWithCache(host, setup, [&](HuxPSTileCache& cache) {
            ScriptedMapper mapper([](HuxPoint2D p) { return HuxPoint2D{p.x + 3.0, p.y}; });
            mapper.SetInterpolationMode(static_cast<PSPlimInterpolation>(2));
            mapper.SetKnockoutColour(0xFFFFFF);
            WarpTest::ReferenceSource source;
            source.image = &image;
            source.mask = &mask;
            source.scaled = {0, 0, 30, 20};
            source.swapped = order == 1;
            const HuxRect rect{1, 2, 25, 17};
            std::vector<uint8_t> buffer;
            const int32_t stride = rect.Width() * 3;
            for (int64_t knockout : {WarpTest::kMaskedCopy, int64_t(0xFFFFFF), int64_t(0x0000FF)}) {
                mapper.SetKnockoutColour(uint32_t(knockout));
                const DestinationTile tile = MakeTile(buffer, rect.left, rect.top, rect.right, rect.bottom, stride);
                if (knockout == WarpTest::kMaskedCopy)
                    mapper.RenderTileMasked(cache, tile);
                else
                    mapper.RenderTileKnockout(cache, tile);
                const auto expected = WarpTest::ReferenceTile(source, {2, 0.9, 1.0}, rect,
                                                              [](HuxPoint2D p) { return HuxPoint2D{p.x + 3.0, p.y}; },
                                                              knockout);
                EXPECT_TRUE(std::equal(expected.begin(), expected.end(), buffer.begin()))
                    << "order " << order << " knockout " << knockout;
                const uint8_t* marked = buffer.data() + (6 - rect.top) * stride + (4 - rect.left) * 3;
                std::array<int, 3> got{marked[0], marked[1], marked[2]};
                if (knockout == 0xFFFFFF) {
                    const std::array<int, 3> mixed = order == 0 ? std::array<int, 3>{132, 137, 142}
                                                                : std::array<int, 3>{142, 137, 132};
                    EXPECT_EQ(got, mixed) << "white and (10, 20, 30)";
                }
                if (knockout == 0x0000FF && order == 1) {
                    EXPECT_EQ(got, (std::array<int, 3>{15, 10, 132})) << "red mixed in blue-green-red order";
                }
                const uint8_t* selected = buffer.data() + (6 - rect.top) * stride + (5 - rect.left) * 3;
                EXPECT_EQ(selected[1], image.At(8, 6)[1]) << "selected: warped";
            }
        });
        EXPECT_TRUE(result.Succeeded()) << result.hostError;
    }
}
