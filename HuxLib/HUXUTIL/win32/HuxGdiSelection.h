// Objects selected into a device context for a scope, the context's
// previous ones selected back when the scope ends.
#pragma once

#include <windows.h>

// A pen, brush, font or bitmap. Nothing is selected (or restored) without a
// context or an object, so a missing bitmap leaves a context unchanged.
class HuxSelection {
public:
    HuxSelection(HDC dc, HGDIOBJ object) : m_dc(dc), m_previous(dc && object ? SelectObject(dc, object) : nullptr) {}
    ~HuxSelection()
    {
        if (m_previous)
            SelectObject(m_dc, m_previous);
    }
    HuxSelection(const HuxSelection&) = delete;
    HuxSelection& operator=(const HuxSelection&) = delete;

private:
    HDC m_dc;
    HGDIOBJ m_previous;
};

// A palette as the context's foreground palette, realised; none (null)
// leaves the context's own.
class HuxPaletteSelection {
public:
    HuxPaletteSelection(HDC dc, HPALETTE palette) : m_dc(dc)
    {
        if (palette) {
            m_previous = SelectPalette(dc, palette, FALSE);
            RealizePalette(dc);
        }
    }
    ~HuxPaletteSelection()
    {
        if (m_previous)
            SelectPalette(m_dc, m_previous, FALSE);
    }
    HuxPaletteSelection(const HuxPaletteSelection&) = delete;
    HuxPaletteSelection& operator=(const HuxPaletteSelection&) = delete;

private:
    HDC m_dc;
    HPALETTE m_previous = nullptr;
};
