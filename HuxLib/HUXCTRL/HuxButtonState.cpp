#include "HuxLib/HUXCTRL/HuxButtonState.h"

uint32_t HuxOwnerDrawButtonStyle(uint32_t style)
{
    const uint32_t type = style & kHuxBsTypeMask;
    if (type != kHuxBsPushButton && type != kHuxBsDefPushButton)
        return style;
    return (style & ~kHuxBsTypeMask) | kHuxBsOwnerDraw;
}

HuxButtonReaction HuxButtonState::SetHot(bool hot)
{
    HuxButtonReaction reaction;
    reaction.invalidate = m_hot != hot;
    m_hot = hot;
    return reaction;
}

HuxButtonReaction HuxButtonState::MouseMove()
{
    if (m_hot)
        return {};
    HuxButtonReaction reaction = SetHot(true);
    reaction.startHoverTimer = true;
    return reaction;
}

HuxButtonReaction HuxButtonState::HoverTimer(bool pointerInside)
{
    if (pointerInside)
        return {};
    m_hot = false;
    return {true, false, true};
}

// The system's leave report redraws even when the timer got there first.
HuxButtonReaction HuxButtonState::MouseLeave()
{
    m_hot = false;
    return {true, false, false};
}

HuxButtonReaction HuxButtonState::Enable(bool enabled)
{
    return enabled ? HuxButtonReaction{} : SetHot(false);
}

HuxButtonReaction HuxButtonState::SetFocus() { return SetHot(true); }

HuxButtonReaction HuxButtonState::KillFocus() { return SetHot(false); }

HuxButtonReaction HuxButtonState::SetCheck(int32_t checkState)
{
    m_checkState = checkState;
    return {true, false, false};
}

HuxButtonDrawState HuxButtonState::DrawState(const HuxRect& item, uint32_t itemState, uint32_t style, bool hasBitmap,
                                             int32_t bitmapWidth, int32_t bitmapHeight) const
{
    HuxButtonDrawState state;
    state.item = item;
    state.flatStyle = (style & kHuxBsFlat) != 0;
    state.hot = m_hot;
    state.pressed = (itemState & kHuxOdsSelected) != 0;
    state.focus = (itemState & kHuxOdsFocus) != 0;
    state.disabled = (itemState & kHuxOdsDisabled) != 0;
    state.checkState = m_checkState;
    state.roundedHighlight = m_roundedHighlight;
    state.hasBitmap = hasBitmap;
    state.bitmapWidth = bitmapWidth;
    state.bitmapHeight = bitmapHeight;
    return state;
}
