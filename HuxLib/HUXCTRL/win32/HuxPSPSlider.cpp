#include "HuxLib/HUXCTRL/win32/HuxPSPSlider.h"

#include "HuxLib/HUXCTRL/win32/HuxDrawSteps.h"
#include "HuxLib/HUXCTRL/win32/HuxEditBox.h"
#include "HuxLib/HUXUTIL/win32/HuxPaintDC.h"

HuxPSPSlider::HuxPSPSlider() { m_buffer.SetOwner(this); }

HuxEditBox* HuxPSPSlider::Box() const { return dynamic_cast<HuxEditBox*>(FromHandlePermanent(GetParent())); }

int32_t HuxPSPSlider::ClientWidth() const
{
    RECT client{};
    GetClientRect(&client);
    return client.right - client.left;
}

LRESULT HuxPSPSlider::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    // The bars cover the whole client area; erasing first would only flicker.
    if (message == WM_ERASEBKGND)
        return TRUE;
    return CSliderCtrl::WindowProc(message, wParam, lParam);
}

void HuxPSPSlider::OnPaint()
{
    const HuxPaintDC paint(m_hWnd);
    RECT client{};
    GetClientRect(&client);
    HuxEditBox* box = Box();
    const bool enabled = IsWindowEnabled() && (!box || box->IsWindowEnabled());
    const HuxSliderPercent percent = box ? box->GetSliderPercent() : HuxSliderPercent{};
    if (const HDC buffer = m_buffer.Begin()) {
        for (const HuxColourFill& fill : HuxSliderBars(HuxFromRECT(client), percent, enabled))
            HuxFillSolid(buffer, fill.rect, fill.colour);
        m_buffer.Flush(paint.Get());
    }
}

void HuxPSPSlider::MoveTo(int32_t position, bool erase)
{
    SetPos(position);
    if (HuxEditBox* box = Box())
        box->SetInt(position);
    Invalidate(erase);
}

void HuxPSPSlider::StopTimer()
{
    if (m_timer)
        KillTimer(m_timer);
    m_timer = 0;
}

void HuxPSPSlider::OnLButtonDown(UINT, POINT point)
{
    if (HuxEditBox* box = Box())
        ::SetFocus(box->m_hWnd);
    SetCapture();
    m_model.SetRange(GetRangeMin(), GetRangeMax());
    MoveTo(m_model.PositionAt(point.x, ClientWidth()), false);
}

void HuxPSPSlider::OnMouseMove(UINT flags, POINT point)
{
    if (!(flags & MK_LBUTTON) || GetCapture() != m_hWnd) {
        Default();
        return;
    }
    m_model.SetRange(GetRangeMin(), GetRangeMax());
    const HuxSliderDrag drag = m_model.Drag(point.x, ClientWidth(), GetPos(), m_timer != 0);
    if (drag.stopTimer)
        StopTimer();
    if (drag.position)
        MoveTo(*drag.position, false);
    if (drag.startTimer)
        m_timer = SetTimer(kAutoScrollTimer, kAutoScrollInterval);
}

void HuxPSPSlider::OnTimer(UINT_PTR id)
{
    if (id != kAutoScrollTimer) {
        Default();
        return;
    }
    m_model.SetRange(GetRangeMin(), GetRangeMax());
    MoveTo(m_model.TimerPosition(GetPos()), true);
}

void HuxPSPSlider::OnLButtonUp(UINT, POINT)
{
    StopTimer();
    ReleaseCapture();
    Default();
}
