// The two images a bitmap button derives from its bitmap in the current
// system colours: the face, with the bitmap's light grey, grey and white
// replaced by the button colours, and the disabled face, the bitmap's dark
// shapes engraved into the button face.
#pragma once

#include "HuxLib/HUXCTRL/HuxColours.h"

class HuxDIBBuffer;

struct HuxButtonFaceColours {
    HuxColourRef face;      // the button face
    HuxColourRef shadow;    // the button's shadow
    HuxColourRef highlight; // the button's highlight
};

// Both read a 24-bit source of either orientation and give the target a
// new 24-bit top-down picture. Throw std::invalid_argument for other depths.
// The face has the source's size; every pixel whose three channels all lie
// within 7 of 255, 192 or 128 becomes the highlight, face or shadow colour.
void HuxMapSystemColours(const HuxDIBBuffer& source, HuxDIBBuffer& face, const HuxButtonFaceColours& colours);
// The disabled face is one pixel wider and higher: shadow where the source
// is dark (a channel of 184 or less), else highlight one pixel down and right
// of a dark source pixel, else the face colour.
void HuxEmboss(const HuxDIBBuffer& source, HuxDIBBuffer& disabledFace, const HuxButtonFaceColours& colours);
