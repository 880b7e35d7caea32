#include "testhost/ImageCompare.h"

#include <algorithm>
#include <cstdlib>
#include <sstream>

namespace SquelmHost {

namespace {

// Walks two equally sized images of `channels` bytes per pixel.
ImageDifference Compare(int width, int height, int channels, const uint8_t* expected, const uint8_t* actual,
                        int tolerance)
{
    ImageDifference diff;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            size_t at = (size_t(y) * size_t(width) + size_t(x)) * size_t(channels);
            int worst = 0;
            for (int c = 0; c < channels; ++c)
                worst = std::max(worst, std::abs(int(expected[at + c]) - int(actual[at + c])));
            if (worst <= tolerance)
                continue;
            if (diff.differingPixels++ == 0) {
                diff.firstX = x;
                diff.firstY = y;
            }
            if (worst > diff.largestDifference) {
                diff.largestDifference = worst;
                diff.worstX = x;
                diff.worstY = y;
            }
        }
    }
    return diff;
}

template <typename Image>
ImageDifference CompareSized(const Image& expected, const Image& actual, int channels, int tolerance)
{
    if (expected.width != actual.width || expected.height != actual.height ||
        expected.pixels.size() != actual.pixels.size()) {
        ImageDifference diff;
        diff.sizeMismatch = true;
        return diff;
    }
    return Compare(expected.width, expected.height, channels, expected.pixels.data(), actual.pixels.data(),
                   tolerance);
}

} // namespace

std::string ImageDifference::Describe() const
{
    if (sizeMismatch)
        return "images differ in size";
    if (differingPixels == 0)
        return "images are identical";
    std::ostringstream out;
    out << differingPixels << (differingPixels == 1 ? " pixel differs" : " pixels differ") << ", largest "
        << largestDifference << " at (" << worstX << ", " << worstY << "), first at (" << firstX << ", " << firstY
        << ")";
    return out.str();
}

ImageDifference CompareImages(const RgbImage& expected, const RgbImage& actual, int tolerance)
{
    return CompareSized(expected, actual, expected.PixelBytes(), tolerance);
}

ImageDifference CompareImages(const GreyImage& expected, const GreyImage& actual, int tolerance)
{
    return CompareSized(expected, actual, 1, tolerance);
}

} // namespace SquelmHost
