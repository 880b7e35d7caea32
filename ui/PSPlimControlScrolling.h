// The grid editor control's scroll bars and middle-button pan: bar values
// from the view, the new position for each scroll code, and the view
// scrolls that follow a pan.
#pragma once

#include "HuxLib/HuxGeometry/HuxRect.h"
#include "ui/PSPlimClientMapping.h"

#include <cstdint>

struct PSPlimScrollBar {
    int32_t minimum = 0;
    int32_t maximum = 0;
    int32_t page = 0;
    int32_t position = 0;

    bool operator==(const PSPlimScrollBar&) const = default;
};

struct PSPlimScrollBars {
    PSPlimScrollBar horizontal;
    PSPlimScrollBar vertical;
};

// The scroll codes of a scroll message; the values are the system's.
enum class PSPlimScrollCode : int {
    LineUp = 0,
    LineDown = 1,
    PageUp = 2,
    PageDown = 3,
    ThumbPosition = 4,
    ThumbTrack = 5,
    Top = 6,
    Bottom = 7,
    EndScroll = 8,
};

// Range 0 to the filter's extent, page the view's extent, position the
// view's offset into the filter, clamped so that a full page fits.
PSPlimScrollBars PSPlimScrollBarsFor(const HuxRect& filterRect, const HuxRect& viewRect);

// A scroll message's outcome for one bar: its new position and how far the
// view scrolls (image pixels along the bar's axis).
struct PSPlimScrollStep {
    int32_t position = 0;
    int32_t delta = 0;
};
PSPlimScrollStep PSPlimScrollBy(const PSPlimScrollBar& bar, int code, int32_t thumbPosition);

// The ScrollView arguments of a pan's mouse move: the view's left and top
// become the press-time origin less the drag, so the image follows the
// cursor. The drag runs through grid units as the control maps the mouse.
HuxPointI PSPlimPanScroll(const PSPlimClientMapping& mapping, HuxPointI panStart, HuxPointI cursor,
                          HuxPointI panOrigin, const HuxRect& viewRect, const HuxRect& filterRect);
