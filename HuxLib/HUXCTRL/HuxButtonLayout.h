// What a bitmap button draws for one state: frame, focus, face and the
// background around the face, as drawing steps in order. The window side
// runs them into its off-screen buffer and flushes that to the item.
#pragma once

#include "HuxLib/HUXCTRL/HuxDrawStep.h"

#include <vector>

struct HuxButtonDrawState {
    HuxRect item;                  // the item rectangle
    bool flatStyle = false;        // the button has the flat style
    bool hot = false;              // pointer over it, or it has the focus
    bool pressed = false;          // the item is selected (held down)
    bool focus = false;            // the item shows the focus
    bool disabled = false;
    int32_t checkState = 0;        // 0 clear, 1 checked, 2 indeterminate
    bool roundedHighlight = false; // the owner's rounded drawing variant
    bool hasBitmap = false;        // without one only the frame is drawn
    int32_t bitmapWidth = 0;
    int32_t bitmapHeight = 0;
};

// Where the face goes inside the rectangle left for it: centred, one pixel
// larger to the right and bottom when disabled (the embossed face is), and
// moved by (1, 1) while the button is down.
HuxRect HuxButtonImageRect(const HuxRect& inside, const HuxButtonDrawState& state);

std::vector<HuxDrawStep> HuxBitmapButtonSteps(const HuxButtonDrawState& state);
