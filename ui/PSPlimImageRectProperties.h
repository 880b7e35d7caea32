// A hook for drivers of the real editor dialog (the test host's), which the
// product itself never reads: the window properties in which the grid
// editor control publishes where its last paint placed the filter rectangle
// (client coordinates), so that a driver in another thread can put the
// mouse where a stroke script means. Each holds one edge, a signed value
// carried through intptr_t.
#pragma once

namespace PSPlimImageRectProperties {

inline constexpr const char* kLeft = "SquelmImageLeft";
inline constexpr const char* kTop = "SquelmImageTop";
inline constexpr const char* kRight = "SquelmImageRight";
inline constexpr const char* kBottom = "SquelmImageBottom";

} // namespace PSPlimImageRectProperties
