#include "HuxLib/HUXCTRL/win32/HuxEditBox.h"

#include "HuxLib/HUXCTRL/HuxIntegerBoxModel.h"

#include <stdexcept>

HuxEditBox::HuxEditBox()
    : m_textColour(GetSysColor(COLOR_WINDOWTEXT)),
      m_backgroundColour(GetSysColor(COLOR_WINDOW)),
      m_backgroundBrush(CreateSolidBrush(m_backgroundColour))
{
}

void HuxEditBox::SetColours(HuxColourRef text, HuxColourRef background)
{
    m_textColour = text;
    m_backgroundColour = background;
    m_backgroundBrush = HuxGdiObject<HBRUSH>(CreateSolidBrush(background));
    if (m_hWnd)
        Invalidate();
}

void HuxEditBox::SetText(const char* text, bool) { SetWindowText(text); }

void HuxEditBox::SetInt(int32_t n) { SetText(HuxFormatInt(n).c_str(), true); }

void HuxEditBox::CreateSpin()
{
    if (HasSpin())
        return;
    CWnd* parent = FromHandlePermanent(GetParent());
    if (!parent)
        throw std::logic_error("HuxEditBox: the spin needs a parent of the framework");
    m_spin.CreateEx(0, UPDOWN_CLASSA, "", WS_CHILD | UDS_ALIGNRIGHT | UDS_ARROWKEYS, RECT{}, parent, 0);
    m_spin.SetBuddy(m_hWnd);
    // The box keeps the real range; the spin's own only lets its arrows run.
    m_spin.SendMessage(UDM_SETRANGE, 0, MAKELPARAM(100, 0));
    RECT box{};
    RECT spin{};
    GetWindowRect(&box);
    m_spin.GetWindowRect(&spin);
    m_spinOffset = spin.left - box.right;
    m_spin.ShowWindow(SW_SHOW);
    ::SetWindowPos(m_spin.m_hWnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    if (HasSlider())
        FitSlider();
}

void HuxEditBox::FitSlider()
{
    RECT client{};
    RECT slider{};
    GetClientRect(&client);
    m_slider.GetWindowRect(&slider);
    POINT corner{slider.left, slider.top};
    ::ScreenToClient(m_hWnd, &corner);
    ::SetWindowPos(m_slider.m_hWnd, nullptr, corner.x, corner.y, client.right - client.left, slider.bottom - slider.top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
}

void HuxEditBox::RepaintSpin(bool erase)
{
    if (HasSpin())
        m_spin.Invalidate(erase);
}

// Attaching the buddy again would place the spin too, but the up-down
// control makes room for itself by narrowing the box each time, so the box
// would shrink with every move; the spin is moved instead.
void HuxEditBox::PlaceSpin()
{
    RECT box{};
    RECT spin{};
    GetWindowRect(&box);
    m_spin.GetWindowRect(&spin);
    POINT corner{box.right + m_spinOffset, box.top};
    ::ScreenToClient(GetParent(), &corner);
    ::SetWindowPos(m_spin.m_hWnd, m_hWnd, corner.x, corner.y, spin.right - spin.left, box.bottom - box.top,
                   SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

LRESULT HuxEditBox::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CHAR:
        RepaintSpin(true);
        if (!Characters().Passes(static_cast<uint32_t>(wParam)))
            return 0;
        return Default();
    case WM_MOVE:
        if (HasSpin())
            PlaceSpin();
        return Default();
    case WM_SHOWWINDOW:
        if (HasSpin())
            m_spin.ShowWindow(wParam ? SW_SHOW : SW_HIDE);
        return Default();
    case WM_PAINT:
        RepaintSpin(false);
        return Default();
    case WM_SETFOCUS:
        RepaintSpin(true);
        return Default();
    case WM_KILLFOCUS:
        Validate();
        SetSel(0, -1);
        SendMessage(EM_SCROLLCARET);
        return Default();
    default: return CEdit::WindowProc(message, wParam, lParam);
    }
}

bool HuxEditBox::OnChildNotify(UINT message, WPARAM wParam, LPARAM, LRESULT* result)
{
    if (message == WM_COMMAND && HIWORD(wParam) == EN_CHANGE) {
        const HWND focus = ::GetFocus();
        if (focus && (focus == m_hWnd || focus == m_spin.GetSafeHwnd() || focus == m_slider.GetSafeHwnd()))
            OnValueChanged();
        RepaintSpin(true);
        return false; // the parent hears of the change too
    }
    if (message == WM_CTLCOLOREDIT && IsWindowEnabled()) {
        const auto dc = reinterpret_cast<HDC>(wParam);
        SetTextColor(dc, m_textColour);
        SetBkColor(dc, m_backgroundColour);
        *result = reinterpret_cast<LRESULT>(m_backgroundBrush.Get());
        return true;
    }
    return false;
}
