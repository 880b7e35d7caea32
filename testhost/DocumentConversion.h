// How the test host turns a colour PNG into a CMYK or Lab document and
// back, at either depth; transparency is carried unchanged. Samples are
// read on the document's scale (white W = 255, or 32768 at 16 bits).
//
// CMYK, planes as hosts hand them (W is no ink): K = max(R, G, B), and
// C = R + W - K, M = G + W - K, Y = B + W - K, which is the plain black
// generation c = 1 - r - k with k = 1 - max(r, g, b). Back, R = C + K - W:
// exact both ways.
//
// Lab: sRGB (IEC 61966-2-1 curve) to XYZ with the D65 white, then CIE L*a*b*
// against that white. 8 bits hold L * 255 / 100, a + 128, b + 128; 16 bits
// hold L * 32768 / 100, a * 128 + 16384, b * 128 + 16384; each rounded and
// clamped to the scale. Back to RGB, values outside sRGB are clamped. A
// round trip is not exact: 8-bit Lab has coarse steps, and a dark channel
// of a saturated colour can move by up to 23 levels (25 of 32768 at 16 bits).
#pragma once

#include "testhost/HostImage.h"

namespace SquelmHost {

// An RGB image (with or without transparency) as a CMYK or Lab one.
HostImage ConvertFromRgb(const HostImage& rgb, ColourSpace space);
// A CMYK or Lab image as RGB; grey and RGB images are returned as they are.
HostImage ConvertToRgb(const HostImage& image);

} // namespace SquelmHost
