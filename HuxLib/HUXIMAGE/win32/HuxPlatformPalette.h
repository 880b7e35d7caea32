// A palette with the system palette object made from its entries, for
// drawing on palette displays. Set the entries before the first Handle():
// the record and the object are made once and kept until destruction.
#pragma once

#include <windows.h>

#include <vector>

#include "HuxLib/HUXIMAGE/HuxPalette.h"
#include "HuxLib/HUXUTIL/win32/HuxGdiObject.h"

class HuxPlatformPalette : public HuxPalette {
public:
    HuxPlatformPalette() = default;

    // The palette object, made on first use; null while the palette is not
    // valid or when the system refuses to make it.
    HPALETTE Handle();

private:
    // LOGPALETTE: version 0x300, the count, then red, green, blue, flags 0.
    void BuildRecord();

    std::vector<BYTE> m_record;
    HuxGdiObject<HPALETTE> m_handle;
};
