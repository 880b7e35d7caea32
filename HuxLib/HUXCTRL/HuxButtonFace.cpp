#include "HuxLib/HUXCTRL/HuxButtonFace.h"
#include "HuxLib/HUXIMAGE/HuxDIBBuffer.h"

#include <algorithm>
#include <cstdlib>
#include <limits>
#include <new>
#include <stdexcept>

namespace {

constexpr int kNear = 7;
constexpr int kDarkLimit = 184;

void RequireTrueColour(const HuxDIBBuffer& source)
{
    if (source.BitsPerPixel() != 24)
        throw std::invalid_argument("button face: the source must be a 24-bit picture");
}

bool AllNear(const uint8_t* bgr, int level)
{
    return std::abs(bgr[0] - level) <= kNear && std::abs(bgr[1] - level) <= kNear &&
           std::abs(bgr[2] - level) <= kNear;
}

bool IsDark(const uint8_t* bgr) { return bgr[0] <= kDarkLimit || bgr[1] <= kDarkLimit || bgr[2] <= kDarkLimit; }

void Put(uint8_t* bgr, HuxColourRef colour)
{
    bgr[0] = HuxBlueOf(colour);
    bgr[1] = HuxGreenOf(colour);
    bgr[2] = HuxRedOf(colour);
}

} // namespace

void HuxMapSystemColours(const HuxDIBBuffer& source, HuxDIBBuffer& face, const HuxButtonFaceColours& colours)
{
    RequireTrueColour(source);
    const int32_t width = source.Width(), height = source.AbsHeight();
    face.Create(width, -height, 24, nullptr);
    for (int32_t y = 0; y < height; ++y) {
        const uint8_t* in = source.PixelAddress(0, y);
        uint8_t* out = face.PixelAddress(0, y);
        for (int32_t x = 0; x < width; ++x, in += 3, out += 3) {
            if (AllNear(in, 255))
                Put(out, colours.highlight);
            else if (AllNear(in, 192))
                Put(out, colours.face);
            else if (AllNear(in, 128))
                Put(out, colours.shadow);
            else
                std::copy_n(in, 3, out);
        }
    }
}

void HuxEmboss(const HuxDIBBuffer& source, HuxDIBBuffer& disabledFace, const HuxButtonFaceColours& colours)
{
    RequireTrueColour(source);
    const int32_t width = source.Width(), height = source.AbsHeight();
    if (width == std::numeric_limits<int32_t>::max() || height == std::numeric_limits<int32_t>::max())
        throw std::bad_alloc();
    disabledFace.Create(width + 1, -(height + 1), 24, nullptr);
    auto darkAt = [&](int32_t x, int32_t y) {
        return x >= 0 && y >= 0 && x < width && y < height && IsDark(source.PixelAddress(x, y));
    };
    for (int32_t y = 0; y <= height; ++y) {
        uint8_t* out = disabledFace.PixelAddress(0, y);
        for (int32_t x = 0; x <= width; ++x, out += 3) {
            if (darkAt(x, y))
                Put(out, colours.shadow);
            else if (darkAt(x - 1, y - 1))
                Put(out, colours.highlight);
            else
                Put(out, colours.face);
        }
    }
}
