// The corner walk: which corners are mapped, in which order, where the
// pixels land, and the masked and knockout variants.
#include "support/MemoryPixelSource.h"
#include "warp/HuxPSNonLinearTextureMapper.h"
#include "warp/NoiseImage.h"
#include "warp/ReferenceWarp.h"
#include "warp/ScriptedMapping.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <vector>

using HuxGeometry::HuxPoint2D;
using SquelmHost::GreyImage;
using SquelmHost::RgbImage;
using TestSupport::MemoryPixelSource;
using WarpTest::ScriptedMapping;

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
    MemoryPixelSource source(image, {0, 0, 10, 10});
    HuxPSNonLinearTextureMapper mapper;
    ScriptedMapping mapping;
    std::vector<uint8_t> buffer;
    mapper.RenderTile(source, MakeTile(buffer, 6, 3, 7, 4, 3), mapping);
    EXPECT_EQ(mapping.calls, (std::vector<HuxPoint2D>{{5.5, 2.5}, {6.5, 2.5}, {5.5, 3.5}, {6.5, 3.5}}));
    EXPECT_EQ(std::vector<uint8_t>(buffer.begin(), buffer.begin() + 3),
              std::vector<uint8_t>(image.At(6, 3), image.At(6, 3) + 3));
    EXPECT_EQ(buffer[3], kUntouched);
}

TEST(TileWalk, EveryCornerOnceRowByRowLeftToRight)
{
    MemoryPixelSource source(WarpTest::NoiseImage(10, 10, 42), {0, 0, 10, 10});
    HuxPSNonLinearTextureMapper mapper;
    std::vector<uint8_t> buffer;
    ScriptedMapping plain, masked, knockout;
    mapper.RenderTile(source, MakeTile(buffer, 2, 5, 5, 7, 9), plain);
    mapper.RenderTileMasked(source, MakeTile(buffer, 2, 5, 5, 7, 9), masked);
    mapper.RenderTileKnockout(source, MakeTile(buffer, 2, 5, 5, 7, 9), knockout);
    for (const ScriptedMapping* mapping : {&plain, &masked, &knockout})
        EXPECT_EQ(mapping->calls, CornersRowByRow(2, 5, 5, 7));
}

TEST(TileWalk, EmptyTilesWriteNothingButMapTheirLeadingCorners)
{
    MemoryPixelSource source(WarpTest::NoiseImage(10, 10, 43), {0, 0, 10, 10});
    HuxPSNonLinearTextureMapper mapper;
    std::vector<uint8_t> buffer;
    const struct {
        HuxRect tile;
        std::vector<HuxPoint2D> corners;
    } cases[] = {
        {{5, 2, 5, 5}, {{4.5, 1.5}, {4.5, 2.5}, {4.5, 3.5}, {4.5, 4.5}}},
        {{1, 4, 4, 4}, {{0.5, 3.5}, {1.5, 3.5}, {2.5, 3.5}, {3.5, 3.5}}},
        {{4, 4, 1, 1}, {{3.5, 3.5}}}, // reversed: as empty
    };
    for (const auto& c : cases) {
        ScriptedMapping mapping;
        mapper.RenderTile(source, MakeTile(buffer, c.tile.left, c.tile.top, c.tile.right, c.tile.bottom, 30), mapping);
        EXPECT_EQ(mapping.calls, c.corners) << "tile from " << c.tile.left << "," << c.tile.top;
        EXPECT_TRUE(AllUntouched(buffer));
    }
}

TEST(TileWalk, IdentityReproducesTheSourceInEveryModeAndHonoursTheStride)
{
    RgbImage image = WarpTest::NoiseImage(40, 30, 44);
    // Blocks smaller than the tile: the reads cross block seams.
    MemoryPixelSource source(image, {0, 0, 40, 30}, {.blockSize = 8});
    for (int32_t mode = 0; mode <= 2; ++mode) {
        HuxPSNonLinearTextureMapper mapper;
        mapper.SetInterpolationMode(static_cast<PSPlimInterpolation>(mode));
        ScriptedMapping mapping;
        const int32_t stride = 13 * 3 + 5;
        std::vector<uint8_t> buffer;
        mapper.RenderTile(source, MakeTile(buffer, 20, 9, 33, 20, stride), mapping);
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
    const auto shift = [](HuxPoint2D p) { return HuxPoint2D{p.x + 3.0, p.y}; };
    for (int32_t order = 0; order <= 1; ++order) {
        MemoryPixelSource source(image, {0, 0, 30, 20}, {.blockSize = 7, .swapped = order == 1, .mask = &mask});
        HuxPSNonLinearTextureMapper mapper;
        mapper.SetInterpolationMode(static_cast<PSPlimInterpolation>(2));
        WarpTest::ReferenceSource reference;
        reference.image = &image;
        reference.mask = &mask;
        reference.scaled = {0, 0, 30, 20};
        reference.swapped = order == 1;
        const HuxRect rect{1, 2, 25, 17};
        std::vector<uint8_t> buffer;
        const int32_t stride = rect.Width() * 3;
        for (int64_t knockout : {WarpTest::kMaskedCopy, int64_t(0xFFFFFF), int64_t(0x0000FF)}) {
            mapper.SetKnockoutColour(uint32_t(knockout));
            const DestinationTile tile = MakeTile(buffer, rect.left, rect.top, rect.right, rect.bottom, stride);
            ScriptedMapping mapping(shift);
            if (knockout == WarpTest::kMaskedCopy)
                mapper.RenderTileMasked(source, tile, mapping);
            else
                mapper.RenderTileKnockout(source, tile, mapping);
            const auto expected = WarpTest::ReferenceTile(reference, {2, 0.9, 1.0}, rect, shift, knockout);
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
    }
}

// The reader asks its source once per block it enters, not per pixel.
TEST(TileWalk, TheSourceIsAskedOncePerBlockARowEnters)
{
    RgbImage image = WarpTest::NoiseImage(20, 12, 46);
    MemoryPixelSource source(image, {0, 0, 20, 12}, {.blockSize = 8});
    HuxPSNonLinearTextureMapper mapper;
    mapper.SetInterpolationMode(static_cast<PSPlimInterpolation>(2));
    ScriptedMapping mapping;
    std::vector<uint8_t> buffer;
    mapper.RenderTile(source, MakeTile(buffer, 0, 0, 20, 12, 60), mapping);
    EXPECT_EQ(source.fetches, 12 * 3) << "12 rows, each across 3 blocks";
    EXPECT_TRUE(std::equal(image.pixels.begin(), image.pixels.end(), buffer.begin()));
}
