// Where a driver of the editor puts the mouse for a stroke script's image
// position, and what the grid editor control then receives. The real
// dialog's driver and the scripted editor both place the mouse through
// these, so that they play a script alike.
#pragma once

#include "HuxLib/HuxGeometry/HuxPoint2D.h"
#include "HuxLib/HuxGeometry/HuxRect.h"

// The client pixel nearest to an image position (document pixels), through
// imageRect (the filter rectangle as placed in client coordinates at the
// control's last paint), so that the control maps it back to within one
// client pixel of the position. Far positions stay inside 32 bits.
HuxPointI PSPlimImageToClient(HuxGeometry::HuxPoint2D image, const HuxRect& filterRect, const HuxRect& imageRect);

// Where the mouse goes in the locator's popup for an image position; far
// positions only push the frame to its edge.
HuxPointI PSPlimImageToLocator(HuxGeometry::HuxPoint2D image, const HuxRect& filterRect, const HuxRect& popupClient);

// The position a mouse message carries: each coordinate's low 16 bits,
// sign-extended as the receiving window reads them.
HuxPointI PSPlimMouseMessagePoint(HuxPointI client);
