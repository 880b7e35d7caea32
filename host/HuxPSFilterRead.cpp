// Requests to the host and the copying of the delivered rows into images.
#include "host/HuxPSFilter.h"

#include "host/HuxPSDelivery.h"
#include "host/HuxPSRect.h"

#include <algorithm>
#include <stdexcept>

namespace {

constexpr int kMaxScale = 0x7FFF; // the rate is a 16.16 fixed-point number

PS::Fixed RateForScale(int scale)
{
    if (scale < 1 || scale > kMaxScale)
        throw std::out_of_range("sampling rate");
    return PS::Fixed(scale) << 16;
}

// The destination must hold the whole rectangle at origin: a caller's slip
// must not write past the image.
void CheckFits(const HuxRect& rect, const HuxImage2& image, HuxPointI origin, int depth)
{
    if (image.BitsPerPixel() != depth || rect.Width() < 0 || rect.Height() < 0 || origin.x < 0 || origin.y < 0 ||
        int64_t(origin.x) + rect.Width() > image.Width() || int64_t(origin.y) + rect.Height() > image.AbsHeight())
        throw std::out_of_range("read rectangle does not fit the image");
}

void CopyPixels(const uint8_t* source, uint8_t* destination, int32_t count, bool swap)
{
    for (int32_t x = 0; x < count; ++x, source += 3, destination += 3) {
        destination[0] = swap ? source[2] : source[0];
        destination[1] = source[1];
        destination[2] = swap ? source[0] : source[2];
    }
}

} // namespace

// Every request asks for planes 0 to 2 together: some hosts ignore the
// plane range and deliver them interleaved anyway.
void HuxPSFilter::RequestRects(const HuxRect& in, const HuxRect& mask, int scale)
{
    PS::FilterRecord& record = RequireRecord();
    const PS::Fixed rate = RateForScale(scale);
    record.inRect = HuxToHostRect(in);
    record.outRect = {};
    record.maskRect = HuxToHostRect(mask);
    record.inLoPlane = 0;
    record.inHiPlane = 2;
    record.inputRate = rate;
    record.maskRate = rate;
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
        CopyPixels(source, image.PixelAddress(origin.x, origin.y + row), rect.Width(), swap);
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
