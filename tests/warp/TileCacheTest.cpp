// The source tile cache against the test host: tile layout and requests,
// capacity and load-order eviction, edge modes, bilinear sums.
#include "HuxLib/HUXUTIL/HuxException.h"
#include "host/HuxPSTileCache.h"
#include "warp/WarpHarness.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

using SquelmHost::EventKind;
using SquelmHost::Rect32;
using SquelmHost::RgbImage;
using SquelmHost::TestHost;
using WarpTest::NoiseImage;
using WarpTest::RunInStart;

namespace {

constexpr int32_t kBudget = 0x100000;

// The host's log may not be cleared while a run is on, so requests are
// counted from a mark taken before the reads under test.
class RequestLog {
public:
    explicit RequestLog(const TestHost& host) : host_(host), mark_(All().size()) {}

    std::vector<SquelmHost::HostEvent> Since() const
    {
        const auto all = All();
        return {all.begin() + std::ptrdiff_t(mark_), all.end()};
    }

private:
    std::vector<SquelmHost::HostEvent> All() const { return host_.Log().OfKind(EventKind::AdvanceState); }

    const TestHost& host_;
    size_t mark_;
};

void ExpectPixel(const uint8_t* actual, const uint8_t* expected, const char* where)
{
    EXPECT_EQ(actual[0], expected[0]) << where;
    EXPECT_EQ(actual[1], expected[1]) << where;
    EXPECT_EQ(actual[2], expected[2]) << where;
}

// Red = column, green = row: every pixel of a small image names its position.
RgbImage PositionImage(int width, int height)
{
    RgbImage image(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            image.Set(x, y, uint8_t(x), uint8_t(y), uint8_t(x ^ y));
    }
    return image;
}

} // namespace

TEST(TileCacheLayout, ThreeByTwoTilesAndTheLastTileRequestIsCut)
{
    TestHost host(&WarpTest::HarnessEntry);
    host.SetImage(NoiseImage(300, 200, 1));
    const auto result = RunInStart(host, [&](HuxPSFilter& filter) {
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
                ExpectPixel(cache.PixelAt(x, y), host.Image().At(x, y), "tile 5");
        }
        EXPECT_EQ(log.Since().size(), 1u) << "reads of a resident tile load nothing";
    });
    EXPECT_TRUE(result.Succeeded()) << result.hostError;
}

TEST(TileCacheLayout, ScaleThreeIsOneTileSampledByTheHost)
{
    TestHost host(&WarpTest::HarnessEntry);
    host.SetImage(NoiseImage(300, 200, 2));
    const auto result = RunInStart(host, [&](HuxPSFilter& filter) {
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
                ExpectPixel(cache.PixelAt(x, y), host.Image().At(3 * x, 3 * y), "scaled pixel");
        }
    });
    EXPECT_TRUE(result.Succeeded()) << result.hostError;
}

TEST(TileCacheLayout, RequestsStartAtTheFilterRectangleNotTheImageOrigin)
{
    TestHost host(&WarpTest::HarnessEntry);
    host.SetImage(NoiseImage(300, 200, 3));
    host.Options().filterRect = Rect32{50, 40, 250, 190};
    const auto result = RunInStart(host, [&](HuxPSFilter& filter) {
        HuxPSTileCache cache(&filter, 1);
        cache.Configure(128, 128, 0, false, kBudget);
        EXPECT_EQ(cache.SourceRect(), (HuxRect{50, 40, 250, 190}));
        const RequestLog log(host);
        ExpectPixel(cache.PixelAt(50, 40), host.Image().At(50, 40), "first pixel");
        ExpectPixel(cache.PixelAt(49, 39), host.Image().At(50, 40), "repeated corner");
        ExpectPixel(cache.PixelAt(249, 189), host.Image().At(249, 189), "last pixel");
        const auto requests = log.Since();
        ASSERT_EQ(requests.size(), 2u);
        EXPECT_EQ(requests[0].inRect, (Rect32{50, 40, 178, 168}));
        EXPECT_EQ(requests[1].inRect, (Rect32{178, 168, 250, 190}));
    });
    EXPECT_TRUE(result.Succeeded()) << result.hostError;
}

TEST(TileCacheLayout, SwappedChannelOrderExchangesRedAndBlue)
{
    TestHost host(&WarpTest::HarnessEntry);
    host.SetImage(NoiseImage(40, 30, 4));
    const auto result = RunInStart(host, [&](HuxPSFilter& filter) {
        HuxPSTileCache cache(&filter, 1);
        cache.Configure(16, 8, 1, false, kBudget);
        for (int y = 0; y < 30; ++y) {
            for (int x = 0; x < 40; ++x) {
                const uint8_t* source = host.Image().At(x, y);
                const uint8_t swapped[3] = {source[2], source[1], source[0]};
                ExpectPixel(cache.PixelAt(x, y), swapped, "swapped");
            }
        }
    });
    EXPECT_TRUE(result.Succeeded()) << result.hostError;
}

TEST(TileCacheLayout, MaskTilesComeWithPixelTiles)
{
    TestHost host(&WarpTest::HarnessEntry);
    host.SetImage(NoiseImage(200, 150, 5));
    SquelmHost::GreyImage mask(200, 150);
    for (int y = 0; y < 150; ++y) {
        for (int x = 0; x < 200; ++x)
            mask.At(x, y) = uint8_t((x * 7 + y * 3) % 251);
    }
    host.SetMask(mask);
    const auto result = RunInStart(host, [&](HuxPSFilter& filter) {
        HuxPSTileCache cache(&filter, 1);
        cache.Configure(128, 128, 0, filter.HostRecord()->haveMask != 0, kBudget);
        EXPECT_TRUE(cache.HasMask());
        EXPECT_EQ(cache.Capacity(), 16);
        const RequestLog log(host);
        EXPECT_EQ(cache.MaskAt(130, 140), mask.At(130, 140));
        const auto requests = log.Since();
        ASSERT_EQ(requests.size(), 1u);
        EXPECT_EQ(requests[0].maskRect, requests[0].inRect);
        EXPECT_EQ(requests[0].maskRate, 0x10000);
        for (int y = 0; y < 150; y += 7) {
            for (int x = 0; x < 200; x += 3)
                EXPECT_EQ(cache.MaskAt(x, y), mask.At(x, y)) << x << "," << y;
        }
        EXPECT_EQ(cache.MaskAt(-1, 0), 0) << "outside the rectangle nothing is selected";
    });
    EXPECT_TRUE(result.Succeeded()) << result.hostError;
}

TEST(TileCacheLayout, WithoutAHostMaskEverythingIsSelected)
{
    TestHost host(&WarpTest::HarnessEntry);
    host.SetImage(NoiseImage(20, 20, 6));
    const auto result = RunInStart(host, [&](HuxPSFilter& filter) {
        HuxPSTileCache cache(&filter, 1);
        cache.Configure(128, 128, 0, false, kBudget);
        const RequestLog log(host);
        EXPECT_EQ(cache.MaskAt(3, 4), 255);
        EXPECT_TRUE(log.Since().empty());
    });
    EXPECT_TRUE(result.Succeeded()) << result.hostError;
}

TEST(TileCacheLayout, RefusesSizesItCannotRepresent)
{
    TestHost host(&WarpTest::HarnessEntry);
    host.SetImage(NoiseImage(20, 20, 7));
    const auto result = RunInStart(host, [&](HuxPSFilter& filter) {
        HuxPSTileCache cache(&filter, 1);
        EXPECT_THROW(cache.Configure(0, 128, 0, false, kBudget), std::invalid_argument);
        EXPECT_THROW(cache.Configure(65536, 65536, 0, false, kBudget), std::length_error);
        HuxPSTileCache unscaled(&filter, 0);
        EXPECT_THROW(unscaled.Configure(128, 128, 0, false, kBudget), std::invalid_argument);
    });
    EXPECT_TRUE(result.Succeeded()) << result.hostError;
}

TEST(TileCacheLayout, AnEmptyScaledRectangleReadsTheEdgePixel)
{
    TestHost host(&WarpTest::HarnessEntry);
    host.SetImage(NoiseImage(2, 2, 8));
    const auto result = RunInStart(host, [&](HuxPSFilter& filter) {
        HuxPSTileCache cache(&filter, 3);
        cache.Configure(128, 128, 0, false, kBudget);
        cache.SetEdge(HuxPSTileCache::kWrap, 0x332211);
        const RequestLog log(host);
        const uint8_t expected[3] = {0x11, 0x22, 0x33};
        ExpectPixel(cache.PixelAt(0, 0), expected, "empty rectangle");
        int32_t sums[3] = {0, 0, 0};
        cache.AccumulateBilinear(0.25, 0.75, sums[0], sums[1], sums[2]);
        EXPECT_EQ(sums[0], 0x11 * 65025);
        EXPECT_TRUE(log.Since().empty());
    });
    EXPECT_TRUE(result.Succeeded()) << result.hostError;
}

// ---- Capacity and eviction ----------------------------------------------------

TEST(TileCacheEviction, TheTwentySecondTileEvictsTheFirstLoadedEvenIfJustRead)
{
    TestHost host(&WarpTest::HarnessEntry);
    host.SetImage(NoiseImage(128 * 6, 128 * 4, 9));
    const auto result = RunInStart(host, [&](HuxPSFilter& filter) {
        HuxPSTileCache cache(&filter, 1);
        cache.Configure(128, 128, 0, false, kBudget);
        ASSERT_EQ(cache.Capacity(), 21);
        const RequestLog log(host);
        for (int32_t index = 0; index < 21; ++index)
            cache.LoadTile(index);
        cache.PixelAt(5, 5); // a read of tile 0 does not refresh it
        EXPECT_EQ(log.Since().size(), 21u);
        cache.LoadTile(21);
        EXPECT_FALSE(cache.IsResident(0));
        EXPECT_TRUE(cache.IsResident(1));
        EXPECT_EQ(cache.LoadOrder().front(), 1);
        EXPECT_EQ(cache.LoadOrder().back(), 21);
        EXPECT_EQ(cache.LoadOrder().size(), 21u);

        ExpectPixel(cache.PixelAt(5, 5), host.Image().At(5, 5), "reloaded tile 0");
        EXPECT_EQ(log.Since().size(), 23u);
        EXPECT_FALSE(cache.IsResident(1)) << "the reload evicts the next oldest";
        EXPECT_EQ(log.Since().back().inRect, (Rect32{0, 0, 128, 128}));
        EXPECT_EQ(cache.LoadCount(), 23);
    });
    EXPECT_TRUE(result.Succeeded()) << result.hostError;
}

TEST(TileCacheEviction, ABudgetBelowOneTileStillHoldsOne)
{
    TestHost host(&WarpTest::HarnessEntry);
    host.SetImage(NoiseImage(64, 32, 10));
    const auto result = RunInStart(host, [&](HuxPSFilter& filter) {
        HuxPSTileCache cache(&filter, 1);
        cache.Configure(16, 16, 0, false, 100);
        EXPECT_EQ(cache.Capacity(), 1);
        const RequestLog log(host);
        for (int round = 0; round < 2; ++round) {
            for (int x = 0; x < 64; x += 16) {
                ExpectPixel(cache.PixelAt(x + 3, 20), host.Image().At(x + 3, 20), "alternating tiles");
                EXPECT_EQ(cache.LoadOrder().size(), 1u);
            }
        }
        EXPECT_EQ(log.Since().size(), 8u);
    });
    EXPECT_TRUE(result.Succeeded()) << result.hostError;
}

// A load that fails must not leave a slot pointing at pixels the host never
// delivered: the tile is forgotten, and a later render loads it again.
TEST(TileCacheEviction, AFailedLoadIsForgottenAndLoadsAgainLater)
{
    TestHost host(&WarpTest::HarnessEntry);
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
        } catch (HuxOSErr code) {
            EXPECT_EQ(code, -4242);
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
                ExpectPixel(cache->PixelAt(x, y), host.Image().At(x, y), "tile 4 after the failure");
        }
        EXPECT_EQ(log.Since().size(), 1u);
        EXPECT_EQ(cache->LoadOrder().size(), 2u);
    });
    EXPECT_TRUE(second.Succeeded()) << second.hostError;
    EXPECT_EQ(host.CallsAfterAdvanceStateError(), 0);
}

// A host that answers a request without the data asked for has failed it.
TEST(TileCacheEviction, AMissingMaskDeliveryFailsTheLoad)
{
    TestHost host(&WarpTest::HarnessEntry);
    host.SetImage(NoiseImage(50, 40, 15));
    const auto result = RunInStart(host, [&](HuxPSFilter& filter) {
        HuxPSTileCache cache(&filter, 1);
        cache.Configure(128, 128, 0, true, kBudget); // a mask the host has not got
        try {
            cache.PixelAt(3, 3);
            ADD_FAILURE() << "a load without mask data must fail";
        } catch (HuxOSErr code) {
            EXPECT_EQ(code, PS::errPlugInHostInsufficient);
        }
        EXPECT_FALSE(cache.IsResident(0));
        EXPECT_TRUE(cache.LoadOrder().empty());
    });
    EXPECT_TRUE(result.Succeeded()) << result.hostError;
}

// ---- Edge modes ----------------------------------------------------------------

TEST(TileCacheEdges, FixedColourPixelFollowsTheChannelOrder)
{
    TestHost host(&WarpTest::HarnessEntry);
    host.SetImage(NoiseImage(10, 10, 12));
    const auto result = RunInStart(host, [&](HuxPSFilter& filter) {
        HuxPSTileCache hostOrder(&filter, 1);
        hostOrder.Configure(128, 128, 0, false, kBudget);
        hostOrder.SetEdge(3, 0x0000FF);
        const uint8_t red[3] = {0xFF, 0, 0};
        ExpectPixel(hostOrder.EdgePixel(), red, "order 0");
        ExpectPixel(hostOrder.PixelAt(-1, 4), red, "outside, order 0");

        HuxPSTileCache swapped(&filter, 1);
        swapped.Configure(128, 128, 1, false, kBudget);
        swapped.SetEdge(3, 0x0000FF);
        const uint8_t blueFirst[3] = {0, 0, 0xFF};
        ExpectPixel(swapped.EdgePixel(), blueFirst, "order 1");
        swapped.SetEdge(3, 0x123456);
        const uint8_t mixed[3] = {0x12, 0x34, 0x56};
        ExpectPixel(swapped.PixelAt(4, 10), mixed, "below, order 1");
    });
    EXPECT_TRUE(result.Succeeded()) << result.hostError;
}

TEST(TileCacheEdges, WrapAndMirrorExamples)
{
    TestHost host(&WarpTest::HarnessEntry);
    host.SetImage(PositionImage(100, 30));
    const auto result = RunInStart(host, [&](HuxPSFilter& filter) {
        HuxPSTileCache cache(&filter, 1);
        cache.Configure(128, 128, 0, false, kBudget);
        auto column = [&](int32_t x) { return int(cache.PixelAt(x, 7)[0]); };
        auto row = [&](int32_t y) { return int(cache.PixelAt(7, y)[1]); };

        cache.SetEdge(HuxPSTileCache::kWrap, 0);
        EXPECT_EQ(column(-1), 99);
        EXPECT_EQ(column(-100), 0);
        EXPECT_EQ(column(100), 0);
        EXPECT_EQ(column(-201), 99);
        EXPECT_EQ(row(-1), 29);
        EXPECT_EQ(row(31), 1);

        cache.SetEdge(HuxPSTileCache::kMirror, 0);
        EXPECT_EQ(column(-1), 0);
        EXPECT_EQ(column(100), 99);
        EXPECT_EQ(column(199), 0);
        EXPECT_EQ(column(200), 0);
        EXPECT_EQ(column(-2), 1);
        EXPECT_EQ(row(30), 29);
        EXPECT_EQ(row(-3), 2);

        cache.SetEdge(HuxPSTileCache::kRepeatEdge, 0);
        EXPECT_EQ(column(-1000000), 0);
        EXPECT_EQ(column(1000000), 99);
        EXPECT_EQ(int(cache.PixelAt(-5, 40)[1]), 29);
    });
    EXPECT_TRUE(result.Succeeded()) << result.hostError;
}

TEST(TileCacheEdges, WrapIsRelativeToTheRectangle)
{
    TestHost host(&WarpTest::HarnessEntry);
    host.SetImage(PositionImage(200, 30));
    host.Options().filterRect = Rect32{50, 0, 150, 30};
    const auto result = RunInStart(host, [&](HuxPSFilter& filter) {
        HuxPSTileCache cache(&filter, 1);
        cache.Configure(128, 128, 0, false, kBudget);
        cache.SetEdge(HuxPSTileCache::kWrap, 0);
        EXPECT_EQ(cache.PixelAt(40, 3)[0], 140);
        EXPECT_EQ(cache.PixelAt(150, 3)[0], 50);
        cache.SetEdge(HuxPSTileCache::kMirror, 0);
        EXPECT_EQ(cache.PixelAt(40, 3)[0], 59);
    });
    EXPECT_TRUE(result.Succeeded()) << result.hostError;
}

// ---- Bilinear sums ---------------------------------------------------------------

TEST(TileCacheBilinear, HalfAPixelBeforeTheRightEdgeMixesTheEdgePixelWithItself)
{
    TestHost host(&WarpTest::HarnessEntry);
    host.SetImage(NoiseImage(100, 20, 13));
    const auto result = RunInStart(host, [&](HuxPSFilter& filter) {
        HuxPSTileCache cache(&filter, 1);
        cache.Configure(128, 128, 0, false, kBudget);
        int32_t sums[3] = {0, 0, 0};
        cache.AccumulateBilinear(99.5, 6.0, sums[0], sums[1], sums[2]);
        const uint8_t* edge = host.Image().At(99, 6);
        for (int c = 0; c < 3; ++c)
            EXPECT_EQ(sums[c], edge[c] * 65025) << "channel " << c;
    });
    EXPECT_TRUE(result.Succeeded()) << result.hostError;
}

TEST(TileCacheBilinear, HalfAPixelLeftOfTheRectangleUsesTheEdgeMode)
{
    TestHost host(&WarpTest::HarnessEntry);
    host.SetImage(NoiseImage(100, 20, 14));
    const auto result = RunInStart(host, [&](HuxPSFilter& filter) {
        HuxPSTileCache cache(&filter, 1);
        cache.Configure(128, 128, 0, false, kBudget);
        cache.SetEdge(HuxPSTileCache::kWrap, 0);
        int32_t sums[3] = {0, 0, 0};
        cache.AccumulateBilinear(-0.5, 6.0, sums[0], sums[1], sums[2]);
        const uint8_t* left = host.Image().At(99, 6); // pixel -1, wrapped
        const uint8_t* right = host.Image().At(0, 6);
        for (int c = 0; c < 3; ++c)
            EXPECT_EQ(sums[c], left[c] * 128 * 255 + right[c] * 127 * 255) << "channel " << c;
    });
    EXPECT_TRUE(result.Succeeded()) << result.hostError;
}

// The one-tile shortcut must give exactly the sums of four edge-resolved reads.
TEST(TileCacheBilinear, ShortcutEqualsFourSeparateReads)
{
    const uint32_t seed = 20261208;
    TestHost host(&WarpTest::HarnessEntry);
    host.SetImage(NoiseImage(300, 200, seed));
    host.Options().filterRect = Rect32{10, 20, 290, 190};
    const auto result = RunInStart(host, [&](HuxPSFilter& filter) {
        std::mt19937 random(seed);
        std::uniform_real_distribution<double> across(-40.0, 340.0), down(-40.0, 240.0);
        for (int32_t mode = 0; mode <= 3; ++mode) {
            HuxPSTileCache cache(&filter, 1);
            cache.Configure(64, 32, mode & 1, false, 0x20000);
            cache.SetEdge(mode, 0x405060);
            for (int i = 0; i < 4000; ++i) {
                // Every other position on a tile seam.
                double x = across(random), y = down(random);
                if (i % 2 == 0)
                    x = 10 + 64 * std::floor((x - 10) / 64) - 1 + (x - std::floor(x));
                int32_t fast[3] = {0, 0, 0};
                cache.AccumulateBilinear(x, y, fast[0], fast[1], fast[2]);
                const int32_t ix = int32_t(std::floor(x)), iy = int32_t(std::floor(y));
                const int32_t fx = int32_t(255 * (x - ix)), fy = int32_t(255 * (y - iy));
                const int32_t weights[4] = {(255 - fx) * (255 - fy), fx * (255 - fy), (255 - fx) * fy, fx * fy};
                int32_t plain[3] = {0, 0, 0};
                for (int k = 0; k < 4; ++k) {
                    const uint8_t* p = cache.PixelAt(ix + (k & 1), iy + (k >> 1));
                    for (int c = 0; c < 3; ++c)
                        plain[c] += p[c] * weights[k];
                }
                for (int c = 0; c < 3; ++c) {
                    ASSERT_EQ(fast[c], plain[c]) << "at (" << x << ", " << y << ") mode " << mode
                                                 << "; replay: test_warp --gtest_filter=*ShortcutEquals* (seed "
                                                 << seed << ")";
                }
            }
        }
    });
    EXPECT_TRUE(result.Succeeded()) << result.hostError;
}
