#include "HuxLib/HUXCTRL/win32/HuxOffscreenDC.h"

#include "HuxLib/HUXUTIL/win32/HuxWindowDC.h"
#include "HuxLib/HUXWIN/win32/CWnd.h"

void HuxOffscreenDC::Release()
{
    // The bitmap leaves the context before either goes: a selected bitmap
    // cannot be deleted.
    m_selection.reset();
    m_dc = {};
    m_bitmap = {};
}

HDC HuxOffscreenDC::Begin()
{
    if (!m_owner || !IsWindow(m_owner->m_hWnd))
        return m_dc.Get();
    RECT client{};
    m_owner->GetClientRect(&client);
    if (!m_size.Update(client.right, client.bottom))
        return m_dc.Get();
    Release();
    const HuxWindowDC screen(m_owner->m_hWnd);
    m_bitmap = HuxGdiObject<HBITMAP>(CreateCompatibleBitmap(screen.Get(), client.right, client.bottom));
    m_dc = HuxMemoryDC(screen.Get());
    if (m_dc.Get() && m_bitmap.Get())
        m_selection.emplace(m_dc.Get(), m_bitmap.Get());
    return m_dc.Get();
}

void HuxOffscreenDC::Flush(HDC target, const RECT* rect)
{
    if (!m_dc.Get())
        return;
    const RECT whole{0, 0, m_size.Width(), m_size.Height()};
    const RECT& area = rect ? *rect : whole;
    std::optional<HuxWindowDC> own;
    if (!target && m_owner && IsWindow(m_owner->m_hWnd)) {
        own.emplace(m_owner->m_hWnd);
        target = own->Get();
    }
    if (target)
        BitBlt(target, area.left, area.top, area.right - area.left, area.bottom - area.top, m_dc.Get(), area.left,
               area.top, SRCCOPY);
}
