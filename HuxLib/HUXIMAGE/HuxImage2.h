// An image of the editor's previews: 24-bit blue-green-red (or 8-bit grey)
// pixels in a HuxDIBBuffer, shifted in place when the view scrolls.
#pragma once

#include "HuxLib/HUXIMAGE/HuxDIBBuffer.h"

class HuxImage2 : public HuxDIBBuffer {
public:
    HuxImage2() = default;
    virtual ~HuxImage2() = default;

    // Shift the picture by n rows (n > 0: down) or n columns (n > 0: right;
    // depths of 8 bits and more). The uncovered rows or columns keep their
    // old pixels; nothing happens when |n| is not smaller than the extent.
    void ScrollRows(int32_t n);
    void ScrollColumns(int32_t n);

private:
    uint8_t* RowBlock(int32_t first, int32_t count) const;
};
