// Final-render throughput: a 4096 x 3072 RGB image warped tile by tile
// (128 x 128, in bands as the final render does) through the test host's
// tile cache, on an undeformed and on a reproducibly deformed 52 x 52-point
// grid, on one thread and on all of them; the deformed case also as a
// 16-bit image and as a layer with editable transparency.
//
// Prints, per case, megapixels per second (best of a few runs; of processor
// time on one thread, of wall-clock time on several), the lookups
// (MapPoint calls), failed triangle tests per lookup, tiles loaded and the
// peak memory; ends with one summary line per case, and for the other
// documents their time per pixel relative to 8-bit RGB's.
#include "effect/PSPlimTileRender.h"
#include "warp/GridRender.h"
#include "warp/WarpHarness.h"

#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <ctime>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

namespace {

constexpr int kWidth = 4096;
constexpr int kHeight = 3072;
constexpr int kTile = 128;
constexpr int kRuns = 5;
constexpr uint32_t kSeed = 20261208;

// The documents: 8-bit RGB, and the same picture at 16 bits and as a layer.
enum class Kind { Rgb8, Rgb16, Rgba8 };

struct Case {
    const char* name;
    bool deformed;
    int interpolation;
    Kind kind = Kind::Rgb8;
};

struct Measurement {
    double megapixelsPerSecond = 0.0;
    double megapixelsPerProcessSecond = 0.0; // of all threads' processor time
    long lookups = 0;
    long failedTests = 0;
    long tilesLoaded = 0;
    uint32_t checksum = 0;
};

// A smooth picture with fine detail, so that cached tiles matter and the
// samplers see real gradients. At 16 bits each sample is v * 32768 / 255;
// the layer's transparency is a ramp across with a transparent band.
SquelmHost::HostImage BenchImage(Kind kind)
{
    using namespace SquelmHost;
    HostImage image(kWidth, kHeight, ColourSpace::RGB, kind == Kind::Rgb16 ? 16 : 8,
                    kind == Kind::Rgba8 ? Transparency::Editable : Transparency::None);
    uint32_t noise = kSeed;
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            noise = noise * 1664525u + 1013904223u;
            const uint32_t rgb[3] = {uint32_t(x * 255 / kWidth), uint32_t(y * 255 / kHeight),
                                     uint32_t(uint8_t((x ^ y) + (noise >> 28)))};
            for (int p = 0; p < 3; ++p)
                image.SetSample(x, y, p, (rgb[p] * image.White() + 127) / 255);
            if (kind == Kind::Rgba8)
                image.SetSample(x, y, 3, (x / 64) % 8 == 3 ? 0 : uint32_t(x * 255 / kWidth));
        }
    }
    return image;
}

HuxPSDocument DocumentOf(Kind kind)
{
    HuxPSDocument document = kHuxPSFlatRgb8;
    if (kind == Kind::Rgb16)
        document.kind.depth = 16;
    if (kind == Kind::Rgba8)
        document.kind.transparency = HuxPSTransparency::Editable;
    return document;
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

// Processor time of every thread together: what the work costs, whatever
// else the machine runs.
double ProcessSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) * 1e-9;
}

double WallSeconds()
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

// One final render as the plug-in makes it: a fresh cache, bands of tiles,
// each band checksummed on this thread while the next one is rendered.
Measurement RenderOnce(HuxPSFilter& filter, PSPlimGrid& grid, const Case& c, HuxWorkerPool& pool)
{
    HuxPSTileCache cache(&filter, 1);
    cache.Configure(kTile, kTile, 0, false, 0x100000, DocumentOf(c.kind));
    const size_t pixelBytes = size_t(cache.Layout().PixelBytes());
    cache.SetEdge(0, 0);
    HuxPSNonLinearTextureMapper mapper;
    mapper.SetInterpolationMode(static_cast<PSPlimInterpolation>(c.interpolation));
    PSPlimTileRender render(pool);
    const int threads = pool.ThreadCount();

    Measurement m;
    const double start = threads == 1 ? ThreadSeconds() : WallSeconds();
    const double processStart = ProcessSeconds();
    const auto deliver = [&](int64_t, const std::vector<DestinationTile>& band) {
        for (const DestinationTile& tile : band) {
            const size_t bytes = size_t(tile.Width()) * size_t(tile.Height()) * pixelBytes;
            for (size_t i = 0; i < bytes; i += 97)
                m.checksum = m.checksum * 31 + tile.data[i];
        }
    };
    const PSPlimTileRender::LookupCounts counts = render.RenderBands(
        mapper, PSPlimTileRender::Mode::Plain, cache, grid, cache.ScaledRect(), kTile, deliver);
    m.lookups = long(counts.lookups);
    m.failedTests = long(counts.failedTests);
    const double seconds = (threads == 1 ? ThreadSeconds() : WallSeconds()) - start;
    m.megapixelsPerSecond = double(kWidth) * kHeight / 1e6 / seconds;
    m.megapixelsPerProcessSecond = double(kWidth) * kHeight / 1e6 / (ProcessSeconds() - processStart);
    m.tilesLoaded = long(cache.LoadCount());
    return m;
}

void Report(const std::string& name, const Measurement& m)
{
    std::printf("%-32s %7.2f MP/s (%.2f per processor second)  lookups %ld  failed tests/lookup %.4f  tiles loaded %ld  checksum %08x\n",
                name.c_str(), m.megapixelsPerSecond, m.megapixelsPerProcessSecond, m.lookups, m.lookups ? double(m.failedTests) / m.lookups : 0.0,
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
        {"render-deformed-mode0-rgb16", true, 0, Kind::Rgb16},
        {"render-deformed-mode0-rgba8", true, 0, Kind::Rgba8},
    };
    std::vector<std::string> summary;
    // Megapixels per second on one thread, by case name.
    std::vector<std::pair<std::string, double>> single;

    PSPlimGrid undeformed, deformed;
    WarpTest::ResetGrid(undeformed, kWidth, kHeight, 52);
    WarpTest::ResetGrid(deformed, kWidth, kHeight, 52);
    deformed.SetEdgeMode(PSPlimEdgeMode::Fixed);
    // Default tool power, sizes around the default, typical mouse moves.
    const WarpTest::Strokes strokes;
    WarpTest::DeformGrid(deformed, kSeed, strokes);
    std::printf("deformed grid: %d applications, seed %u, folded: %s\n", strokes.count, kSeed,
                WarpTest::MeshFolds(deformed) ? "yes" : "no");
    // One thread, and every thread the machine has when that is more.
    const int allThreads = HuxWorkerPool::ThreadCountFor(nullptr, std::thread::hardware_concurrency());
    std::vector<int> threadCounts{1};
    if (allThreads > 1)
        threadCounts.push_back(allThreads);

    for (const Kind kind : {Kind::Rgb8, Kind::Rgb16, Kind::Rgba8}) {
        const bool wanted = std::any_of(std::begin(cases), std::end(cases), [&](const Case& c) {
            return c.kind == kind && std::string(c.name).find(only) != std::string::npos;
        });
        if (!wanted)
            continue;
        SquelmHost::TestHost host(&WarpTest::HarnessEntry);
        host.SetImage(BenchImage(kind));
        const auto result = WarpTest::RunInStart(host, [&](HuxPSFilter& filter) {
            for (const Case& c : cases) {
                if (c.kind != kind || std::string(c.name).find(only) == std::string::npos)
                    continue;
                PSPlimGrid& grid = c.deformed ? deformed : undeformed;
                for (const int threads : threadCounts) {
                    HuxWorkerPool pool(threads);
                    Measurement best;
                    for (int run = 0; run < kRuns; ++run) {
                        const Measurement m = RenderOnce(filter, grid, c, pool);
                        if (m.megapixelsPerSecond > best.megapixelsPerSecond)
                            best = m;
                    }
                    const std::string name = threads == 1 ? std::string(c.name)
                                                          : std::string(c.name) + "-threads" + std::to_string(threads);
                    Report(name, best);
                    char line[128];
                    std::snprintf(line, sizeof line, "%s: %.2f MP/s", name.c_str(), best.megapixelsPerSecond);
                    summary.push_back(line);
                    if (threads == 1)
                        single.emplace_back(c.name, best.megapixelsPerSecond);
                }
            }
        });
        if (!result.Succeeded()) {
            std::printf("render failed: result %d %s\n", result.result, result.hostError.c_str());
            return 1;
        }
    }
    std::printf("peak memory: %ld KB\n", PeakMemoryKilobytes());
    for (const std::string& line : summary)
        std::printf("%s\n", line.c_str());
    // Time per pixel against 8-bit RGB's on the same grid, one thread each.
    const auto rate = [&](const std::string& name) {
        for (const auto& [caseName, value] : single) {
            if (caseName == name)
                return value;
        }
        return 0.0;
    };
    for (const char* name : {"render-deformed-mode0-rgb16", "render-deformed-mode0-rgba8"}) {
        if (rate(name) > 0.0 && rate("render-deformed-mode0") > 0.0)
            std::printf("%s-relative-time: %.2f x\n", name, rate("render-deformed-mode0") / rate(name));
    }
    return 0;
}
