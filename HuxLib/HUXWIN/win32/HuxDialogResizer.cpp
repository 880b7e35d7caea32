#include "HuxLib/HUXWIN/win32/HuxDialogResizer.h"

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
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        m_children.push_back({child, ChildRect(dialog, child), anchorOf(GetDlgCtrlID(child))});

    // The thicker border would take its room from the client area: the
    // window grows by it instead.
    const LONG style = GetWindowLongA(dialog, GWL_STYLE) | WS_THICKFRAME | WS_MAXIMIZEBOX;
    SetWindowLongA(dialog, GWL_STYLE, style);
    RECT window = client;
    AdjustWindowRectEx(&window, DWORD(style), FALSE, DWORD(GetWindowLongA(dialog, GWL_EXSTYLE)));
    m_minimum = {window.right - window.left, window.bottom - window.top};
    m_dialog = dialog;
    SetWindowPos(dialog, nullptr, 0, 0, m_minimum.cx, m_minimum.cy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void HuxDialogResizer::LayOut(int clientWidth, int clientHeight) const
{
    HDWP moves = BeginDeferWindowPos(int(m_children.size()));
    for (const Child& child : m_children) {
        const HuxRect r = HuxAnchoredRect(child.rect, child.anchor, m_templateClient, {clientWidth, clientHeight});
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
    if (Attached())
        info.ptMinTrackSize = {m_minimum.cx, m_minimum.cy};
}
