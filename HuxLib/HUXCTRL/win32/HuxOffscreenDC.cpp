#include "HuxLib/HUXCTRL/win32/HuxOffscreenDC.h"

#include "HuxLib/HUXIMAGE/win32/HuxMemoryBitmap.h"
#include "HuxLib/HUXWIN/win32/CWnd.h"

HuxOffscreenDC::~HuxOffscreenDC() { Release(); }

void HuxOffscreenDC::Release()
{
    HuxReleaseMemoryBitmap(m_dc, m_bitmap, m_previous);
}

HDC HuxOffscreenDC::Begin()
{
    if (!m_owner || !IsWindow(m_owner->m_hWnd))
        return m_dc;
    RECT client{};
    m_owner->GetClientRect(&client);
    if (!m_size.Update(client.right, client.bottom))
        return m_dc;
    Release();
    const HDC screen = GetDC(m_owner->m_hWnd);
    m_bitmap = CreateCompatibleBitmap(screen, client.right, client.bottom);
    m_dc = CreateCompatibleDC(screen);
    ReleaseDC(m_owner->m_hWnd, screen);
    if (m_dc && m_bitmap)
        m_previous = SelectObject(m_dc, m_bitmap);
    return m_dc;
}

void HuxOffscreenDC::Flush(HDC target, const RECT* rect)
{
    if (!m_dc)
        return;
    const RECT whole{0, 0, m_size.Width(), m_size.Height()};
    const RECT& area = rect ? *rect : whole;
    const bool ownTarget = !target && m_owner && IsWindow(m_owner->m_hWnd);
    if (ownTarget)
        target = GetDC(m_owner->m_hWnd);
    if (target)
        BitBlt(target, area.left, area.top, area.right - area.left, area.bottom - area.top, m_dc, area.left, area.top,
               SRCCOPY);
    if (ownTarget)
        ReleaseDC(m_owner->m_hWnd, target);
}
