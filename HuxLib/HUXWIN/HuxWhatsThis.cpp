#include "HuxLib/HUXWIN/HuxWhatsThis.h"

namespace {

bool Contains(const HuxRect& rect, HuxPointI point)
{
    return point.x >= rect.left && point.x < rect.right && point.y >= rect.top && point.y < rect.bottom;
}

} // namespace

std::optional<uint32_t> HuxWhatsThisHit(const uint32_t* idTable,
                                        const std::function<HuxControlPlacement(uint32_t controlId)>& placementOf,
                                        HuxPointI screenPoint)
{
    if (!idTable)
        return std::nullopt;
    // A pair of zeros ends the table; a zero control id alone does not.
    for (const uint32_t* pair = idTable; pair[0] != 0 || pair[1] != 0; pair += 2) {
        const HuxControlPlacement placement = placementOf(pair[0]);
        if (placement.exists && placement.visible && Contains(placement.window, screenPoint))
            return pair[0];
    }
    return std::nullopt;
}
