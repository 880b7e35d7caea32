// Layout of a resizable dialog's children: each child keeps its distance
// to the edges it is anchored to, measured in the layout the template
// gave it, and stretches between two opposite anchors.
#pragma once

#include "HuxLib/HuxGeometry/HuxRect.h"

enum class HuxAnchor {
    TopLeft,     // stays put
    TopWide,     // the top row's full-width pieces: wider with the window
    Fill,        // takes all the extra room both ways
    BottomLeft,  // follows the bottom edge
    BottomRight, // follows the bottom and right edges
};

// rect: the child in the template's client area of templateSize; returns it
// in a client area of clientSize. A client smaller than the template's
// (which the minimum window size forbids) gives the template's rectangles.
HuxRect HuxAnchoredRect(const HuxRect& rect, HuxAnchor anchor, HuxPointI templateSize, HuxPointI clientSize);

// The same for a template laid out at layoutDpi in a client area shown at
// dpi: the template's rectangles and size scaled first.
HuxRect HuxAnchoredRectAtDpi(const HuxRect& rect, HuxAnchor anchor, HuxPointI templateSize, HuxPointI clientSize,
                             int layoutDpi, int dpi);
