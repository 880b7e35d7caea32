// Plain formulas between sRGB and the other colour models a document can
// have, for showing a document on the screen and for putting a colour the
// user picked into it where the host offers no conversion of its own.
// Samples are on a scale whose white is W (255 for 8 bits, 32768 for 16).
//
// Grey from RGB: the Rec. 601 luma, (299 R + 587 G + 114 B) / 1000, rounded.
//
// CMYK, planes as hosts hand them (W is no ink): K = max(R, G, B), and
// C = R + W - K, M = G + W - K, Y = B + W - K, the plain black generation
// c = 1 - r - k with k = 1 - max(r, g, b). Back, R = C + K - W (0 where the
// plates hold more ink than the black allows): exact both ways.
//
// Lab: sRGB (IEC 61966-2-1 curve) to XYZ with the D65 white, then CIE
// L*a*b* against that white. 8 bits hold L * 255 / 100, a + 128, b + 128;
// 16 bits hold L * 32768 / 100, a * 128 + 16384, b * 128 + 16384; each
// rounded and clamped to the scale. Back to RGB, values outside sRGB are
// clamped.
#pragma once

#include <cstdint>

namespace HuxColour {

// White of a sample depth: 255 for 8 bits, 32768 for 16.
constexpr uint32_t WhiteOf(int32_t depth) { return depth == 16 ? 32768u : 255u; }

// A sample moved from one scale to another, rounded to nearest and clamped.
uint32_t Rescaled(uint32_t value, uint32_t from, uint32_t to);

uint32_t GreyFromRgb(const uint32_t rgb[3]);
void CmykFromRgb(const uint32_t rgb[3], uint32_t white, uint32_t cmyk[4]);
void RgbFromCmyk(const uint32_t cmyk[4], uint32_t white, uint32_t rgb[3]);
void LabFromRgb(const uint32_t rgb[3], uint32_t white, uint32_t lab[3]);
// The RGB samples land on the scale of rgbWhite.
void RgbFromLab(const uint32_t lab[3], uint32_t labWhite, uint32_t rgbWhite, uint32_t rgb[3]);

} // namespace HuxColour
