#include "HuxLib/HUXIMAGE/HuxImage2.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

// Lowest address of the memory block that holds picture rows first ..
// first + count - 1. In a bottom-up picture that is the last of them, so a
// block move addressed from the first row would run past the pixels.
uint8_t* HuxImage2::RowBlock(int32_t first, int32_t count) const
{
    return Height() < 0 ? PixelAddress(0, first) : PixelAddress(0, first + count - 1);
}

void HuxImage2::ScrollRows(int32_t n)
{
    const int64_t m = std::abs(int64_t(n));
    const int32_t h = AbsHeight();
    if (IsEmpty() || m >= h)
        return;
    const auto shift = static_cast<int32_t>(m);
    const int32_t kept = h - shift;
    const auto bytes = size_t(kept) * size_t(RowStride());
    if (n <= 0)
        std::memmove(RowBlock(0, kept), RowBlock(shift, kept), bytes);
    else
        std::memmove(RowBlock(shift, kept), RowBlock(0, kept), bytes);
}

void HuxImage2::ScrollColumns(int32_t n)
{
    const int64_t m = std::abs(int64_t(n));
    const int32_t w = Width();
    if (IsEmpty() || m >= w)
        return;
    const auto shift = static_cast<int32_t>(m);
    const auto bytes = size_t(int64_t(w - shift) * BitsPerPixel() / 8);
    const int32_t h = AbsHeight();
    for (int32_t y = 0; y < h; ++y) {
        if (n <= 0)
            std::memmove(PixelAddress(0, y), PixelAddress(shift, y), bytes);
        else
            std::memmove(PixelAddress(shift, y), PixelAddress(0, y), bytes);
    }
}

namespace {

// Positive extents that the drawing calls can take as 32-bit sizes.
bool HasExtent(const HuxRect& r)
{
    constexpr int64_t kMax = INT32_MAX;
    return !r.IsEmpty() && int64_t(r.right) - r.left <= kMax && int64_t(r.bottom) - r.top <= kMax;
}

} // namespace

bool HuxImage2::DrawsAnything(const HuxRect& destination, const HuxRect& source)
{
    return HasExtent(destination) && HasExtent(source);
}
