// Rendering on several threads: the final render and the preview give the
// same bytes for every thread count and whatever order the tiles are
// rendered in, whole or in bands. (The test host ends the process on a callback from any thread
// but its own, so every run here also checks that.)
#include "EffectTestSupport.h"

#include "effect/PSPlimTileRender.h"
#include "warp/GridRender.h"
#include "warp/WarpHarness.h"

#include <algorithm>

using namespace EffectTest;

namespace {

struct Rendered {
    SquelmHost::RgbImage image;
    std::vector<uint8_t> preview;
};

// A push across the photo that folds the grid, then OK; with a mask, the
// left part selected and the rest knocked out.
Rendered RenderWithThreads(int threads, bool masked)
{
    SquelmHost::TestHost host(Entry());
    const SquelmHost::RgbImage photo = Photo();
    host.SetImage(photo);
    host.Options().renderThreads = threads;
    if (masked) {
        SquelmHost::GreyImage mask(photo.width, photo.height, 0);
        for (int y = 0; y < photo.height; ++y)
            for (int x = 0; x < photo.width * 2 / 3; ++x)
                mask.At(x, y) = uint8_t(255 - x / 3);
        host.SetMask(mask);
    }
    Rendered rendered;
    const RunOutcome run = RunWith(host, [&](CPSPlimPluginApp& app) {
        app.Params()->knockout = masked;
        app.SetPreviewSize(300, 200);
        app.Params()->toolSize = 0.25;
        app.Params()->toolPower = 1.0;
        Drag(app, PSPlimButton::Left, {{20, 200}, {200, 210}, {380, 200}});
        rendered.preview = PreviewBytes(app);
        return kHuxIdOk;
    });
    EXPECT_TRUE(run.result.Succeeded()) << threads << " threads: " << run.result.result;
    rendered.image = run.image;
    return rendered;
}

} // namespace

TEST(ParallelRenderTest, EveryThreadCountGivesTheSameBytes)
{
    for (const bool masked : {false, true}) {
        const Rendered serial = RenderWithThreads(1, masked);
        for (const int threads : {2, 3, 8}) {
            const Rendered parallel = RenderWithThreads(threads, masked);
            EXPECT_TRUE(SameImage(serial.image, parallel.image)) << threads << " threads, masked " << masked;
            EXPECT_TRUE(serial.preview == parallel.preview) << threads << " threads, masked " << masked;
        }
    }
}

TEST(ParallelRenderTest, NeitherTheOrderOfTheTilesNorBandsChangeThem)
{
    // 77 tiles: more than one chunk's corner tables hold.
    constexpr int32_t kWidth = 700, kHeight = 400, kTile = 64;
    SquelmHost::TestHost host(&WarpTest::HarnessEntry);
    host.SetImage(Gradient(kWidth, kHeight));
    PSPlimGrid grid;
    WarpTest::ResetGrid(grid, kWidth, kHeight, 20);
    WarpTest::DeformGrid(grid, 20261209, WarpTest::Strokes{});
    const HuxPSNonLinearTextureMapper mapper;

    // Every tile into its own place of one image, the tiles listed in order.
    auto render = [&](HuxPSTileCache& cache, int threads, std::vector<int32_t> order) {
        std::vector<uint8_t> image(size_t(kWidth) * kHeight * 3);
        std::vector<DestinationTile> tiles;
        for (int32_t y = 0; y < kHeight; y += kTile) {
            for (int32_t x = 0; x < kWidth; x += kTile) {
                DestinationTile tile;
                tile.data = image.data() + (size_t(y) * kWidth + size_t(x)) * 3;
                tile.left = x;
                tile.top = y;
                tile.right = std::min(x + kTile, kWidth);
                tile.bottom = std::min(y + kTile, kHeight);
                tile.rowStride = kWidth * 3;
                tiles.push_back(tile);
            }
        }
        std::vector<DestinationTile> ordered;
        for (const int32_t i : order)
            ordered.push_back(tiles[size_t(i)]);
        HuxWorkerPool pool(threads);
        PSPlimTileRender(pool).Render(mapper, PSPlimTileRender::Mode::Plain, cache, grid, cache.ScaledRect(), ordered);
        return image;
    };
    // The same in bands, each copied into place as it comes back; they must
    // come in order, row by row.
    auto renderBands = [&](HuxPSTileCache& cache, int threads) {
        std::vector<uint8_t> image(size_t(kWidth) * kHeight * 3);
        int64_t delivered = 0;
        const auto deliver = [&](int64_t firstTile, const std::vector<DestinationTile>& band) {
            EXPECT_EQ(firstTile, delivered);
            for (const DestinationTile& tile : band) {
                EXPECT_EQ(tile.left, delivered % ((kWidth + kTile - 1) / kTile) * kTile);
                EXPECT_EQ(tile.top, delivered++ / ((kWidth + kTile - 1) / kTile) * kTile);
                for (int32_t y = tile.top; y < tile.bottom; ++y)
                    std::copy_n(tile.data + ptrdiff_t(y - tile.top) * tile.rowStride, tile.Width() * 3,
                                image.data() + (size_t(y) * kWidth + size_t(tile.left)) * 3);
            }
        };
        HuxWorkerPool pool(threads);
        PSPlimTileRender(pool).RenderBands(mapper, PSPlimTileRender::Mode::Plain, cache, grid, cache.ScaledRect(),
                                           kTile, deliver);
        return image;
    };
    const int32_t tileCount = ((kWidth + kTile - 1) / kTile) * ((kHeight + kTile - 1) / kTile);
    std::vector<int32_t> forward(static_cast<size_t>(tileCount));
    for (int32_t i = 0; i < tileCount; ++i)
        forward[size_t(i)] = i;
    std::vector<int32_t> reversed(forward.rbegin(), forward.rend());
    std::vector<int32_t> interleaved;
    for (int32_t i = 0; i < tileCount; i += 2)
        interleaved.push_back(i);
    for (int32_t i = 1; i < tileCount; i += 2)
        interleaved.push_back(i);

    // First everything in the cache at once; then budgets so small that
    // tiles are swept window by window, and a single tile's, so that every
    // pixel reading two tiles is gathered.
    std::vector<uint8_t> expected;
    for (const int32_t budgetTiles : {1000, 6, 1}) {
        WarpTest::CacheSetup setup;
        setup.tileSize = kTile;
        setup.budget = budgetTiles * kTile * kTile * 3;
        const auto result = WarpTest::RunWithCache(host, setup, [&](HuxPSTileCache& cache) {
            if (expected.empty()) {
                expected = render(cache, 1, forward);
                return;
            }
            const struct {
                int threads;
                const std::vector<int32_t>& order;
                const char* name;
            } cases[] = {{1, reversed, "reversed, 1 thread"},
                         {3, forward, "in order, 3 threads"},
                         {3, reversed, "reversed, 3 threads"},
                         {2, interleaved, "interleaved, 2 threads"}};
            for (const auto& c : cases)
                EXPECT_TRUE(render(cache, c.threads, c.order) == expected) << c.name << ", " << budgetTiles << " tiles";
            for (const int threads : {1, 2, 3})
                EXPECT_TRUE(renderBands(cache, threads) == expected) << "bands, " << threads << " threads, "
                                                                     << budgetTiles << " tiles";
        });
        ASSERT_TRUE(result.Succeeded()) << result.result << " " << result.hostError;
    }
}
