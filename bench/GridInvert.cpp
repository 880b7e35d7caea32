// Speed of the grid's inverse lookup in the renderer's access pattern: the
// corners of a 128 x 128 tile, row by row, on a 52 x 52 grid: undeformed,
// mildly deformed, and folded over itself by a long push.
#include "grid/PSPlimGrid.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr int kTile = 128;

enum class Shape { Undeformed, Deformed, Folded };

PSPlimGrid BenchGrid(Shape shape)
{
    PSPlimGrid grid;
    grid.Reset(0.8, 0.6, 52, 52);
    if (shape == Shape::Undeformed)
        return grid;
    if (shape == Shape::Folded) {
        // Through the tile below: the content under the brush overtakes
        // the content ahead of it.
        grid.SetEdgeMode(PSPlimEdgeMode::Fixed);
        grid.Push({-0.2, 0.3}, {0.2, 0.3}, 0.25, 1.0);
        return grid;
    }
    std::mt19937 random(52);
    std::uniform_real_distribution<double> shift(-0.2, 0.2);
    const double cellW = 0.8 / 49, cellH = 0.6 / 49;
    for (int r = 2; r <= 49; ++r) {
        for (int c = 2; c <= 49; ++c) {
            grid.At(c, r).x += shift(random) * cellW;
            grid.At(c, r).y += shift(random) * cellH;
        }
    }
    return grid;
}

// Corners of one tile covering a 128 x 128 pixel block of a 1000 x 750 image.
void TileCorners(benchmark::State& state, Shape shape)
{
    PSPlimGrid grid = BenchGrid(shape);
    const double scaleX = 0.8 / 1000, scaleY = 0.6 / 750;
    const int left = 384, top = 256;
    double sink = 0.0;
    for (auto _ : state) {
        for (int j = 0; j <= kTile; ++j) {
            const double y = (top - 0.5 + j) * scaleY;
            for (int i = 0; i <= kTile; ++i)
                sink += grid.InvertPoint({(left - 0.5 + i) * scaleX, y}).x;
        }
    }
    benchmark::DoNotOptimize(sink);
    const double lookups = static_cast<double>(state.iterations()) * (kTile + 1) * (kTile + 1);
    state.counters["ns_per_lookup"] = benchmark::Counter(lookups, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    state.counters["failed_per_lookup"] = static_cast<double>(grid.FailedTestCounter()) / grid.LookupCounter();
}

// The same position again and again: the remembered triangle always hits.
void RememberedHit(benchmark::State& state)
{
    PSPlimGrid grid = BenchGrid(Shape::Deformed);
    const HuxGeometry::HuxPoint2D p{0.4012, 0.3007};
    double sink = 0.0;
    for (auto _ : state)
        sink += grid.InvertPoint(p).x;
    benchmark::DoNotOptimize(sink);
    state.counters["ns_per_lookup"] = benchmark::Counter(static_cast<double>(state.iterations()),
                                                         benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

// One lookup right after each change of the points, on a grid of the
// largest size: the lookup works out again where triangles may overlap.
void LookupAfterAChange(benchmark::State& state)
{
    PSPlimGrid grid;
    grid.Reset(0.8, 0.6, 152, 152);
    const HuxGeometry::HuxPoint2D p{0.4012, 0.3007};
    double sink = 0.0;
    for (auto _ : state) {
        grid.At(75, 75).x += 0.0; // a write access: the points count as changed
        sink += grid.InvertPoint(p).x;
    }
    benchmark::DoNotOptimize(sink);
    state.counters["ns_per_lookup"] = benchmark::Counter(static_cast<double>(state.iterations()),
                                                         benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

// Prints the usual table, then one "<case>: <value> <unit>" line per case.
class SummaryReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            const auto found = run.counters.find("ns_per_lookup");
            if (found != run.counters.end())
                lines_.push_back(run.benchmark_name() + ": " + std::to_string(found->second.value * 1e9) + " ns/lookup");
        }
    }

    void Finalize() override
    {
        ConsoleReporter::Finalize();
        for (const std::string& line : lines_)
            std::printf("%s\n", line.c_str());
    }

private:
    std::vector<std::string> lines_;
};

} // namespace

BENCHMARK_CAPTURE(TileCorners, undeformed, Shape::Undeformed);
BENCHMARK_CAPTURE(TileCorners, deformed, Shape::Deformed);
BENCHMARK_CAPTURE(TileCorners, folded, Shape::Folded);
BENCHMARK(RememberedHit);
BENCHMARK(LookupAfterAChange);

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    SummaryReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
