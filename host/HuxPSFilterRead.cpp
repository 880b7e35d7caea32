// Requests to the host and the copying of the delivered rows into images.
#include "host/HuxPSFilter.h"

#include "host/HuxPSDelivery.h"
#include "host/HuxPSDisplayPixels.h"
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

// Every plane the document shows with, colour and transparency.
void HuxPSFilter::RequestRects(const HuxRect& in, const HuxRect& mask, int scale)
{
    HuxPSRequest request{in, mask, {}, scale};
    request.planes = HuxPSShownPlanes(Document());
    HuxPSSetRequest(RequireRecord(), request);
    AdvanceState();
}

// Only an 8-bit RGB image can stay in the host's order; any other is shown
// as the screen shows it, whatever `swap` says.
void HuxPSFilter::ReadInput(const HuxRect& rect, int scale, HuxImage2& image, HuxPointI origin, bool swap)
{
    CheckFits(rect, image, origin, 24);
    RequestRects(rect, {}, scale);
    if (rect.IsEmpty())
        return;
    const PS::FilterRecord& record = RequireRecord();
    const HuxPSDocument document = Document();
    const int32_t hostPixelBytes = HuxPSShownPixelBytes(document);
    const uint8_t* source = HuxPSDeliveredRows(record.inData, record.inRowBytes, rect, hostPixelBytes);
    const bool plain = document.kind == kHuxPSFlatRgb8.kind && !swap;
    for (int32_t row = 0; row < rect.Height(); ++row, source += record.inRowBytes) {
        uint8_t* to = image.PixelAddress(origin.x, origin.y + row);
        if (plain)
            HuxPSCopyPixels(source, to, rect.Width(), false);
        else
            HuxPSShowRow(document, source, to, rect.Width(), rect.left, rect.top + row);
    }
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
