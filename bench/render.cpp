// Final-render throughput: a 4096 x 3072 RGB image warped tile by tile
// (128 x 128, as the final render does) through the test host's tile cache,
// on an undeformed and on a reproducibly deformed 52 x 52-point grid.
//
// Prints, per case, megapixels per second of processor time (best of a few runs), the lookups
// (MapPoint calls), failed triangle tests per lookup, tiles loaded and the
// peak memory; ends with one summary line per case.
#include "warp/GridRender.h"
#include "warp/WarpHarness.h"

#include <sys/resource.h>

#include <algorithm>
#include <ctime>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr int kWidth = 4096;
constexpr int kHeight = 3072;
constexpr int kTile = 128;
constexpr int kRuns = 5;
constexpr uint32_t kSeed = 20261208;

struct Case {
    const char* name;
    bool deformed;
    int interpolation;
};

struct Measurement {
    double megapixelsPerSecond = 0.0;
    long lookups = 0;
    long failedTests = 0;
    long tilesLoaded = 0;
    uint32_t checksum = 0;
};

// A smooth picture with fine detail, so that cached tiles matter and the
// samplers see real gradients.
SquelmHost::RgbImage BenchImage()
{
    SquelmHost::RgbImage image(kWidth, kHeight);
    uint32_t noise = kSeed;
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            noise = noise * 1664525u + 1013904223u;
            image.Set(x, y, uint8_t(x * 255 / kWidth), uint8_t(y * 255 / kHeight), uint8_t((x ^ y) + (noise >> 28)));
        }
    }
    return image;
}

// Processor time of this thread: the machine is shared with builds, and
// wall-clock time would charge their work to the render.
double ThreadSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) * 1e-9;
}

long PeakMemoryKilobytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// One final render: a fresh cache, every tile into one packed buffer.
Measurement RenderOnce(HuxPSFilter& filter, PSPlimGrid& grid, const Case& c)
{
    HuxPSTileCache cache(&filter, 1);
    cache.Configure(kTile, kTile, 0, false, 0x100000);
    cache.SetEdge(0, 0);
    PSPlimGridMapping mapping(grid);
    mapping.SetRectangle(cache.ScaledRect());
    HuxPSNonLinearTextureMapper mapper;
    mapper.SetInterpolationMode(static_cast<PSPlimInterpolation>(c.interpolation));
    grid.ClearCounters();
    std::vector<uint8_t> buffer(kTile * kTile * 3);

    Measurement m;
    const double start = ThreadSeconds();
    for (int32_t y0 = 0; y0 < kHeight; y0 += kTile) {
        for (int32_t x0 = 0; x0 < kWidth; x0 += kTile) {
            DestinationTile tile;
            tile.data = buffer.data();
            tile.left = x0;
            tile.top = y0;
            tile.right = std::min(x0 + kTile, kWidth);
            tile.bottom = std::min(y0 + kTile, kHeight);
            tile.rowStride = tile.Width() * 3;
            mapper.RenderTile(cache, tile, mapping);
            for (size_t i = 0; i < buffer.size(); i += 97)
                m.checksum = m.checksum * 31 + buffer[i];
        }
    }
    const double seconds = ThreadSeconds() - start;
    m.megapixelsPerSecond = double(kWidth) * kHeight / 1e6 / seconds;
    m.lookups = grid.LookupCounter();
    m.failedTests = grid.FailedTestCounter();
    m.tilesLoaded = long(cache.LoadCount());
    return m;
}

void Report(const Case& c, const Measurement& m)
{
    std::printf("%-24s %7.2f MP/s  lookups %ld  failed tests/lookup %.4f  tiles loaded %ld  checksum %08x\n",
                c.name, m.megapixelsPerSecond, m.lookups, m.lookups ? double(m.failedTests) / m.lookups : 0.0,
                m.tilesLoaded, m.checksum);
}

} // namespace

// An argument limits the run to the cases whose name contains it.
int main(int argc, char** argv)
{
    const std::string only = argc > 1 ? argv[1] : "";
    const Case cases[] = {
        {"render-undeformed-mode0", false, 0},
        {"render-deformed-mode0", true, 0},
        {"render-deformed-mode1", true, 1},
    };
    std::vector<std::string> summary;

    SquelmHost::TestHost host(&WarpTest::HarnessEntry);
    host.SetImage(BenchImage());
    const auto result = WarpTest::RunInStart(host, [&](HuxPSFilter& filter) {
        PSPlimGrid undeformed, deformed;
        WarpTest::ResetGrid(undeformed, kWidth, kHeight, 52);
        WarpTest::ResetGrid(deformed, kWidth, kHeight, 52);
        deformed.SetEdgeMode(PSPlimEdgeMode::Fixed);
        // Default tool power, sizes around the default, typical mouse moves.
        const WarpTest::Strokes strokes;
        WarpTest::DeformGrid(deformed, kSeed, strokes);
        std::printf("deformed grid: %d applications, seed %u, folded: %s\n", strokes.count, kSeed,
                    WarpTest::MeshFolds(deformed) ? "yes" : "no");

        for (const Case& c : cases) {
            if (std::string(c.name).find(only) == std::string::npos)
                continue;
            PSPlimGrid& grid = c.deformed ? deformed : undeformed;
            Measurement best;
            for (int run = 0; run < kRuns; ++run) {
                const Measurement m = RenderOnce(filter, grid, c);
                if (m.megapixelsPerSecond > best.megapixelsPerSecond)
                    best = m;
            }
            Report(c, best);
            char line[128];
            std::snprintf(line, sizeof line, "%s: %.2f MP/s", c.name, best.megapixelsPerSecond);
            summary.push_back(line);
        }
    });
    if (!result.Succeeded()) {
        std::printf("render failed: result %d %s\n", result.result, result.hostError.c_str());
        return 1;
    }
    std::printf("peak memory: %ld KB\n", PeakMemoryKilobytes());
    for (const std::string& line : summary)
        std::printf("%s\n", line.c_str());
    return 0;
}
