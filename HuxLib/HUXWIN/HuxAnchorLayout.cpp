#include "HuxLib/HUXWIN/HuxAnchorLayout.h"

#include <algorithm>

#include "HuxLib/HUXWIN/HuxDpiScaling.h"

HuxRect HuxAnchoredRect(const HuxRect& rect, HuxAnchor anchor, HuxPointI templateSize, HuxPointI clientSize)
{
    const int32_t dx = std::max(clientSize.x - templateSize.x, 0);
    const int32_t dy = std::max(clientSize.y - templateSize.y, 0);
    switch (anchor) {
    case HuxAnchor::TopLeft: break;
    case HuxAnchor::TopWide: return {rect.left, rect.top, rect.right + dx, rect.bottom};
    case HuxAnchor::Fill: return {rect.left, rect.top, rect.right + dx, rect.bottom + dy};
    case HuxAnchor::BottomLeft: return HuxRectOffset(rect, 0, dy);
    case HuxAnchor::BottomRight: return HuxRectOffset(rect, dx, dy);
    }
    return rect;
}

HuxRect HuxAnchoredRectAtDpi(const HuxRect& rect, HuxAnchor anchor, HuxPointI templateSize, HuxPointI clientSize,
                             int layoutDpi, int dpi)
{
    return HuxAnchoredRect(HuxScaleRectForDpi(rect, layoutDpi, dpi), anchor,
                           HuxScalePointForDpi(templateSize, layoutDpi, dpi), clientSize);
}
