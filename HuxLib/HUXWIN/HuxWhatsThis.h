// The "What's This?" hit test of context help: which control of a dialog a
// right-click at a screen point asks about.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>

#include "HuxLib/HuxGeometry/HuxRect.h"

// Where a dialog's control is, as the hit test needs it.
struct HuxControlPlacement {
    bool exists = false;
    bool visible = false;
    HuxRect window; // screen coordinates, half-open
};

// idTable: pairs (control id, help context) ended by a pair of zeros, the
// table that HTML Help's pop-up commands take. Walks the pairs in order and
// returns the id of the first control that exists, is visible and whose
// window contains the point; none when no control does.
std::optional<uint32_t> HuxWhatsThisHit(const uint32_t* idTable,
                                        const std::function<HuxControlPlacement(uint32_t controlId)>& placementOf,
                                        HuxPointI screenPoint);
