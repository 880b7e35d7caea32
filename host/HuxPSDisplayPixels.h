// A document's pixels as the screen shows them: 8-bit blue-green-red from
// any mode and depth (grey as grey, CMYK and Lab by the formulas of
// HuxLib/HUXIMAGE/HuxColourFormulas.h, 16-bit samples reduced to 8), a
// layer's transparency kept as a fourth byte until it is shown over a
// light and dark checkerboard.
#pragma once

#include "HuxLib/HUXIMAGE/HuxPixelFormat.h"
#include "host/HuxPSDocument.h"

#include <cstdint>

// Blue, green, red; a layer adds its transparency (weighted when the warp
// may move it, kept when it is protected).
HuxPixelLayout HuxPSDisplayLayout(const HuxPSDocument& document);

// One pixel's colour planes (samples on the document's scale) as 8-bit
// red, green, blue.
void HuxPSShownColour(const HuxPSDocument& document, const uint32_t* samples, uint32_t rgb[3]);

// `count` pixels of the host's interleaved planes (HuxPSShownPlanes of
// them) to the display layout.
void HuxPSDisplayRow(const HuxPSDocument& document, const uint8_t* from, uint8_t* to, int32_t count);

// The squares of the checkerboard behind transparency: their side in
// screen pixels, and their two greys.
constexpr int32_t kHuxPSCheckerSquare = 8;
constexpr uint8_t kHuxPSCheckerLight = 255;
constexpr uint8_t kHuxPSCheckerDark = 204;

// Blue-green-red-transparency pixels over the checkerboard, into
// blue-green-red ones; (x, y) is the first pixel's place in the previews'
// (scaled) image coordinates, which the squares are laid on, so that every
// preview shows them alike. Rounded to nearest: an opaque pixel shows
// unchanged.
void HuxPSOverCheckerboard(const uint8_t* from, uint8_t* to, int32_t count, int32_t x, int32_t y);

// Host pixels straight to the screen's blue-green-red, a layer over the
// checkerboard; (x, y) as for HuxPSOverCheckerboard.
void HuxPSShowRow(const HuxPSDocument& document, const uint8_t* from, uint8_t* to, int32_t count, int32_t x,
                  int32_t y);
