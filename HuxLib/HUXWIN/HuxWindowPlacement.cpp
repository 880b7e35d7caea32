#include "HuxLib/HUXWIN/HuxWindowPlacement.h"

#include <algorithm>
#include <array>
#include <charconv>

#include "HuxLib/HUXWIN/HuxDialogPlacement.h"

namespace {

bool Contains(const HuxRect& area, HuxPointI point)
{
    return point.x >= area.left && point.x < area.right && point.y >= area.top && point.y < area.bottom;
}

} // namespace

std::string HuxPlacementText(const HuxWindowPlacement& placement)
{
    const HuxRect& r = placement.normal;
    return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
           std::to_string(r.bottom) + "," + (placement.maximised ? "1" : "0");
}

std::optional<HuxWindowPlacement> HuxParsePlacement(std::string_view text)
{
    std::array<int32_t, 5> values{};
    const char* at = text.data();
    const char* const end = text.data() + text.size();
    for (size_t i = 0; i < values.size(); ++i) {
        if (i > 0 && (at == end || *at++ != ','))
            return std::nullopt;
        const auto [next, error] = std::from_chars(at, end, values[i]);
        if (error != std::errc())
            return std::nullopt;
        at = next;
    }
    const HuxWindowPlacement placement{{values[0], values[1], values[2], values[3]}, values[4] == 1};
    if (at != end || (values[4] != 0 && values[4] != 1) || placement.normal.IsEmpty())
        return std::nullopt;
    return placement;
}

HuxWindowPlacement HuxRestoredPlacement(const HuxWindowPlacement& remembered, HuxPointI minimumSize,
                                        const std::vector<HuxRect>& workAreas, const std::optional<HuxRect>& owner,
                                        const HuxRect& ownerWorkArea)
{
    const HuxRect& r = remembered.normal;
    const int32_t width = std::max(r.Width(), minimumSize.x);
    const int32_t height = std::max(r.Height(), minimumSize.y);
    const HuxPointI caption{int32_t((int64_t(r.left) + r.right) / 2), r.top};
    if (std::any_of(workAreas.begin(), workAreas.end(), [&](const HuxRect& area) { return Contains(area, caption); }))
        return {{r.left, r.top, r.left + width, r.top + height}, remembered.maximised};
    const HuxRect cut{0, 0, std::max(std::min(width, ownerWorkArea.Width()), minimumSize.x),
                      std::max(std::min(height, ownerWorkArea.Height()), minimumSize.y)};
    return {HuxDialogPlacement(cut, owner, ownerWorkArea), remembered.maximised};
}
