// A device-independent bitmap the system draws into: a DIB section selected
// into a memory device context compatible with the screen, whose pixels the
// program reads directly. When the system refuses either, the bitmap or the
// context stays null and drawing into it shows nothing.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <vector>

#include "HuxLib/HUXUTIL/win32/HuxGdiObject.h"
#include "HuxLib/HUXUTIL/win32/HuxGdiSelection.h"
#include "HuxLib/HUXUTIL/win32/HuxMemoryDC.h"

class HuxPalette;

class HuxOffscreenDIBSection {
public:
    HuxOffscreenDIBSection() = default;
    HuxOffscreenDIBSection(const HuxOffscreenDIBSection&) = delete;
    HuxOffscreenDIBSection& operator=(const HuxOffscreenDIBSection&) = delete;

    // A new picture (height < 0: top-down) of depth 1, 4, 8, 16, 24 or 32.
    // Depth 8 takes the colour table from the palette, or from the default
    // palette when none is given; depth 1 is black and white.
    void Create(int width, int height, int depth, const HuxPalette* palette);

    HDC DC() const { return m_dc.Get(); }
    HBITMAP Bitmap() const { return m_bitmap.Get(); }
    // The header with its colour table, or null before Create.
    BITMAPINFOHEADER* Header();
    void* Pixels() const { return m_pixels; }

private:
    void Release();

    // Declared in the order of making: they go in reverse.
    HuxGdiObject<HBITMAP> m_bitmap;
    HuxMemoryDC m_dc;
    std::optional<HuxSelection> m_selection;
    std::vector<uint8_t> m_header;
    void* m_pixels = nullptr;
};
