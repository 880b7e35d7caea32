// What the grid editor control draws at a paint: where the preview goes in
// the client area, where the filter rectangle lies on screen, the grid's
// polylines and the tool circle, and when the timer repaints. The window
// code draws exactly what these return.
#pragma once

#include "HuxLib/HUXIMAGE/HuxImage2.h"
#include "HuxLib/HuxGeometry/HuxRect.h"
#include "ui/PSPlimClientMapping.h"

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

class PSPlimGrid;

struct PSPlimControlLayout {
    HuxRect destination;          // where the output preview is drawn
    std::array<HuxRect, 4> bands; // top, bottom, left, right of it: filled with the button face
    HuxRect imageRect;            // the filter rectangle in client coordinates
};

// The client rectangle reduced to the image's aspect ratio and centred
// (integer arithmetic).
HuxRect PSPlimDestinationRect(const HuxRect& client, int32_t imageWidth, int32_t imageHeight);

// The four parts of the client rectangle around the destination; a side
// with nothing to fill gives an empty rectangle.
std::array<HuxRect, 4> PSPlimBands(const HuxRect& client, const HuxRect& destination);

// The filter rectangle carried through the view onto the destination, with
// integer division. Zoomed in, it reaches beyond the client area.
HuxRect PSPlimImageRect(const HuxRect& filterRect, const HuxRect& viewRect, const HuxRect& destination);

// The whole layout of a paint; none while there is no output preview (the
// control then fills its client area with the button face).
std::optional<PSPlimControlLayout> PSPlimLayOutControl(const HuxRect& client, const HuxImage2* outputPreview,
                                                       const HuxRect& filterRect, const HuxRect& viewRect);

// The grid's inner rows and then its inner columns as client polylines, in
// one point list with a count per line (the outer ring is not drawn). The
// buffers are reused, so a paint allocates nothing once the grid's size is
// stable.
struct PSPlimPolylines {
    std::vector<HuxPointI> points;
    std::vector<uint32_t> counts;
};
void PSPlimGridPolylines(const PSPlimGrid& grid, const PSPlimClientMapping& mapping, PSPlimPolylines& lines);

// What the control knows about the mouse and the user's gestures at a paint
// or a timer tick.
struct PSPlimPointerState {
    bool showToolRadius = false; // the parameters record's flag
    bool stroking = false;
    bool panning = false;
    bool sizeTracking = false;   // the dialog's tool-size slider is being dragged
    HuxPointI cursor;            // client coordinates
    HuxRect client;
};

struct PSPlimToolCircle {
    bool shown = false;
    HuxPointI centre;
    int32_t radius = 0;
};

// The tool circle: at the cursor, or centred in the control while the size
// slider is dragged and the cursor is elsewhere; its radius is the tool size
// in client pixels across the image.
PSPlimToolCircle PSPlimToolCircleFor(const PSPlimPointerState& pointer, double toolSize,
                                     const PSPlimClientMapping& mapping);

// The 100 ms timer repaints to remove a circle that the last paint left
// behind when the cursor left the control with no gesture in progress.
bool PSPlimTimerRepaints(const PSPlimPointerState& pointer, bool radiusShown);
