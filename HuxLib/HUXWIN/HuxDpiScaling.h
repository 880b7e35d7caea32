// Lengths at a display's resolution: the template's and the artwork's
// sizes are those of 96 dots per inch (the system's 100 %); a monitor of
// another resolution gets them scaled, and the artwork drawn nearest its
// scale.
#pragma once

#include "HuxLib/HuxGeometry/HuxRect.h"

constexpr int kHuxBaseDpi = 96;

// value * toDpi / fromDpi, rounded half away from zero as the system's
// MulDiv rounds, so that a length scaled here matches one the system scales.
int HuxScaleForDpi(int value, int fromDpi, int toDpi);
HuxPointI HuxScalePointForDpi(HuxPointI point, int fromDpi, int toDpi);
// Each edge scaled on its own: rectangles that touched still touch, and one
// that reached the client's edge still reaches the scaled client's.
HuxRect HuxScaleRectForDpi(const HuxRect& rect, int fromDpi, int toDpi);

// The scales the artwork is drawn at, in percent of its 96-dpi size.
enum class HuxArtScale { Percent100 = 100, Percent150 = 150, Percent200 = 200 };

// The largest drawn scale that is not larger than the display's: a picture
// never outgrows the room the scaled layout gives it (125 % gets 100 %
// art, 175 % the 150 % art).
HuxArtScale HuxArtScaleFor(int dpi);
// The size of a 96-dpi picture of `size` as drawn at `scale`.
HuxPointI HuxArtSize(HuxPointI size, HuxArtScale scale);
