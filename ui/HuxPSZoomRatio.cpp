#include "ui/HuxPSZoomRatio.h"

#include "host/HuxPSFilter.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace {

// A window of no extent counts as one pixel rather than dividing by zero.
double Ratio(int32_t view, int32_t window)
{
    return double(view) / double(std::max(window, 1));
}

} // namespace

std::string HuxPSZoomRatioText(int level, bool canZoomOut, bool showFitRatio, HuxPointI viewSize,
                               HuxPointI windowSize)
{
    char ratio[64];
    if (canZoomOut || !showFitRatio) {
        if (level > 0)
            std::snprintf(ratio, sizeof ratio, "1:%d", level);
        else
            std::snprintf(ratio, sizeof ratio, "%d:1", std::abs(level) + 2);
    } else {
        const double rx = Ratio(viewSize.x, windowSize.x);
        const double ry = Ratio(viewSize.y, windowSize.y);
        std::snprintf(ratio, sizeof ratio, "1:%.1f", rx > ry ? rx : ry);
    }
    return std::string("Zoom ") + ratio;
}

std::string HuxPSZoomRatioText(const HuxPSFilter& filter, bool showFitRatio)
{
    const HuxRect& view = filter.GetViewRect();
    return HuxPSZoomRatioText(filter.GetZoomLevel(), filter.CanZoomOut(), showFitRatio,
                              {view.Width(), view.Height()}, filter.GetPreviewSize());
}
