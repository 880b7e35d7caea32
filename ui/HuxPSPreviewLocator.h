// The preview locator: a popup with a thumbnail of the whole filter
// rectangle in which the user drags a frame to choose the part that the
// preview shows. These are its placement, its mappings between image and
// popup coordinates, and the frame that follows the cursor.
#pragma once

#include "HuxLib/HuxGeometry/HuxRect.h"

// The popup's window rectangle, centred on the press point (screen
// coordinates) with the thumbnail filling its client area inside the
// dialog-frame borders.
HuxRect HuxPSLocatorWindowRect(HuxPointI press, HuxPointI thumbnailSize, HuxPointI frameBorder);

// Image and popup client coordinates, through the filter rectangle and the
// popup's client rectangle, with integer arithmetic truncating towards zero.
HuxPointI HuxPSImageToPopup(HuxPointI image, const HuxRect& filterRect, const HuxRect& popupClient);
HuxPointI HuxPSPopupToImage(HuxPointI popup, const HuxRect& filterRect, const HuxRect& popupClient);
HuxRect HuxPSImageToPopup(const HuxRect& image, const HuxRect& filterRect, const HuxRect& popupClient);

// One press-drag-release gesture in the popup. The view chosen so far
// follows the cursor; the framework's view changes only on the release,
// when the caller passes ViewRect() to SetViewRect.
class HuxPSLocatorFrame {
public:
    HuxPSLocatorFrame(const HuxRect& filterRect, const HuxRect& viewRect, const HuxRect& popupClient);

    // Where the gesture puts the cursor: the centre of the frame, so that a
    // release without moving leaves the view where it was.
    HuxPointI StartCursor() const { return startCentre_; }
    // The frame update for a cursor position in popup client coordinates:
    // the frame's centre moves to it, and the view stays inside the filter
    // rectangle.
    void MoveTo(HuxPointI cursor);

    const HuxRect& ViewRect() const { return viewRect_; }
    const HuxRect& FrameRect() const { return frameRect_; }

private:
    HuxRect filterRect_;
    HuxRect startView_;
    HuxRect popupClient_;
    HuxRect viewRect_;
    HuxRect frameRect_;
    HuxPointI startCentre_;
};
