#include "ui/HuxPSPreviewLocator.h"

#include <algorithm>

namespace {

// low' + (v - low) * extent' / extent in 64 bits; an extent of zero (a
// thumbnail or filter rectangle without width) counts as one.
int32_t Carry(int32_t v, int32_t fromLow, int32_t fromHigh, int32_t toLow, int32_t toHigh)
{
    const int64_t span = fromHigh != fromLow ? int64_t(fromHigh) - fromLow : 1;
    return int32_t((int64_t(v) - fromLow) * (int64_t(toHigh) - toLow) / span + toLow);
}

HuxPointI Centre(const HuxRect& r)
{
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

// Shifts the rectangle inside the filter rectangle in the order right,
// bottom, left, top, then cuts what is still too large.
HuxRect KeepInside(HuxRect r, const HuxRect& f)
{
    if (r.right > f.right)
        r = HuxRectOffset(r, f.right - r.right, 0);
    if (r.bottom > f.bottom)
        r = HuxRectOffset(r, 0, f.bottom - r.bottom);
    if (r.left < f.left)
        r = HuxRectOffset(r, f.left - r.left, 0);
    if (r.top < f.top)
        r = HuxRectOffset(r, 0, f.top - r.top);
    r.right = std::min(r.right, f.right);
    r.bottom = std::min(r.bottom, f.bottom);
    return r;
}

} // namespace

HuxRect HuxPSLocatorWindowRect(HuxPointI press, HuxPointI thumbnailSize, HuxPointI frameBorder)
{
    const int32_t width = thumbnailSize.x + 2 * frameBorder.x;
    const int32_t height = thumbnailSize.y + 2 * frameBorder.y;
    const int32_t left = press.x - width / 2;
    const int32_t top = press.y - height / 2;
    return {left, top, left + width, top + height};
}

HuxPointI HuxPSImageToPopup(HuxPointI image, const HuxRect& f, const HuxRect& c)
{
    return {Carry(image.x, f.left, f.right, c.left, c.right), Carry(image.y, f.top, f.bottom, c.top, c.bottom)};
}

HuxPointI HuxPSPopupToImage(HuxPointI popup, const HuxRect& f, const HuxRect& c)
{
    return {Carry(popup.x, c.left, c.right, f.left, f.right), Carry(popup.y, c.top, c.bottom, f.top, f.bottom)};
}

HuxRect HuxPSImageToPopup(const HuxRect& image, const HuxRect& f, const HuxRect& c)
{
    const HuxPointI topLeft = HuxPSImageToPopup(HuxPointI{image.left, image.top}, f, c);
    const HuxPointI bottomRight = HuxPSImageToPopup(HuxPointI{image.right, image.bottom}, f, c);
    return {topLeft.x, topLeft.y, bottomRight.x, bottomRight.y};
}

HuxPSLocatorFrame::HuxPSLocatorFrame(const HuxRect& filterRect, const HuxRect& viewRect, const HuxRect& popupClient)
    : filterRect_(filterRect),
      startView_(viewRect),
      popupClient_(popupClient),
      viewRect_(viewRect),
      frameRect_(HuxPSImageToPopup(viewRect, filterRect, popupClient)),
      startCentre_(Centre(frameRect_))
{
}

// The frame's move in popup pixels is carried into image pixels as one
// distance, not by mapping the moved frame's corners back: the corners'
// two truncations would shift a view that does not sit on a thumbnail
// pixel even when the cursor has not moved.
void HuxPSLocatorFrame::MoveTo(HuxPointI cursor)
{
    const int32_t dx = Carry(cursor.x - startCentre_.x, 0, popupClient_.Width(), 0, filterRect_.Width());
    const int32_t dy = Carry(cursor.y - startCentre_.y, 0, popupClient_.Height(), 0, filterRect_.Height());
    viewRect_ = KeepInside(HuxRectOffset(startView_, dx, dy), filterRect_);
    frameRect_ = HuxPSImageToPopup(viewRect_, filterRect_, popupClient_);
}
