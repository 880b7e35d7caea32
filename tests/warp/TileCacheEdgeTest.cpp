// The source tile cache's reads outside its rectangle (edge modes), and the
// bilinear sums read from it.
#include "HuxLib/HUXUTIL/HuxException.h"
#include "host/HuxPSTileCache.h"
#include "warp/CacheTestSupport.h"
#include "warp/WarpHarness.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <random>
#include <vector>

using SquelmHost::Rect32;
using SquelmHost::RgbImage;
using WarpTest::ExpectPixel;
using WarpTest::PixelOf;
using WarpTest::kBudget;
using WarpTest::NoiseImage;
using WarpTest::PositionImage;
using WarpTest::RequestLog;
using TileCacheEdges = WarpTest::HarnessTest;
using TileCacheBilinear = WarpTest::HarnessTest;

// ---- Edge modes ----------------------------------------------------------------

TEST_F(TileCacheEdges, FixedColourPixelFollowsTheChannelOrder)
{
    host.SetImage(NoiseImage(10, 10, 12));
    InStart([&](HuxPSFilter& filter) {
        HuxPSTileCache hostOrder(&filter, 1);
        hostOrder.Configure(128, 128, 0, false, kBudget);
        hostOrder.SetEdge(3, 0x0000FF);
        const uint8_t red[3] = {0xFF, 0, 0};
        ExpectPixel(hostOrder.EdgePixel(), red, "order 0");
        ExpectPixel(PixelOf(hostOrder, -1, 4), red, "outside, order 0");

        HuxPSTileCache swapped(&filter, 1);
        swapped.Configure(128, 128, 1, false, kBudget);
        swapped.SetEdge(3, 0x0000FF);
        const uint8_t blueFirst[3] = {0, 0, 0xFF};
        ExpectPixel(swapped.EdgePixel(), blueFirst, "order 1");
        swapped.SetEdge(3, 0x123456);
        const uint8_t mixed[3] = {0x12, 0x34, 0x56};
        ExpectPixel(PixelOf(swapped, 4, 10), mixed, "below, order 1");

        swapped.Configure(128, 128, 0, false, kBudget);
        const uint8_t reordered[3] = {0x56, 0x34, 0x12};
        ExpectPixel(swapped.EdgePixel(), reordered, "reconfigured to order 0");
    });
}

TEST_F(TileCacheEdges, WrapAndMirrorExamples)
{
    host.SetImage(PositionImage(100, 30));
    InStart([&](HuxPSFilter& filter) {
        HuxPSTileCache cache(&filter, 1);
        cache.Configure(128, 128, 0, false, kBudget);
        auto column = [&](int32_t x) { return int(PixelOf(cache, x, 7)[0]); };
        auto row = [&](int32_t y) { return int(PixelOf(cache, 7, y)[1]); };

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
        EXPECT_EQ(int(PixelOf(cache, -5, 40)[1]), 29);
    });
}

TEST_F(TileCacheEdges, WrapIsRelativeToTheRectangle)
{
    host.SetImage(PositionImage(200, 30));
    host.Options().filterRect = Rect32{50, 0, 150, 30};
    InStart([&](HuxPSFilter& filter) {
        HuxPSTileCache cache(&filter, 1);
        cache.Configure(128, 128, 0, false, kBudget);
        cache.SetEdge(HuxPSTileCache::kWrap, 0);
        EXPECT_EQ(PixelOf(cache, 40, 3)[0], 140);
        EXPECT_EQ(PixelOf(cache, 150, 3)[0], 50);
        cache.SetEdge(HuxPSTileCache::kMirror, 0);
        EXPECT_EQ(PixelOf(cache, 40, 3)[0], 59);
    });
}

// ---- Bilinear sums ---------------------------------------------------------------

TEST_F(TileCacheBilinear, HalfAPixelBeforeTheRightEdgeMixesTheEdgePixelWithItself)
{
    host.SetImage(NoiseImage(100, 20, 13));
    InStart([&](HuxPSFilter& filter) {
        HuxPSTileCache cache(&filter, 1);
        cache.Configure(128, 128, 0, false, kBudget);
        int32_t sums[3] = {0, 0, 0};
        PixelReader(cache).AccumulateBilinear(99.5, 6.0, sums);
        const uint8_t* edge = host.Image().At(99, 6);
        for (int c = 0; c < 3; ++c)
            EXPECT_EQ(sums[c], edge[c] * 65025) << "channel " << c;
    });
}

TEST_F(TileCacheBilinear, HalfAPixelLeftOfTheRectangleUsesTheEdgeMode)
{
    host.SetImage(NoiseImage(100, 20, 14));
    InStart([&](HuxPSFilter& filter) {
        HuxPSTileCache cache(&filter, 1);
        cache.Configure(128, 128, 0, false, kBudget);
        cache.SetEdge(HuxPSTileCache::kWrap, 0);
        int32_t sums[3] = {0, 0, 0};
        PixelReader(cache).AccumulateBilinear(-0.5, 6.0, sums);
        const uint8_t* left = host.Image().At(99, 6); // pixel -1, wrapped
        const uint8_t* right = host.Image().At(0, 6);
        for (int c = 0; c < 3; ++c)
            EXPECT_EQ(sums[c], left[c] * 128 * 255 + right[c] * 127 * 255) << "channel " << c;
    });
}

// The one-tile shortcut must give exactly the sums of four edge-resolved reads.
TEST_F(TileCacheBilinear, ShortcutEqualsFourSeparateReads)
{
    const uint32_t seed = 20261208;
    host.SetImage(NoiseImage(300, 200, seed));
    host.Options().filterRect = Rect32{10, 20, 290, 190};
    InStart([&](HuxPSFilter& filter) {
        std::mt19937 random(seed);
        std::uniform_real_distribution<double> across(-40.0, 340.0), down(-40.0, 240.0);
        for (int32_t mode = 0; mode <= 3; ++mode) {
            HuxPSTileCache cache(&filter, 1);
            cache.Configure(64, 32, mode & 1, false, 0x20000);
            cache.SetEdge(mode, 0x405060);
            // One reader throughout, as in a render: its block must follow
            // every load and eviction.
            PixelReader reader(cache);
            for (int i = 0; i < 4000; ++i) {
                // Every other position on a tile seam.
                double x = across(random), y = down(random);
                if (i % 2 == 0)
                    x = 10 + 64 * std::floor((x - 10) / 64) - 1 + (x - std::floor(x));
                int32_t fast[3] = {0, 0, 0};
                reader.AccumulateBilinear(x, y, fast);
                const int32_t ix = int32_t(std::floor(x)), iy = int32_t(std::floor(y));
                const int32_t fx = int32_t(255 * (x - ix)), fy = int32_t(255 * (y - iy));
                const int32_t weights[4] = {(255 - fx) * (255 - fy), fx * (255 - fy), (255 - fx) * fy, fx * fy};
                int32_t plain[3] = {0, 0, 0};
                for (int k = 0; k < 4; ++k) {
                    const uint8_t* p = reader.PixelAt(ix + (k & 1), iy + (k >> 1));
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
}
