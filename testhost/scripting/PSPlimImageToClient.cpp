#include "testhost/scripting/PSPlimImageToClient.h"

#include "ui/HuxPSPreviewLocator.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kClientLimit = 1073741824.0;

// A filter rectangle of no extent maps as if it were one pixel wide.
int32_t ImageToClientAxis(double image, int32_t filterLow, int32_t filterHigh, int32_t low, int32_t high)
{
    const double filterExtent = filterHigh != filterLow ? double(filterHigh - filterLow) : 1.0;
    const double client = std::round(low + (image - filterLow) * double(high - low) / filterExtent);
    return int32_t(std::isfinite(client) ? std::clamp(client, -kClientLimit, kClientLimit) : 0.0);
}

} // namespace

HuxPointI PSPlimImageToClient(HuxGeometry::HuxPoint2D image, const HuxRect& filterRect, const HuxRect& imageRect)
{
    return {ImageToClientAxis(image.x, filterRect.left, filterRect.right, imageRect.left, imageRect.right),
            ImageToClientAxis(image.y, filterRect.top, filterRect.bottom, imageRect.top, imageRect.bottom)};
}

HuxPointI PSPlimImageToLocator(HuxGeometry::HuxPoint2D image, const HuxRect& filterRect, const HuxRect& popupClient)
{
    constexpr double kFar = 1e9;
    const HuxPointI pixel{int32_t(std::lround(std::clamp(image.x, -kFar, kFar))),
                          int32_t(std::lround(std::clamp(image.y, -kFar, kFar)))};
    return HuxPSImageToPopup(pixel, filterRect, popupClient);
}

HuxPointI PSPlimMouseMessagePoint(HuxPointI client)
{
    return {int16_t(uint16_t(uint32_t(client.x))), int16_t(uint16_t(uint32_t(client.y)))};
}
