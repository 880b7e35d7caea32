// Helpers for the tile cache tests: the host's requests since a mark, reads
// and comparisons of pixels, and an image whose pixels name their own
// position.
#pragma once

#include "testhost/TestHost.h"
#include "warp/PixelReader.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <vector>

namespace WarpTest {

constexpr int32_t kBudget = 0x100000;

// The host's log may not be cleared while a run is on, so requests are
// counted from a mark taken before the reads under test.
class RequestLog {
public:
    explicit RequestLog(const SquelmHost::TestHost& host) : host_(host), mark_(All().size()) {}

    std::vector<SquelmHost::HostEvent> Since() const
    {
        const auto all = All();
        return {all.begin() + std::ptrdiff_t(mark_), all.end()};
    }

private:
    std::vector<SquelmHost::HostEvent> All() const
    {
        return host_.Log().OfKind(SquelmHost::EventKind::AdvanceState);
    }

    const SquelmHost::TestHost& host_;
    size_t mark_;
};

// Reads as the sampler does, through a reader of its own: nothing is kept
// from one read to the next, so the cache's own loads and evictions decide.
inline const uint8_t* PixelOf(HuxPixelSource& source, int32_t x, int32_t y) { return PixelReader(source).PixelAt(x, y); }
inline uint8_t MaskOf(HuxPixelSource& source, int32_t x, int32_t y) { return PixelReader(source).MaskAt(x, y); }

inline void ExpectPixel(const uint8_t* actual, const uint8_t* expected, const char* where)
{
    EXPECT_EQ(actual[0], expected[0]) << where;
    EXPECT_EQ(actual[1], expected[1]) << where;
    EXPECT_EQ(actual[2], expected[2]) << where;
}

// Red = column, green = row: every pixel of a small image names its position.
inline SquelmHost::RgbImage PositionImage(int width, int height)
{
    SquelmHost::RgbImage image(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            image.Set(x, y, uint8_t(x), uint8_t(y), uint8_t(x ^ y));
    }
    return image;
}

} // namespace WarpTest
