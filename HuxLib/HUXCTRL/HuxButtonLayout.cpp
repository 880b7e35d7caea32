#include "HuxLib/HUXCTRL/HuxButtonLayout.h"

namespace {

using C = HuxSysColour;
using Kind = HuxDrawStep::Kind;

constexpr int32_t kRoundCorner = 30;

bool IsDown(const HuxButtonDrawState& state) { return state.pressed || state.checkState == 1; }

HuxDrawStep RoundStep(const HuxRect& rect, HuxSysColour brush)
{
    HuxDrawStep step;
    step.kind = Kind::RoundRect;
    step.rect = rect;
    step.colour = brush;
    step.corner = kRoundCorner;
    return step;
}

// The border, and what it leaves of the rectangle inside it.
HuxRect AddBorder(std::vector<HuxDrawStep>& steps, HuxRect r, const HuxButtonDrawState& state)
{
    const bool down = IsDown(state);
    if (!state.flatStyle) {
        for (const HuxDrawStep& step : HuxBevelSteps(r, !down))
            steps.push_back(step);
        return HuxRectDeflate(r, 2);
    }
    if (state.hot) {
        steps.push_back(down ? HuxFrame3DStep(r, C::ButtonShadow, C::ButtonHighlight)
                             : HuxFrame3DStep(r, C::ButtonHighlight, C::ButtonShadow));
        return HuxRectDeflate(r, 2);
    }
    if (!down)
        return r;
    if (state.roundedHighlight) {
        steps.push_back(RoundStep(r, C::Highlight));
        r = HuxRectDeflate(r, 3);
        steps.push_back(RoundStep(r, C::ButtonFace));
        return HuxRectDeflate(r, 2);
    }
    steps.push_back(HuxFrame3DStep(r, C::ButtonShadow, C::ButtonHighlight));
    return HuxRectDeflate(r, 2);
}

} // namespace

HuxRect HuxButtonImageRect(const HuxRect& inside, const HuxButtonDrawState& state)
{
    const int32_t width = state.hasBitmap ? state.bitmapWidth : 0;
    const int32_t height = state.hasBitmap ? state.bitmapHeight : 0;
    // Integer division toward zero, also when the bitmap is the larger.
    const int32_t left = inside.left + (inside.right - width - inside.left) / 2;
    const int32_t top = inside.top + (inside.bottom - height - inside.top) / 2;
    HuxRect image{left, top, left + width, top + height};
    if (state.disabled) {
        ++image.right;
        ++image.bottom;
    }
    if (IsDown(state))
        image = HuxRectOffset(image, 1, 1);
    return image;
}

std::vector<HuxDrawStep> HuxBitmapButtonSteps(const HuxButtonDrawState& state)
{
    std::vector<HuxDrawStep> steps;
    HuxRect r = state.item;
    if (state.roundedHighlight)
        steps.push_back(HuxFillStep(r, C::ButtonFace));

    r = AddBorder(steps, r, state);

    if (!state.roundedHighlight) {
        steps.push_back(HuxFrame3DStep(r, C::ButtonFace, C::ButtonFace));
        r = HuxRectDeflate(r, 1);
        steps.push_back(HuxFrame3DStep(r, C::ButtonFace, C::ButtonFace));
        if (state.focus) {
            HuxDrawStep focus;
            focus.kind = Kind::FocusRect;
            focus.rect = r;
            steps.push_back(focus);
        }
        r = HuxRectDeflate(r, 1);
    }

    const HuxRect image = HuxButtonImageRect(r, state);
    if (state.disabled) {
        ++r.right;
        ++r.bottom;
    }

    if (!state.roundedHighlight) {
        for (const HuxRect& band : HuxFillAroundBands(r, image))
            steps.push_back(HuxFillStep(band, C::ButtonFace));
    }
    if (state.hasBitmap) {
        HuxDrawStep copy;
        copy.kind = state.disabled ? Kind::CopyDisabledFace : Kind::CopyFace;
        copy.rect = image;
        steps.push_back(copy);
    }
    return steps;
}
