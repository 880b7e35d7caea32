#include "HuxLib/HUXWIN/HuxDialogPlacement.h"

#include <algorithm>

namespace {

// The start of a span of `size` centred on [low, high), moved to lie within
// [areaLow, areaHigh); a span larger than the area starts at its low edge.
int32_t CentredStart(int32_t low, int32_t high, int32_t size, int32_t areaLow, int32_t areaHigh)
{
    const int64_t centred = (int64_t(low) + high - size) / 2;
    const int64_t latest = std::max<int64_t>(areaLow, int64_t(areaHigh) - size);
    return int32_t(std::clamp<int64_t>(centred, areaLow, latest));
}

} // namespace

HuxRect HuxDialogPlacement(const HuxRect& dialog, const std::optional<HuxRect>& owner, const HuxRect& workArea)
{
    const HuxRect around = owner && !owner->IsEmpty() ? *owner : workArea;
    const int32_t width = dialog.Width();
    const int32_t height = dialog.Height();
    const int32_t left = CentredStart(around.left, around.right, width, workArea.left, workArea.right);
    const int32_t top = CentredStart(around.top, around.bottom, height, workArea.top, workArea.bottom);
    return {left, top, left + width, top + height};
}
