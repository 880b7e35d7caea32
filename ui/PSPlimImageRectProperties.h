// Window properties in which the grid editor control publishes where its last
// paint placed the filter rectangle (client coordinates), so that automation
// can put the mouse exactly where a position of the image is shown.
#pragma once

inline constexpr const char* kPSPlimImageLeftProperty = "SquelmImageLeft";
inline constexpr const char* kPSPlimImageTopProperty = "SquelmImageTop";
inline constexpr const char* kPSPlimImageRightProperty = "SquelmImageRight";
inline constexpr const char* kPSPlimImageBottomProperty = "SquelmImageBottom";
