// How the test host turns a colour PNG into a CMYK or Lab document and
// back, at either depth; transparency is carried unchanged. Samples are
// read on the document's scale (white W = 255, or 32768 at 16 bits).
//
// The formulas are HuxLib/HUXIMAGE/HuxColourFormulas.h. CMYK is exact both
// ways. A Lab round trip is not exact: 8-bit Lab has coarse steps, and a
// dark channel of a saturated colour can move by up to 23 levels (25 of
// 32768 at 16 bits).
#pragma once

#include "testhost/HostImage.h"

namespace SquelmHost {

// An RGB image (with or without transparency) as a CMYK or Lab one.
HostImage ConvertFromRgb(const HostImage& rgb, ColourSpace space);
// A CMYK or Lab image as RGB; grey and RGB images are returned as they are.
HostImage ConvertToRgb(const HostImage& image);

} // namespace SquelmHost
