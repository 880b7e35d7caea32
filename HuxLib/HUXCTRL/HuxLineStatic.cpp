#include "HuxLib/HUXCTRL/HuxLineStatic.h"

std::array<HuxDrawStep, 2> HuxLineStaticSteps(const HuxRect& client)
{
    return {HuxFillStep({client.left, client.top, client.right, client.top + 1}, HuxSysColour::ButtonShadow),
            HuxFillStep({client.left, client.top + 1, client.right, client.top + 2}, HuxSysColour::ButtonHighlight)};
}
