// Requests to the host and the copying of the delivered rows into images.
#include "host/HuxPSFilter.h"

#include "host/HuxPSDelivery.h"
#include "host/HuxPSPixels.h"
#include "host/HuxPSRequest.h"

#include <algorithm>
#include <stdexcept>

namespace {

// The destination must hold the whole rectangle at origin: a caller's slip
// must not write past the image.
void CheckFits(const HuxRect& rect, const HuxImage2& image, HuxPointI origin, int depth)
{
    if (image.BitsPerPixel() != depth || rect.Width() < 0 || rect.Height() < 0 || origin.x < 0 || origin.y < 0 ||
        int64_t(origin.x) + rect.Width() > image.Width() || int64_t(origin.y) + rect.Height() > image.AbsHeight())
        throw std::out_of_range("read rectangle does not fit the image");
}

} // namespace

void HuxPSFilter::RequestRects(const HuxRect& in, const HuxRect& mask, int scale)
{
    HuxPSSetRequest(RequireRecord(), {in, mask, {}, scale});
    AdvanceState();
}

void HuxPSFilter::ReadInput(const HuxRect& rect, int scale, HuxImage2& image, HuxPointI origin, bool swap)
{
    CheckFits(rect, image, origin, 24);
    RequestRects(rect, {}, scale);
    if (rect.IsEmpty())
        return;
    const PS::FilterRecord& record = RequireRecord();
    const uint8_t* source = HuxPSDeliveredRows(record.inData, record.inRowBytes, rect, 3);
    for (int32_t row = 0; row < rect.Height(); ++row, source += record.inRowBytes)
        HuxPSCopyPixels(source, image.PixelAddress(origin.x, origin.y + row), rect.Width(), swap);
}

void HuxPSFilter::ReadMask(const HuxRect& rect, int scale, HuxImage2& image, HuxPointI origin)
{
    CheckFits(rect, image, origin, 8);
    RequestRects({}, rect, scale);
    if (rect.IsEmpty())
        return;
    const PS::FilterRecord& record = RequireRecord();
    const uint8_t* source = HuxPSDeliveredRows(record.maskData, record.maskRowBytes, rect, 1);
    for (int32_t row = 0; row < rect.Height(); ++row, source += record.maskRowBytes)
        std::copy(source, source + rect.Width(), image.PixelAddress(origin.x, origin.y + row));
}
