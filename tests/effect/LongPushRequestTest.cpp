// How often a render through a grid pushed far along or across a long thin
// image asks the host for each source tile, counted by the test host: at
// most twice per band of output tiles that reads it plus once per gathered
// batch (PSPlimTileRender), whatever the image's orientation and the push's
// direction. A push along a tall image, either way, across it or
// diagonally needs at most twice the requests of the same push turned onto
// a wide one, and the other way round: the lookup finds the corners on the
// image's border in the ring whichever way the rounding of its thin cells
// falls, so no corner reads from the far corner of the image. (The
// proportions are those of a 200 x 10000 image in 128-pixel tiles and a
// cache of 21.)
#include "EffectTestSupport.h"

#include "effect/PSPlimTileRender.h"
#include "warp/CacheTestSupport.h"
#include "warp/GridRender.h"
#include "warp/WarpHarness.h"

#include <algorithm>
#include <map>
#include <string>

namespace {

constexpr int32_t kLong = 1250, kShort = 25, kTile = 16;
constexpr int32_t kCacheTiles = 21;

struct Loads {
    size_t total = 0;
    int mostRepeats = 0;
};

// Pushes the grid along a path given in fractions of the image's sides
// (x along the width), then renders the whole image in bands as the final
// render does, counting the source requests.
Loads PushAndRender(int32_t width, int32_t height, double x0, double y0, double x1, double y1)
{
    SquelmHost::TestHost host(&WarpTest::HarnessEntry);
    host.SetImage(WarpTest::NoiseImage(width, height, 5));
    PSPlimGrid grid;
    WarpTest::ResetGrid(grid, width, height, 52);
    constexpr int kSteps = 80;
    for (int i = 0; i < kSteps; ++i) {
        auto at = [&](int k) {
            return HuxGeometry::HuxPoint2D{grid.Width() * (x0 + (x1 - x0) * k / kSteps),
                                           grid.Height() * (y0 + (y1 - y0) * k / kSteps)};
        };
        grid.Push(at(i), at(i + 1), 0.1, 1.0);
    }
    const HuxPSNonLinearTextureMapper mapper;
    Loads loads;
    WarpTest::CacheSetup setup;
    setup.tileSize = kTile;
    setup.budget = kCacheTiles * kTile * kTile * 3;
    const auto result = WarpTest::RunWithCache(host, setup, [&](HuxPSTileCache& cache) {
        const WarpTest::RequestLog log(host);
        HuxWorkerPool pool(1);
        PSPlimTileRender render(pool);
        int bands = 0;
        render.RenderBands(mapper, PSPlimTileRender::Mode::Plain, cache, grid, cache.ScaledRect(), kTile,
                           [&](int64_t, const std::vector<DestinationTile>&) { ++bands; });
        std::map<std::pair<int32_t, int32_t>, int> perTile;
        for (const SquelmHost::HostEvent& e : log.Since()) {
            ++loads.total;
            loads.mostRepeats = std::max(loads.mostRepeats, ++perTile[{e.inRect.left, e.inRect.top}]);
        }
        // Twice per band at most, and one gathered batch (a batch holds
        // the reads of hundreds of pixels at the least).
        EXPECT_LE(loads.mostRepeats, 2 * bands + 1);
    });
    EXPECT_TRUE(result.Succeeded()) << result.result << " " << result.hostError;
    return loads;
}

} // namespace

TEST(LongPushRequestTest, EachTileLoadsABoundedNumberOfTimesWhateverTheShapeAndDirection)
{
    const struct {
        const char* name;
        double along0, across0, along1, across1; // fractions along the long side and across it
    } pushes[] = {{"along", 0.05, 0.5, 0.95, 0.5},
                  {"along, backwards", 0.95, 0.4, 0.05, 0.6},
                  {"across", 0.5, 0.0, 0.52, 1.0},
                  {"diagonally", 0.2, 0.0, 0.8, 1.0}};
    for (const auto& p : pushes) {
        SCOPED_TRACE(p.name);
        const Loads tall = PushAndRender(kShort, kLong, p.across0, p.along0, p.across1, p.along1);
        const Loads wide = PushAndRender(kLong, kShort, p.along0, p.across0, p.along1, p.across1);
        EXPECT_LE(tall.total, 2 * wide.total) << "tall " << tall.total << ", wide " << wide.total;
        EXPECT_LE(wide.total, 2 * tall.total) << "tall " << tall.total << ", wide " << wide.total;
    }
}

