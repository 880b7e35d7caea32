#include "HuxLib/HUXWIN/win32/HuxDialogResizer.h"

#include <utility>

#include "HuxLib/HUXWIN/HuxDpiScaling.h"
#include "HuxLib/HUXWIN/win32/HuxDpi.h"

namespace {

HuxRect ChildRect(HWND dialog, HWND child)
{
    RECT rect{};
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
    return {rect.left, rect.top, rect.right, rect.bottom};
}

} // namespace

void HuxDialogResizer::Attach(HWND dialog, AnchorOf anchorOf)
{
    RECT client{};
    GetClientRect(dialog, &client);
    m_templateClient = {client.right, client.bottom};
    m_layoutDpi = m_dpi = HuxWindowDpi(dialog);
    if (HFONT font = reinterpret_cast<HFONT>(SendMessageA(dialog, WM_GETFONT, 0, 0)))
        GetObjectA(font, sizeof m_layoutFont, &m_layoutFont);
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        m_children.push_back({child, ChildRect(dialog, child), anchorOf(GetDlgCtrlID(child))});

    // The thicker border would take its room from the client area: the
    // window grows by it instead.
    const LONG style = GetWindowLongA(dialog, GWL_STYLE) | WS_THICKFRAME | WS_MAXIMIZEBOX;
    SetWindowLongA(dialog, GWL_STYLE, style);
    RECT window = client;
    HuxAdjustWindowRectForDpi(window, DWORD(style), DWORD(GetWindowLongA(dialog, GWL_EXSTYLE)), m_dpi);
    m_dialog = dialog;
    SetWindowPos(dialog, nullptr, 0, 0, window.right - window.left, window.bottom - window.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

SIZE HuxDialogResizer::MinimumSize() const
{
    // The frame measured rather than computed for the resolution: Wine
    // draws every frame at the system's resolution whatever the window's.
    RECT window{}, client{};
    GetWindowRect(m_dialog, &window);
    GetClientRect(m_dialog, &client);
    const HuxPointI least = HuxScalePointForDpi(m_templateClient, m_layoutDpi, m_dpi);
    return {least.x + (window.right - window.left) - client.right, least.y + (window.bottom - window.top) - client.bottom};
}

void HuxDialogResizer::LayOut(int clientWidth, int clientHeight) const
{
    HDWP moves = BeginDeferWindowPos(int(m_children.size()));
    for (const Child& child : m_children) {
        const HuxRect r = HuxAnchoredRectAtDpi(child.rect, child.anchor, m_templateClient, {clientWidth, clientHeight},
                                               m_layoutDpi, m_dpi);
        if (moves)
            moves = DeferWindowPos(moves, child.window, nullptr, r.left, r.top, r.Width(), r.Height(),
                                   SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (moves)
        EndDeferWindowPos(moves);
    // The dialog's own background where the controls were.
    InvalidateRect(m_dialog, nullptr, TRUE);
}

void HuxDialogResizer::LimitSize(MINMAXINFO& info) const
{
    if (!Attached())
        return;
    const SIZE minimum = MinimumSize();
    info.ptMinTrackSize = {minimum.cx, minimum.cy};
}

void HuxDialogResizer::ChangeDpi(int dpi)
{
    if (!Attached() || dpi <= 0 || dpi == m_dpi)
        return;
    m_dpi = dpi;
    LOGFONTA scaled = m_layoutFont;
    scaled.lfHeight = HuxScaleForDpi(m_layoutFont.lfHeight, m_layoutDpi, dpi);
    scaled.lfWidth = HuxScaleForDpi(m_layoutFont.lfWidth, m_layoutDpi, dpi);
    HuxGdiObject<HFONT> font(CreateFontIndirectA(&scaled));
    if (!font.Get())
        return;
    SendMessageA(m_dialog, WM_SETFONT, WPARAM(font.Get()), FALSE);
    for (const Child& child : m_children)
        SendMessageA(child.window, WM_SETFONT, WPARAM(font.Get()), TRUE);
    // The controls hold the new font before the old one goes.
    m_font = std::move(font);
}
