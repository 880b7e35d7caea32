#include "host/HuxPSZoom.h"

#include <algorithm>

// An empty filter rectangle or preview area would divide by zero; one
// pixel stands in for it.
int HuxPSAxisFitLevel(int32_t filterExtent, int32_t areaExtent)
{
    const int64_t f = std::max<int32_t>(filterExtent, 1);
    const int64_t a = std::max<int32_t>(areaExtent, 1);
    if (f < a)
        return static_cast<int>(2 - a / f);
    return static_cast<int>((a + f - 1) / a);
}

int32_t HuxPSViewExtent(int level, int32_t areaExtent, int32_t filterExtent)
{
    const int64_t area = std::max<int32_t>(areaExtent, 0);
    const int64_t extent = level <= 0 ? area / (2 - int64_t(level)) : area * level;
    return static_cast<int32_t>(std::clamp<int64_t>(extent, 0, std::max<int32_t>(filterExtent, 0)));
}

int HuxPSLevelAfterResize(int level, int oldFitLevel, int newFitLevel)
{
    if (level == oldFitLevel)
        return newFitLevel;
    return std::clamp(level, HuxPSClosestLevel(newFitLevel), newFitLevel);
}

HuxPointI HuxPSCentredCorner(const HuxRect& view, HuxPointI size)
{
    return {view.left + view.Width() / 2 - size.x / 2, view.top + view.Height() / 2 - size.y / 2};
}
