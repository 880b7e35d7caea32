// The source tiles worked out from a pixel's corners hold every tile the
// sampler then reads: for every edge mode and interpolation, with corners
// inside, across and far outside the image, tiny and huge quadrilaterals,
// corners on whole pixels, and a masked render's read of the pixel itself;
// and the box of a row of pixels against the plain box of each.
#include "effect/ReadPieces.h"
#include "warp/HuxPSNonLinearTextureMapper.h"
#include "warp/WarpHarness.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <iterator>
#include <limits>
#include <random>
#include <string>
#include <vector>

using HuxGeometry::HuxPoint2D;

namespace {

constexpr int32_t kWidth = 100, kHeight = 60, kTile = 16;

// Notes the tile of every position read and hands out a black pixel that is
// not selected, so that a masked render reads the pixel itself too.
class ReadRecorder final : public HuxPixelSource {
public:
    explicit ReadRecorder(const HuxPSTileCache& cache) : cache_(cache) {}

    HuxPixelLayout Layout() const override { return HuxRgb8::kLayout; }
    HuxRect Bounds() const override { return cache_.Bounds(); }
    HuxPixelBlock BlockAt(int32_t x, int32_t y) override
    {
        tiles.push_back(cache_.TileIndexAt(x, y));
        HuxPixelBlock block;
        block.pixels = black_;
        block.mask = &unselected_;
        block.rowBytes = 3;
        block.maskRowBytes = 1;
        block.left = x;
        block.top = y;
        block.width = block.height = 1;
        return block;
    }
    const uint8_t* OutsidePixel(int32_t x, int32_t y) override
    {
        int32_t index = -1;
        uint32_t offset = 0;
        cache_.OutsideSource(x, y, index, offset);
        if (index >= 0)
            tiles.push_back(index);
        return black_;
    }
    bool HasMask() const override { return true; }
    bool SwapsRedAndBlue() const override { return false; }

    std::vector<int32_t> tiles;

private:
    const HuxPSTileCache& cache_;
    const uint8_t black_[3] = {0, 0, 0};
    const uint8_t unselected_ = 0;
};

// The four corners of one pixel, as the mapping a corner table is filled from.
struct FixedCorners {
    HuxPoint2D top[2], bottom[2];
    double topY;
    void MapCorners(double, double y, int32_t, HuxPoint2D* out) const
    {
        const HuxPoint2D* row = y == topY ? top : bottom;
        out[0] = row[0];
        out[1] = row[1];
    }
};

} // namespace

TEST(SourceFootprintTest, HoldsEveryTileTheSamplerReads)
{
    SquelmHost::TestHost host(&WarpTest::HarnessEntry);
    host.SetImage(WarpTest::NoiseImage(kWidth, kHeight, 3));
    const PSPlimInterpolation interpolations[] = {PSPlimInterpolation::Nearest, PSPlimInterpolation::Bilinear,
                                                  PSPlimInterpolation::Adaptive};
    const double sizes[] = {0.3, 1.0, 3.0, 40.0, 400.0};
    for (int32_t edge = 0; edge < 4; ++edge) {
        WarpTest::CacheSetup setup;
        setup.edgeMode = edge;
        setup.tileSize = kTile;
        const auto result = WarpTest::RunWithCache(host, setup, [&](HuxPSTileCache& cache) {
            const SourceFootprint footprint(cache);
            for (const PSPlimInterpolation interpolation : interpolations) {
                HuxPSNonLinearTextureMapper mapper;
                mapper.SetInterpolationMode(interpolation);
                const uint32_t seed = uint32_t(100 * edge + int(interpolation));
                std::mt19937 random(seed);
                std::uniform_real_distribution<double> unit(0.0, 1.0);
                for (int trial = 0; trial < 400; ++trial) {
                    // Corners around a centre in and beyond the image; every
                    // fourth on whole pixels, where rounding decides.
                    const double size = sizes[trial % 5];
                    const double cx = -60.0 + unit(random) * (kWidth + 120.0);
                    const double cy = -60.0 + unit(random) * (kHeight + 120.0);
                    auto corner = [&] {
                        HuxPoint2D p{cx + (unit(random) - 0.5) * size, cy + (unit(random) - 0.5) * size};
                        if (trial % 4 == 0)
                            p = {std::round(p.x), std::round(p.y)};
                        return p;
                    };
                    const DestinationTile tile{nullptr, trial % kWidth, trial % kHeight,
                                               trial % kWidth + 1, trial % kHeight + 1};
                    const FixedCorners corners{{corner(), corner()}, {corner(), corner()}, tile.top - 0.5};
                    CornerTable table;
                    table.Reset(tile);
                    table.MapRows(corners, 0, 2);
                    for (const bool masked : {false, true}) {
                        uint8_t out[3];
                        DestinationTile into = tile;
                        into.data = out;
                        into.rowStride = 3;
                        ReadRecorder recorder(cache);
                        if (masked)
                            mapper.RenderTileMasked(recorder, into, table);
                        else
                            mapper.RenderTile(recorder, into, table);
                        const HuxRect reads =
                            PieceReads(table, tile, {tile.left, tile.top, tile.right, tile.bottom}, masked,
                                       SingleSampleSquared(mapper.SampleDensity(), mapper.SampleCountBias()),
                                       footprint);
                        for (const int32_t index : recorder.tiles) {
                            const int32_t column = index % cache.TilesAcross(), row = index / cache.TilesAcross();
                            ASSERT_TRUE(column >= reads.left && column < reads.right && row >= reads.top &&
                                        row < reads.bottom)
                                << "edge mode " << edge << ", seed " << seed << ", trial " << trial << ", masked "
                                << masked << ": tile (" << column << ", " << row << ") read outside columns "
                                << reads.left << ".." << reads.right << ", rows " << reads.top << ".." << reads.bottom;
                        }
                    }
                }
            }
        });
        ASSERT_TRUE(result.Succeeded()) << result.result << " " << result.hostError;
    }
}

namespace {

// The box of one pixel as plainly written: the centre, or every corner
// widened by its margin.
CornerBox PlainPixelBox(const HuxPoint2D& tl, const HuxPoint2D& tr, const HuxPoint2D& bl, const HuxPoint2D& br,
                        double singleSquared)
{
    CornerBox box;
    const auto add = [&box](const HuxPoint2D& p, double marginX, double marginY) {
        box.minX = std::min(box.minX, p.x - marginX);
        box.maxX = std::max(box.maxX, p.x + marginX);
        box.minY = std::min(box.minY, p.y - marginY);
        box.maxY = std::max(box.maxY, p.y + marginY);
        box.wildX = box.wildX || !std::isfinite(p.x);
        box.wildY = box.wildY || !std::isfinite(p.y);
    };
    const double topX = tl.x - tr.x, topY = tl.y - tr.y, leftX = tl.x - bl.x, leftY = tl.y - bl.y;
    if (topX * topX + topY * topY < singleSquared && leftX * leftX + leftY * leftY < singleSquared) {
        add({0.5 * (0.5 * tl.x + 0.5 * tr.x) + 0.5 * (0.5 * bl.x + 0.5 * br.x),
             0.5 * (0.5 * tl.y + 0.5 * tr.y) + 0.5 * (0.5 * bl.y + 0.5 * br.y)},
            0.0, 0.0);
        return box;
    }
    for (const HuxPoint2D* p : {&tl, &tr, &bl, &br})
        add(*p, 1e-9 * (1.0 + std::fabs(p->x)), 1e-9 * (1.0 + std::fabs(p->y)));
    return box;
}

} // namespace

// A row's box, both axes at once, pixel by pixel and through every row
// kernel this processor runs, against the pixels' boxes written out
// plainly, on rows of random and adversarial corners and of every length up
// to 9 (equal as numbers: the sign of a zero bound reads no other tile).
TEST(SourceFootprintTest, RowBoxEqualsPlainPixelBoxes)
{
    const double inf = std::numeric_limits<double>::infinity(), nan = std::numeric_limits<double>::quiet_NaN();
    const double odd[] = {nan, inf, -inf, 0.0, -0.0, 1e300, -1e300, 0.5, 1073741824.0};
    const double singles[] = {-1.0, 0.25, 1.21, 4.0};
    std::vector<SampleExtentKernel> kernels = SampleExtentKernels::Available();
    kernels.insert(kernels.begin(), nullptr);
    for (uint32_t seed = 1; seed <= 300; ++seed) {
        std::mt19937 random(seed);
        std::uniform_real_distribution<double> jitter(-0.8, 0.8);
        const int32_t count = 1 + int32_t(seed % 9);
        std::vector<HuxPoint2D> above(size_t(count) + 1), below(size_t(count) + 1);
        for (int32_t k = 0; k <= count; ++k) {
            above[size_t(k)] = {k + jitter(random), 5.0 + jitter(random)};
            below[size_t(k)] = {k + jitter(random), 6.0 + jitter(random)};
        }
        // Every third row gets a wild coordinate somewhere.
        if (seed % 3 == 0)
            (seed % 2 ? below : above)[random() % (count + 1)].x = odd[random() % std::size(odd)];
        if (seed % 5 == 0)
            above[random() % (count + 1)].y = odd[random() % std::size(odd)];
        const double single = singles[seed % std::size(singles)];
        CornerBox plain;
        for (int32_t k = 0; k < count; ++k)
            plain.Add(PlainPixelBox(above[size_t(k)], above[size_t(k) + 1], below[size_t(k)], below[size_t(k) + 1],
                                    single));
        for (size_t kernel = 0; kernel < kernels.size(); ++kernel) {
            CornerBox row;
            row.AddRow(above.data(), below.data(), count, single, kernels[kernel]);
            const std::string replay = std::string("--gtest_filter=SourceFootprintTest.RowBoxEqualsPlainPixelBoxes, seed ")
                                           .append(std::to_string(seed))
                                           .append(", kernel ")
                                           .append(std::to_string(kernel));
            EXPECT_EQ(row.wildX, plain.wildX) << replay;
            EXPECT_EQ(row.wildY, plain.wildY) << replay;
            EXPECT_EQ(row.minX, plain.minX) << replay;
            EXPECT_EQ(row.maxX, plain.maxX) << replay;
            EXPECT_EQ(row.minY, plain.minY) << replay;
            EXPECT_EQ(row.maxY, plain.maxY) << replay;
        }
    }
}
