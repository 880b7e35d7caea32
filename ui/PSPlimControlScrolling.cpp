#include "ui/PSPlimControlScrolling.h"

#include <algorithm>
#include <cmath>

namespace {

PSPlimScrollBar BarFor(int32_t filterLow, int32_t filterHigh, int32_t viewLow, int32_t viewHigh)
{
    const int64_t range = int64_t(filterHigh) - filterLow;
    const int64_t page = int64_t(viewHigh) - viewLow;
    const int64_t last = std::max<int64_t>(range - page, 0);
    const int64_t position = std::clamp<int64_t>(int64_t(viewLow) - filterLow, 0, last);
    return {0, int32_t(range), int32_t(page), int32_t(position)};
}

// One axis of a pan, in image pixels, truncated as ScrollView takes it.
int32_t PanAxis(double start, double now, double gridExtent, int32_t filterExtent, int32_t viewLow, int32_t origin)
{
    if (!(gridExtent > 0.0))
        return 0;
    const double drag = (now - start) * filterExtent / gridExtent;
    const double scroll = std::trunc(-((double(viewLow) - origin) + drag));
    constexpr double kLimit = 1073741824.0;
    return std::isfinite(scroll) ? int32_t(std::clamp(scroll, -kLimit, kLimit)) : 0;
}

} // namespace

PSPlimScrollBars PSPlimScrollBarsFor(const HuxRect& f, const HuxRect& v)
{
    return {BarFor(f.left, f.right, v.left, v.right), BarFor(f.top, f.bottom, v.top, v.bottom)};
}

PSPlimScrollStep PSPlimScrollBy(const PSPlimScrollBar& bar, int code, int32_t thumbPosition)
{
    int64_t position = bar.position;
    switch (PSPlimScrollCode(code)) {
    case PSPlimScrollCode::LineUp: position -= 1; break;
    case PSPlimScrollCode::LineDown: position += 1; break;
    case PSPlimScrollCode::PageUp: position -= bar.page; break;
    case PSPlimScrollCode::PageDown: position += bar.page; break;
    case PSPlimScrollCode::ThumbPosition:
    case PSPlimScrollCode::ThumbTrack: position = thumbPosition; break;
    case PSPlimScrollCode::Top: position = bar.minimum; break;
    case PSPlimScrollCode::Bottom: position = bar.maximum; break;
    default: break;
    }
    // The minimum bounds every code, the top code too: with a page larger
    // than the range the upper bound lies below the minimum.
    position = std::max<int64_t>(std::min<int64_t>(position, int64_t(bar.maximum) - bar.page), bar.minimum);
    return {int32_t(position), int32_t(position - bar.position)};
}

HuxPointI PSPlimPanScroll(const PSPlimClientMapping& mapping, HuxPointI panStart, HuxPointI cursor,
                          HuxPointI panOrigin, const HuxRect& v, const HuxRect& f)
{
    const HuxGeometry::HuxPoint2D s = mapping.ClientToGrid({double(panStart.x), double(panStart.y)});
    const HuxGeometry::HuxPoint2D c = mapping.ClientToGrid({double(cursor.x), double(cursor.y)});
    return {PanAxis(s.x, c.x, mapping.gridWidth, f.Width(), v.left, panOrigin.x),
            PanAxis(s.y, c.y, mapping.gridHeight, f.Height(), v.top, panOrigin.y)};
}
