#include "HuxLib/HUXIMAGE/win32/HuxOffscreenDIBSection.h"

#include "HuxLib/HUXIMAGE/HuxBitmapHeader.h"
#include "HuxLib/HUXIMAGE/HuxBitmapHeaderBlock.h"
#include "HuxLib/HUXUTIL/win32/HuxWindowDC.h"

static_assert(sizeof(BITMAPINFOHEADER) == sizeof(HuxBitmapInfoHeader) && sizeof(RGBQUAD) == sizeof(HuxRGBQuad));

void HuxOffscreenDIBSection::Release()
{
    // The bitmap leaves the context before either goes: a selected bitmap
    // cannot be deleted.
    m_selection.reset();
    m_dc = {};
    m_bitmap = {};
    m_pixels = nullptr;
    m_header.clear();
}

BITMAPINFOHEADER* HuxOffscreenDIBSection::Header()
{
    return m_header.empty() ? nullptr : reinterpret_cast<BITMAPINFOHEADER*>(m_header.data());
}

void HuxOffscreenDIBSection::Create(int width, int height, int depth, const HuxPalette* palette)
{
    Release();
    m_header = HuxBitmapHeaderBlock(width, height, depth, palette);
    const HuxWindowDC screen(nullptr);
    m_bitmap = HuxGdiObject<HBITMAP>(
        CreateDIBSection(screen.Get(), reinterpret_cast<BITMAPINFO*>(Header()), DIB_RGB_COLORS, &m_pixels, nullptr, 0));
    if (!m_bitmap.Get())
        m_pixels = nullptr;
    // Without its bitmap the context would draw into a one-pixel stock
    // bitmap; a null context makes every later draw visibly do nothing.
    if (m_bitmap.Get())
        m_dc = HuxMemoryDC(screen.Get());
    if (m_dc.Get())
        m_selection.emplace(m_dc.Get(), m_bitmap.Get());
}
