// The etched separator line: a shadow row over a highlight row.
#pragma once

#include "HuxLib/HUXCTRL/HuxDrawStep.h"

std::array<HuxDrawStep, 2> HuxLineStaticSteps(const HuxRect& client);
