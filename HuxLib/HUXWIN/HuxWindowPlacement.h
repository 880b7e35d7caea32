// A window's remembered placement: its restored rectangle (screen pixels)
// and whether it was maximised, kept as one line of text; and where a
// window opens at a remembered placement when the monitors have changed.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "HuxLib/HuxGeometry/HuxRect.h"

struct HuxWindowPlacement {
    HuxRect normal;
    bool maximised = false;

    bool operator==(const HuxWindowPlacement&) const = default;
};

// "left,top,right,bottom,maximised" (maximised 0 or 1).
std::string HuxPlacementText(const HuxWindowPlacement& placement);
// None unless the text is exactly that with a non-empty rectangle.
std::optional<HuxWindowPlacement> HuxParsePlacement(std::string_view text);

// Where a window opens at a remembered placement: as remembered, at least
// minimumSize, while the middle of its top edge (its caption) lies in one
// of the monitors' work areas; otherwise at its size, cut to the owner's
// monitor's work area, centred on the owner there (HuxDialogPlacement).
HuxWindowPlacement HuxRestoredPlacement(const HuxWindowPlacement& remembered, HuxPointI minimumSize,
                                        const std::vector<HuxRect>& workAreas, const std::optional<HuxRect>& owner,
                                        const HuxRect& ownerWorkArea);
