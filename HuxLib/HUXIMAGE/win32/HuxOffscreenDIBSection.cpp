#include "HuxLib/HUXIMAGE/win32/HuxOffscreenDIBSection.h"

#include <algorithm>
#include <cstring>

#include "HuxLib/HUXIMAGE/HuxPalette.h"
#include "HuxLib/HUXIMAGE/win32/HuxMemoryBitmap.h"

static_assert(sizeof(BITMAPINFOHEADER) == 40 && sizeof(RGBQUAD) == 4);

HuxOffscreenDIBSection::~HuxOffscreenDIBSection() { Release(); }

void HuxOffscreenDIBSection::Release()
{
    HuxReleaseMemoryBitmap(m_dc, m_bitmap, m_previous);
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
    const size_t tableEntries = depth <= 8 ? size_t(1) << depth : 0;
    m_header.assign(sizeof(BITMAPINFOHEADER) + tableEntries * sizeof(RGBQUAD), 0);
    BITMAPINFOHEADER* header = Header();
    header->biSize = sizeof(BITMAPINFOHEADER);
    header->biWidth = width;
    header->biHeight = height;
    header->biPlanes = 1;
    header->biBitCount = WORD(depth);
    auto* table = reinterpret_cast<RGBQUAD*>(header + 1);
    if (depth == 8) {
        HuxPalette fallback;
        if (!palette || !palette->IsValid()) {
            fallback.SetDefault();
            palette = &fallback;
        }
        const int count = std::min(palette->Count(), HuxPalette::kMaxEntries);
        static_assert(sizeof(HuxRGBQuad) == sizeof(RGBQUAD));
        std::memcpy(table, palette->Entries(), size_t(count) * sizeof(RGBQUAD));
    } else if (depth == 1) {
        table[1] = {255, 255, 255, 0};
    }

    const HDC screen = GetDC(nullptr);
    m_bitmap = CreateDIBSection(screen, reinterpret_cast<BITMAPINFO*>(header), DIB_RGB_COLORS, &m_pixels, nullptr, 0);
    if (!m_bitmap)
        m_pixels = nullptr;
    m_dc = CreateCompatibleDC(screen);
    if (m_dc && m_bitmap)
        m_previous = SelectObject(m_dc, m_bitmap);
    else if (m_dc) {
        // Without its bitmap the context would draw into a one-pixel stock
        // bitmap; a null context makes every later draw visibly do nothing.
        DeleteDC(m_dc);
        m_dc = nullptr;
    }
    ReleaseDC(nullptr, screen);
}
