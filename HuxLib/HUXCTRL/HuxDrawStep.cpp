#include "HuxLib/HUXCTRL/HuxDrawStep.h"

HuxDrawStep HuxFillStep(const HuxRect& rect, HuxSysColour colour)
{
    HuxDrawStep step;
    step.kind = HuxDrawStep::Kind::FillRect;
    step.rect = rect;
    step.colour = colour;
    return step;
}

HuxDrawStep HuxFrame3DStep(const HuxRect& rect, HuxSysColour topLeft, HuxSysColour bottomRight)
{
    HuxDrawStep step;
    step.kind = HuxDrawStep::Kind::Frame3D;
    step.rect = rect;
    step.colour = topLeft;
    step.bottomRight = bottomRight;
    return step;
}

std::array<HuxDrawStep, 2> HuxBevelSteps(const HuxRect& rect, bool raised)
{
    using C = HuxSysColour;
    const HuxRect inner = HuxRectDeflate(rect, 1);
    if (raised)
        return {HuxFrame3DStep(rect, C::ButtonHighlight, C::DarkShadow3D),
                HuxFrame3DStep(inner, C::Light3D, C::ButtonShadow)};
    return {HuxFrame3DStep(rect, C::DarkShadow3D, C::ButtonHighlight),
            HuxFrame3DStep(inner, C::ButtonShadow, C::Light3D)};
}

std::array<HuxRect, 4> HuxFillAroundBands(const HuxRect& outer, const HuxRect& inner)
{
    return {HuxRect{outer.left, outer.top, outer.right, inner.top},
            HuxRect{outer.left, inner.bottom, outer.right, outer.bottom},
            HuxRect{outer.left, inner.top, inner.left, inner.bottom},
            HuxRect{inner.right, inner.top, outer.right, inner.bottom}};
}
