// The source tile cache against the test host: tile layout and requests,
// masks, capacity, load-order eviction and failed loads.
#include "HuxLib/HUXUTIL/HuxException.h"
#include "host/HuxPSTileCache.h"
#include "warp/CacheTestSupport.h"
#include "warp/WarpHarness.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

using SquelmHost::Rect32;
using SquelmHost::RgbImage;
using WarpTest::ExpectPixel;
using WarpTest::MaskOf;
using WarpTest::PixelOf;
using WarpTest::kBudget;
using WarpTest::NoiseImage;
using WarpTest::PositionImage;
using WarpTest::RequestLog;
using WarpTest::RunInStart;
using TileCacheLayout = WarpTest::HarnessTest;
using TileCacheEviction = WarpTest::HarnessTest;

TEST_F(TileCacheLayout, ThreeByTwoTilesAndTheLastTileRequestIsCut)
{
    host.SetImage(NoiseImage(300, 200, 1));
    InStart([&](HuxPSFilter& filter) {
        HuxPSTileCache cache(&filter, 1);
        cache.Configure(128, 128, 0, false, kBudget);
        EXPECT_EQ(cache.TilesAcross(), 3);
        EXPECT_EQ(cache.TilesDown(), 2);
        EXPECT_EQ(cache.Capacity(), 21);
        const RequestLog log(host);
        cache.LoadTile(5);
        const auto requests = log.Since();
        ASSERT_EQ(requests.size(), 1u);
        EXPECT_EQ(requests[0].inRect, (Rect32{256, 128, 300, 200}));
        EXPECT_TRUE(requests[0].outRect.Empty());
        EXPECT_TRUE(requests[0].maskRect.Empty());
        EXPECT_EQ(requests[0].inputRate, 0x10000);
        EXPECT_EQ(requests[0].inLoPlane, 0);
        EXPECT_EQ(requests[0].inHiPlane, 2);
        // Every pixel of the partial tile, across the host's padded rows.
        for (int y = 128; y < 200; ++y) {
            for (int x = 256; x < 300; ++x)
                ExpectPixel(PixelOf(cache, x, y), host.Image().At(x, y), "tile 5");
        }
        EXPECT_EQ(log.Since().size(), 1u) << "reads of a resident tile load nothing";
    });
}

TEST_F(TileCacheLayout, ScaleThreeIsOneTileSampledByTheHost)
{
    host.SetImage(NoiseImage(300, 200, 2));
    InStart([&](HuxPSFilter& filter) {
        HuxPSTileCache cache(&filter, 3);
        cache.Configure(128, 128, 0, false, kBudget);
        EXPECT_EQ(cache.ScaledRect(), (HuxRect{0, 0, 100, 66}));
        EXPECT_EQ(cache.TilesAcross() * cache.TilesDown(), 1);
        const RequestLog log(host);
        cache.LoadTile(0);
        const auto requests = log.Since();
        ASSERT_EQ(requests.size(), 1u);
        EXPECT_EQ(requests[0].inRect, (Rect32{0, 0, 100, 66}));
        EXPECT_EQ(requests[0].inputRate, 196608);
        EXPECT_EQ(requests[0].maskRate, 196608);
        for (int y = 0; y < 66; y += 5) {
            for (int x = 0; x < 100; x += 3)
                ExpectPixel(PixelOf(cache, x, y), host.Image().At(3 * x, 3 * y), "scaled pixel");
        }
    });
}

TEST_F(TileCacheLayout, RequestsStartAtTheFilterRectangleNotTheImageOrigin)
{
    host.SetImage(NoiseImage(300, 200, 3));
    host.Options().filterRect = Rect32{50, 40, 250, 190};
    InStart([&](HuxPSFilter& filter) {
        HuxPSTileCache cache(&filter, 1);
        cache.Configure(128, 128, 0, false, kBudget);
        EXPECT_EQ(cache.SourceRect(), (HuxRect{50, 40, 250, 190}));
        const RequestLog log(host);
        ExpectPixel(PixelOf(cache, 50, 40), host.Image().At(50, 40), "first pixel");
        ExpectPixel(PixelOf(cache, 49, 39), host.Image().At(50, 40), "repeated corner");
        ExpectPixel(PixelOf(cache, 249, 189), host.Image().At(249, 189), "last pixel");
        const auto requests = log.Since();
        ASSERT_EQ(requests.size(), 2u);
        EXPECT_EQ(requests[0].inRect, (Rect32{50, 40, 178, 168}));
        EXPECT_EQ(requests[1].inRect, (Rect32{178, 168, 250, 190}));
    });
}

TEST_F(TileCacheLayout, SwappedChannelOrderExchangesRedAndBlue)
{
    host.SetImage(NoiseImage(40, 30, 4));
    InStart([&](HuxPSFilter& filter) {
        HuxPSTileCache cache(&filter, 1);
        cache.Configure(16, 8, 1, false, kBudget);
        for (int y = 0; y < 30; ++y) {
            for (int x = 0; x < 40; ++x) {
                const uint8_t* source = host.Image().At(x, y);
                const uint8_t swapped[3] = {source[2], source[1], source[0]};
                ExpectPixel(PixelOf(cache, x, y), swapped, "swapped");
            }
        }
    });
}

TEST_F(TileCacheLayout, MaskTilesComeWithPixelTiles)
{
    host.SetImage(NoiseImage(200, 150, 5));
    SquelmHost::GreyImage mask(200, 150);
    for (int y = 0; y < 150; ++y) {
        for (int x = 0; x < 200; ++x)
            mask.At(x, y) = uint8_t((x * 7 + y * 3) % 251);
    }
    host.SetMask(mask);
    InStart([&](HuxPSFilter& filter) {
        HuxPSTileCache cache(&filter, 1);
        cache.Configure(128, 128, 0, filter.HostRecord()->haveMask != 0, kBudget);
        EXPECT_TRUE(cache.HasMask());
        EXPECT_EQ(cache.Capacity(), 16);
        const RequestLog log(host);
        EXPECT_EQ(MaskOf(cache, 130, 140), mask.At(130, 140));
        const auto requests = log.Since();
        ASSERT_EQ(requests.size(), 1u);
        EXPECT_EQ(requests[0].maskRect, requests[0].inRect);
        EXPECT_EQ(requests[0].maskRate, 0x10000);
        for (int y = 0; y < 150; y += 7) {
            for (int x = 0; x < 200; x += 3)
                EXPECT_EQ(MaskOf(cache, x, y), mask.At(x, y)) << x << "," << y;
        }
        EXPECT_EQ(MaskOf(cache, -1, 0), 0) << "outside the rectangle nothing is selected";
    });
}

TEST_F(TileCacheLayout, WithoutAHostMaskEverythingIsSelected)
{
    host.SetImage(NoiseImage(20, 20, 6));
    InStart([&](HuxPSFilter& filter) {
        HuxPSTileCache cache(&filter, 1);
        cache.Configure(128, 128, 0, false, kBudget);
        const RequestLog log(host);
        EXPECT_EQ(MaskOf(cache, 3, 4), 255);
        EXPECT_TRUE(log.Since().empty());
    });
}

TEST_F(TileCacheLayout, RefusesSizesItCannotRepresent)
{
    host.SetImage(NoiseImage(20, 20, 7));
    InStart([&](HuxPSFilter& filter) {
        HuxPSTileCache cache(&filter, 1);
        EXPECT_THROW(cache.Configure(0, 128, 0, false, kBudget), std::invalid_argument);
        EXPECT_THROW(cache.Configure(65536, 65536, 0, false, kBudget), std::length_error);
        HuxPSTileCache unscaled(&filter, 0);
        EXPECT_THROW(unscaled.Configure(128, 128, 0, false, kBudget), std::invalid_argument);
    });
}

TEST_F(TileCacheLayout, AnEmptyScaledRectangleReadsTheEdgePixel)
{
    host.SetImage(NoiseImage(2, 2, 8));
    InStart([&](HuxPSFilter& filter) {
        HuxPSTileCache cache(&filter, 3);
        cache.Configure(128, 128, 0, false, kBudget);
        cache.SetEdge(HuxPSTileCache::kWrap, 0x332211);
        const RequestLog log(host);
        const uint8_t expected[3] = {0x11, 0x22, 0x33};
        ExpectPixel(PixelOf(cache, 0, 0), expected, "empty rectangle");
        int32_t sums[3] = {0, 0, 0};
        PixelReader(cache).AccumulateBilinear(0.25, 0.75, sums);
        EXPECT_EQ(sums[0], 0x11 * 65025);
        EXPECT_TRUE(log.Since().empty());
    });
}

// ---- Capacity and eviction ----------------------------------------------------

TEST_F(TileCacheEviction, TheTwentySecondTileEvictsTheFirstLoadedEvenIfJustRead)
{
    host.SetImage(NoiseImage(128 * 6, 128 * 4, 9));
    InStart([&](HuxPSFilter& filter) {
        HuxPSTileCache cache(&filter, 1);
        cache.Configure(128, 128, 0, false, kBudget);
        ASSERT_EQ(cache.Capacity(), 21);
        const RequestLog log(host);
        for (int32_t index = 0; index < 21; ++index)
            cache.LoadTile(index);
        PixelOf(cache, 5, 5); // a read of tile 0 does not refresh it
        EXPECT_EQ(log.Since().size(), 21u);
        cache.LoadTile(21);
        EXPECT_FALSE(cache.IsResident(0));
        EXPECT_TRUE(cache.IsResident(1));
        EXPECT_EQ(cache.LoadOrder().front(), 1);
        EXPECT_EQ(cache.LoadOrder().back(), 21);
        EXPECT_EQ(cache.LoadOrder().size(), 21u);

        ExpectPixel(PixelOf(cache, 5, 5), host.Image().At(5, 5), "reloaded tile 0");
        EXPECT_EQ(log.Since().size(), 23u);
        EXPECT_FALSE(cache.IsResident(1)) << "the reload evicts the next oldest";
        EXPECT_EQ(log.Since().back().inRect, (Rect32{0, 0, 128, 128}));
        EXPECT_EQ(cache.LoadCount(), 23);
    });
}

// Tiles loaded together are all resident afterwards: those already there
// are renewed and the loads evict only what was not asked for, oldest first.
TEST_F(TileCacheEviction, TilesLoadedTogetherEvictOnlyOthers)
{
    host.SetImage(NoiseImage(128 * 6, 128 * 4, 9));
    InStart([&](HuxPSFilter& filter) {
        HuxPSTileCache cache(&filter, 1);
        cache.Configure(128, 128, 0, false, kBudget);
        for (int32_t index = 0; index < 21; ++index)
            cache.LoadTile(index);
        const RequestLog log(host);
        cache.LoadTogether({0, 1, 21, 22});
        EXPECT_EQ(log.Since().size(), 2u);
        EXPECT_EQ(cache.LoadOrder(), (std::vector<int32_t>{4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19,
                                                           20, 0, 1, 21, 22}));
        std::vector<int32_t> tooMany(22);
        for (int32_t i = 0; i < 22; ++i)
            tooMany[size_t(i)] = i;
        EXPECT_THROW(cache.LoadTogether(tooMany), std::length_error);
    });
}

// A rectangle thinner than a tile fills only a strip of each tile, and its
// buffers hold only that strip: a tall 3-pixel column of 16 tiles fits the
// budget whole, as does a wide 3-pixel row, with pixels and mask read back
// exactly through the narrower rows. Each tile is asked for once.
TEST_F(TileCacheEviction, ThinRectanglesHoldTheirWholeBandInEitherOrientation)
{
    for (const auto& [width, height] : {std::pair{3, 2000}, std::pair{2000, 3}}) {
        SCOPED_TRACE(std::to_string(width) + " x " + std::to_string(height));
        host.SetImage(NoiseImage(width, height, 12));
        SquelmHost::GreyImage mask(width, height);
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x)
                mask.At(x, y) = uint8_t((x * 7 + y * 3) % 251);
        }
        host.SetMask(mask);
        InStart([&](HuxPSFilter& filter) {
            HuxPSTileCache cache(&filter, 1);
            cache.Configure(128, 128, 0, true, kBudget);
            EXPECT_EQ(cache.Capacity(), kBudget / (3 * 128 * 4));
            const RequestLog log(host);
            for (int round = 0; round < 2; ++round) {
                for (int y = 0; y < height; ++y) {
                    for (int x = 0; x < width; ++x) {
                        ExpectPixel(PixelOf(cache, x, y), host.Image().At(x, y), "thin image");
                        ASSERT_EQ(MaskOf(cache, x, y), mask.At(x, y)) << x << "," << y;
                    }
                }
            }
            EXPECT_EQ(log.Since().size(), 16u);
            int32_t sums[3] = {0, 0, 0};
            PixelReader(cache).AccumulateBilinear(width > 3 ? 1000.5 : 1.5, height > 3 ? 1000.5 : 1.5, sums);
            const int bx = width > 3 ? 1000 : 1, by = height > 3 ? 1000 : 1;
            int expected = 0;
            for (int dy = 0; dy <= 1; ++dy)
                for (int dx = 0; dx <= 1; ++dx)
                    expected += host.Image().At(bx + dx, by + dy)[0] * (dx ? 127 : 128) * (dy ? 127 : 128);
            EXPECT_EQ(sums[0], expected) << "the row below is one narrow row further on";
        });
    }
}

TEST_F(TileCacheEviction, ABudgetBelowOneTileStillHoldsOne)
{
    host.SetImage(NoiseImage(64, 32, 10));
    InStart([&](HuxPSFilter& filter) {
        HuxPSTileCache cache(&filter, 1);
        cache.Configure(16, 16, 0, false, 100);
        EXPECT_EQ(cache.Capacity(), 1);
        const RequestLog log(host);
        for (int round = 0; round < 2; ++round) {
            for (int x = 0; x < 64; x += 16) {
                ExpectPixel(PixelOf(cache, x + 3, 20), host.Image().At(x + 3, 20), "alternating tiles");
                EXPECT_EQ(cache.LoadOrder().size(), 1u);
            }
        }
        EXPECT_EQ(log.Since().size(), 8u);
    });
}

// A load that fails must not leave a slot pointing at pixels the host never
// delivered: the tile is forgotten, and a later render loads it again.
TEST_F(TileCacheEviction, AFailedLoadIsForgottenAndLoadsAgainLater)
{
    host.SetImage(NoiseImage(300, 200, 11));
    host.Options().failAdvanceStateAt = 2;
    host.Options().advanceStateError = -4242;
    std::unique_ptr<HuxPSTileCache> cache;
    auto first = RunInStart(host, [&](HuxPSFilter& filter) {
        cache = std::make_unique<HuxPSTileCache>(&filter, 1);
        HuxPSTileCache* kept = cache.get();
        kept->Configure(128, 128, 0, false, kBudget);
        kept->LoadTile(0);
        try {
            kept->LoadTile(4);
            ADD_FAILURE() << "the host's failure must come through";
        } catch (const HuxOSErr& error) {
            EXPECT_EQ(error.code, -4242);
        }
        EXPECT_FALSE(kept->IsResident(4));
        EXPECT_EQ(kept->LoadOrder().size(), 1u);
        EXPECT_EQ(kept->LoadCount(), 1);
    });
    EXPECT_TRUE(first.hostError.empty()) << first.hostError;

    host.Options().failAdvanceStateAt = 0;
    auto second = RunInStart(host, [&](HuxPSFilter&) {
        const RequestLog log(host);
        for (int y = 128; y < 200; y += 9) {
            for (int x = 128; x < 256; x += 11)
                ExpectPixel(PixelOf(*cache, x, y), host.Image().At(x, y), "tile 4 after the failure");
        }
        EXPECT_EQ(log.Since().size(), 1u);
        EXPECT_EQ(cache->LoadOrder().size(), 2u);
    });
    EXPECT_TRUE(second.Succeeded()) << second.hostError;
    EXPECT_EQ(host.CallsAfterAdvanceStateError(), 0);
}

// A host that answers a request without the data asked for has failed it.
TEST_F(TileCacheEviction, AMissingMaskDeliveryFailsTheLoad)
{
    host.SetImage(NoiseImage(50, 40, 15));
    InStart([&](HuxPSFilter& filter) {
        HuxPSTileCache cache(&filter, 1);
        cache.Configure(128, 128, 0, true, kBudget); // a mask the host has not got
        try {
            PixelOf(cache, 3, 3);
            ADD_FAILURE() << "a load without mask data must fail";
        } catch (const HuxOSErr& error) {
            EXPECT_EQ(error.code, PS::errPlugInHostInsufficient);
        }
        EXPECT_FALSE(cache.IsResident(0));
        EXPECT_TRUE(cache.LoadOrder().empty());
    });
}

