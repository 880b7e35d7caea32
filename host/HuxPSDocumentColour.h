// A colour the user picked (sRGB, 0x00BBGGRR) in a document's own colour
// channels, by the formulas of HuxLib/HUXIMAGE/HuxColourFormulas.h: for a
// host that converts no colours itself, or before it is asked.
#pragma once

#include "host/HuxPSDocument.h"

#include <cstdint>

// The colour's samples, one per colour plane, on the document's scale.
void HuxPSDocumentColour(const HuxPSDocument& document, uint32_t colour, uint32_t samples[4]);
