// Speed of the grid editor control's picture decisions at one paint: the
// grid's polylines and the tool circle for a 150 x 150 grid (the largest the
// options dialog allows) on a 600 x 400 image shown in a 640 x 480 client
// area. The preview's block transfer is not part of it.
#include "grid/PSPlimGrid.h"
#include "ui/PSPlimControlLayout.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <random>
#include <vector>

namespace {

constexpr int kPoints = 152; // 150 visible and the ring
constexpr unsigned kSeed = 20261209;
constexpr int kPaints = 2000;

// A grid bent by a few hundred pushes, so that the polylines are not the
// regular lattice.
void Deform(PSPlimGrid& grid)
{
    std::mt19937 random(kSeed);
    std::uniform_real_distribution<double> x(0.0, grid.Width());
    std::uniform_real_distribution<double> y(0.0, grid.Height());
    std::uniform_real_distribution<double> step(-0.01, 0.01);
    for (int i = 0; i < 300; ++i) {
        const HuxGeometry::HuxPoint2D from{x(random), y(random)};
        grid.Push(from, {from.x + step(random), from.y + step(random)}, 0.05, 0.5);
    }
}

} // namespace

int main()
{
    const double diagonal = std::hypot(600.0, 400.0);
    PSPlimGrid grid;
    grid.Reset(600.0 / diagonal, 400.0 / diagonal, kPoints, kPoints);
    Deform(grid);

    const HuxRect client{0, 0, 640, 480};
    const HuxRect destination = PSPlimDestinationRect(client, 600, 400);
    const PSPlimClientMapping mapping{PSPlimImageRect({0, 0, 600, 400}, {0, 0, 600, 400}, destination),
                                      grid.Width(), grid.Height()};
    PSPlimPointerState pointer;
    pointer.showToolRadius = true;
    pointer.client = client;

    PSPlimPolylines lines;
    std::vector<double> microseconds;
    long checksum = 0;
    for (int paint = 0; paint < kPaints; ++paint) {
        pointer.cursor = {paint % 640, (paint * 7) % 480};
        const auto start = std::chrono::steady_clock::now();
        PSPlimGridPolylines(grid, mapping, lines);
        const PSPlimToolCircle circle = PSPlimToolCircleFor(pointer, 0.1, mapping);
        const auto end = std::chrono::steady_clock::now();
        microseconds.push_back(std::chrono::duration<double, std::micro>(end - start).count());
        checksum += lines.points[size_t(paint) % lines.points.size()].x + circle.radius;
    }
    std::sort(microseconds.begin(), microseconds.end());
    std::printf("points %zu in %zu polylines, seed %u, checksum %ld\n", lines.points.size(), lines.counts.size(),
                kSeed, checksum);
    std::printf("control-paint-decisions-p50: %.1f us\n", microseconds[microseconds.size() / 2]);
    std::printf("control-paint-decisions-p95: %.1f us\n", microseconds[microseconds.size() * 95 / 100]);
    return 0;
}
