#include "HuxLib/HUXCTRL/win32/HuxColourStatic.h"

#include "HuxLib/HUXUTIL/win32/HuxPaintDC.h"

void HuxColourStatic::SetColour(HuxColourRef colour)
{
    m_colour = colour;
    if (m_hWnd)
        Invalidate(false);
}

LRESULT HuxColourStatic::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    // The press is ours: a notifying static would report it to the parent
    // as a click (code 0), indistinguishable from a confirmed pick.
    if (message == WM_LBUTTONDOWN)
        return 0;
    return CStatic::WindowProc(message, wParam, lParam);
}

void HuxColourStatic::OnPaint()
{
    const HuxPaintDC paint(m_hWnd);
    RECT client{};
    GetClientRect(&client);
    // The context's own brush, so that a paint creates no brush.
    SetDCBrushColor(paint.Get(), m_colour);
    FillRect(paint.Get(), &client, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

void HuxColourStatic::OnLButtonUp(UINT, POINT)
{
    if (!m_chooser || !m_chooser->PickColour(m_colour))
        return;
    Invalidate(false);
    HWND told = ::GetWindow(m_hWnd, GW_OWNER);
    if (!told)
        told = GetParent();
    ::SendMessageA(told, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), 0), reinterpret_cast<LPARAM>(m_hWnd));
}
