// Pixel comparison with a useful report: how many pixels differ, by how
// much at most, and where the first and the worst difference lie.
#pragma once

#include <string>

#include "testhost/HostImage.h"

namespace SquelmHost {

struct ImageDifference {
    bool sizeMismatch = false;
    long differingPixels = 0;
    int largestDifference = 0; // over all channels, absolute
    int worstX = -1, worstY = -1;
    int firstX = -1, firstY = -1;

    bool Identical() const { return !sizeMismatch && differingPixels == 0; }
    // One line, e.g. "12 pixels differ, largest 40 at (3, 7), first at (0, 2)".
    std::string Describe() const;
};

// `tolerance`: channel differences up to this value count as equal. Images
// of other sizes or formats differ in size; 16-bit samples are compared
// byte by byte.
ImageDifference CompareImages(const RgbImage& expected, const RgbImage& actual, int tolerance = 0);
ImageDifference CompareImages(const GreyImage& expected, const GreyImage& actual, int tolerance = 0);

} // namespace SquelmHost
