// The status line that the grid editor control hands its dialog after a
// stroke: how long the final re-render took and how many triangle tests the
// inverse lookups failed.
#pragma once

#include <cstdint>
#include <string>

// "Update took %dms. Invert %d/%d (%g)": the ratio of failed tests to
// lookups reads 0 when there were no lookups.
std::string PSPlimTimingLine(int32_t milliseconds, int32_t failedTests, int32_t lookups);
