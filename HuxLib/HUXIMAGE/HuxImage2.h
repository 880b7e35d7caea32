// An image of the editor's previews: 24-bit blue-green-red (or 8-bit grey)
// pixels in a HuxDIBBuffer, shifted in place when the view scrolls.
#pragma once

#include "HuxLib/HUXIMAGE/HuxDIBBuffer.h"
#include "HuxLib/HuxGeometry/HuxRect.h"

// The Windows layer's device context handle (drawing lives in win32/).
struct HDC__;

class HuxImage2 : public HuxDIBBuffer {
public:
    HuxImage2() = default;
    virtual ~HuxImage2() = default;

    // Shift the picture by n rows (n > 0: down) or n columns (n > 0: right;
    // depths of 8 bits and more). The uncovered rows or columns keep their
    // old pixels; nothing happens when |n| is not smaller than the extent.
    void ScrollRows(int32_t n);
    void ScrollColumns(int32_t n);

    // Whether a draw from the source rectangle to the destination shows
    // anything: an empty or inverted rectangle on either side draws nothing
    // and allocates nothing.
    static bool DrawsAnything(const HuxRect& destination, const HuxRect& source);

    // Draws the source rectangle of the picture (pixels from its top-left)
    // scaled into the destination rectangle of the device context: one
    // scaled copy on a true-colour device; on a palette device (8 bits per
    // pixel) dithered to the default palette at the destination's size.
    void Draw(HDC__* dc, const HuxRect& destination, const HuxRect& source) const;
    // The same as on a device of the given depth, whatever the real one is.
    void Draw(HDC__* dc, const HuxRect& destination, const HuxRect& source, int deviceBitsPerPixel) const;

private:
    uint8_t* RowBlock(int32_t first, int32_t count) const;
};
