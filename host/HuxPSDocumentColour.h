// A colour the user picked (sRGB, 0x00BBGGRR) in a document's own colour
// channels. By the formulas of HuxLib/HUXIMAGE/HuxColourFormulas.h, for a
// host that converts no colours itself; or from the host's own conversion
// (colorServices, RGB to the document's space), whose components are taken
// as a colour's 8-bit plane values, as the record's foreColor holds them:
// CMYK 255 for no ink, Lab L * 255 / 100 and a, b offset by 128.
#pragma once

#include "host/HuxPSDocument.h"

#include <cstdint>
#include <optional>

// The colour's samples, one per colour plane, on the document's scale.
void HuxPSDocumentColour(const HuxPSDocument& document, uint32_t colour, uint32_t samples[4]);

// The host's colour space to ask a conversion into: CMYK and Lab only (grey
// and RGB take the formulas).
std::optional<int16_t> HuxPSConversionSpace(const HuxPSDocument& document);

// The host's converted components as samples on the document's scale;
// components outside 0..255 are clamped.
void HuxPSSamplesOfHostColour(const HuxPSDocument& document, const int16_t components[4], uint32_t samples[4]);

// The colour as the document holds it (its samples), shown as the screen
// shows that document: 0x00BBGGRR.
uint32_t HuxPSShownDocumentColour(const HuxPSDocument& document, const uint32_t samples[4]);
