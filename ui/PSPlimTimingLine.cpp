#include "ui/PSPlimTimingLine.h"

#include <cstdio>

std::string PSPlimTimingLine(int32_t milliseconds, int32_t failedTests, int32_t lookups)
{
    const double ratio = lookups != 0 ? double(failedTests) / double(lookups) : 0.0;
    char text[96];
    std::snprintf(text, sizeof text, "Update took %dms. Invert %d/%d (%g)", int(milliseconds), int(failedTests),
                  int(lookups), ratio);
    return text;
}
