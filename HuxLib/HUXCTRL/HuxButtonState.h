// The bitmap button's state between paints: the hot flag that hover and
// focus set, the check state, and what each message does to them; with
// the style switch that makes a push button owner-drawn and the reading of
// an item's draw flags.
#pragma once

#include "HuxLib/HUXCTRL/HuxButtonLayout.h"

#include <cstdint>

// Button styles and item-state flags, as the system numbers them.
constexpr uint32_t kHuxBsPushButton = 0x0;
constexpr uint32_t kHuxBsDefPushButton = 0x1;
constexpr uint32_t kHuxBsOwnerDraw = 0xB;
constexpr uint32_t kHuxBsTypeMask = 0xF;
constexpr uint32_t kHuxBsFlat = 0x8000;
constexpr uint32_t kHuxOdsSelected = 0x1;
constexpr uint32_t kHuxOdsDisabled = 0x4;
constexpr uint32_t kHuxOdsFocus = 0x10;

// Push buttons (default or not) become owner-drawn; other types are kept.
uint32_t HuxOwnerDrawButtonStyle(uint32_t style);

// What a message asks of the window after the state has changed.
struct HuxButtonReaction {
    bool invalidate = false;      // redraw, erasing the background
    bool startHoverTimer = false; // timer 1 at 50 ms, whose id is kept
    bool killHoverTimer = false;

    bool operator==(const HuxButtonReaction&) const = default;
};

class HuxButtonState {
public:
    static constexpr uint32_t kHoverTimerId = 1;
    static constexpr uint32_t kHoverTimerMilliseconds = 50;

    bool Hot() const { return m_hot; }
    int32_t CheckState() const { return m_checkState; }
    bool RoundedHighlight() const { return m_roundedHighlight; }
    void SetRoundedHighlight(bool rounded) { m_roundedHighlight = rounded; }

    // The pointer moved over the button (before the default processing).
    HuxButtonReaction MouseMove();
    // A tick of the hover timer: the hover ends once the pointer is outside,
    // whether or not the system reported its leaving.
    HuxButtonReaction HoverTimer(bool pointerInside);
    HuxButtonReaction MouseLeave();
    HuxButtonReaction Enable(bool enabled);
    HuxButtonReaction SetFocus();
    HuxButtonReaction KillFocus();
    HuxButtonReaction SetCheck(int32_t checkState);

    // The drawing state of an item: its rectangle, the item-state flags
    // and the button's style, with this state and the bitmap's size.
    HuxButtonDrawState DrawState(const HuxRect& item, uint32_t itemState, uint32_t style, bool hasBitmap,
                                 int32_t bitmapWidth, int32_t bitmapHeight) const;

private:
    HuxButtonReaction SetHot(bool hot);

    bool m_hot = false;
    bool m_roundedHighlight = false;
    int32_t m_checkState = 0;
};
