#include "host/HuxPSRequest.h"

#include <limits>
#include <stdexcept>

const char* const kHuxPSImageTooLarge =
    "The image is too large for this host: it needs coordinates beyond 32767 pixels, "
    "and the host offers only 16-bit ones.";

namespace {

constexpr int32_t kMaxScale = 0x7FFF; // the rate is a 16.16 fixed-point number
constexpr int32_t kLimit16 = std::numeric_limits<int16_t>::max();

bool Fits16(int32_t v) { return v >= std::numeric_limits<int16_t>::min() && v <= kLimit16; }

bool Fits16(const HuxRect& r) { return Fits16(r.left) && Fits16(r.top) && Fits16(r.right) && Fits16(r.bottom); }

PS::Rect To16(const HuxRect& r)
{
    return {int16_t(r.top), int16_t(r.left), int16_t(r.bottom), int16_t(r.right)};
}

PS::VRect To32(const HuxRect& r) { return {r.top, r.left, r.bottom, r.right}; }

HuxRect From16(const PS::Rect& r) { return {r.left, r.top, r.right, r.bottom}; }

HuxRect From32(const PS::VRect& r) { return {r.left, r.top, r.right, r.bottom}; }

// A 16-bit rectangle for a host without 32-bit fields; one it cannot hold
// would wrap into another rectangle, so the user is told instead.
PS::Rect Checked16(const HuxRect& r)
{
    if (!Fits16(r))
        throw kHuxPSImageTooLarge;
    return To16(r);
}

// Beside the 32-bit fields, the 16-bit ones carry the rectangle when it fits
// (hosts that offer bigDocumentData but read the old fields still work for
// documents of ordinary size) and nothing when it does not, so that such a
// host delivers no data rather than a wrong rectangle.
PS::Rect Shadow16(const HuxRect& r) { return Fits16(r) ? To16(r) : PS::Rect{}; }

} // namespace

// Some hosts pass a bigDocumentData block that they never fill: an empty
// 32-bit filter rectangle beside a non-empty 16-bit one means the old fields
// are the ones that hold the document.
bool HuxPSUsesBigDocument(const PS::FilterRecord& record)
{
    const PS::BigDocumentStruct* big = record.bigDocumentData;
    if (!big)
        return false;
    return !From32(big->filterRect32).IsEmpty() || From16(record.filterRect).IsEmpty();
}

void HuxPSAnnounceCoordinates(PS::FilterRecord& record)
{
    if (HuxPSUsesBigDocument(record))
        record.bigDocumentData->PluginUsing32BitCoordinates = 1;
}

// A host with 16-bit fields only cannot describe a side of 32768 pixels or
// more; hosts cut such sizes to the largest value the field holds (or let it
// wrap negative), so a size at that limit cannot be trusted.
HuxRect HuxPSFilterRectOf(const PS::FilterRecord& record)
{
    if (HuxPSUsesBigDocument(record))
        return From32(record.bigDocumentData->filterRect32);
    const PS::Point size = record.imageSize;
    const PS::Rect& f = record.filterRect;
    if (size.h < 0 || size.v < 0 || size.h == kLimit16 || size.v == kLimit16 || f.right == kLimit16 ||
        f.bottom == kLimit16)
        throw kHuxPSImageTooLarge;
    return From16(f);
}

PS::Fixed HuxPSRateForScale(int32_t scale)
{
    if (scale < 1 || scale > kMaxScale)
        throw std::out_of_range("sampling rate");
    return PS::Fixed(scale) << 16;
}

void HuxPSSetRequest(PS::FilterRecord& record, const HuxPSRequest& request)
{
    const PS::Fixed rate = HuxPSRateForScale(request.scale);
    if (HuxPSUsesBigDocument(record)) {
        PS::BigDocumentStruct& big = *record.bigDocumentData;
        big.inRect32 = To32(request.in);
        big.maskRect32 = To32(request.mask);
        big.outRect32 = To32(request.out);
        record.inRect = Shadow16(request.in);
        record.maskRect = Shadow16(request.mask);
        record.outRect = Shadow16(request.out);
    } else {
        record.inRect = Checked16(request.in);
        record.maskRect = Checked16(request.mask);
        record.outRect = Checked16(request.out);
    }
    record.inLoPlane = 0;
    record.inHiPlane = int16_t(request.planes - 1);
    record.outLoPlane = 0;
    record.outHiPlane = int16_t(request.planes - 1);
    record.inputRate = rate;
    record.maskRate = rate;
}
