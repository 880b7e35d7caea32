// CWnd's message dispatch and the default handlers: each default passes
// its message on to the window's default processing.
#include "HuxLib/HUXWIN/win32/CWnd.h"

#include <windowsx.h>

namespace {

POINT PointOf(LPARAM lParam) { return {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}; }

// The control a notification to its parent comes from, or null.
HWND SenderOf(UINT message, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC: return reinterpret_cast<HWND>(lParam);
    case WM_NOTIFY: return reinterpret_cast<NMHDR*>(lParam)->hwndFrom;
    default: return nullptr;
    }
}

} // namespace

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    const UINT flags = static_cast<UINT>(wParam);
    // Handlers without a result answer what their Default() call gave.
    const auto handled = [this](auto&& handler) {
        m_current.defaultResult = 0;
        handler();
        return m_current.defaultResult;
    };
    if (CWnd* sender = FromHandlePermanent(SenderOf(message, lParam)); sender && sender != this) {
        LRESULT result = 0;
        if (sender->OnChildNotify(message, wParam, lParam, &result))
            return result;
    }
    switch (message) {
    case WM_COMMAND:
        if (OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam)))
            return 0;
        return Default();
    case WM_NOTIFY: {
        LRESULT result = 0;
        if (OnNotify(reinterpret_cast<NMHDR*>(lParam), &result))
            return result;
        return Default();
    }
    case WM_HSCROLL:
        return handled([&] { OnHScroll(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam)); });
    case WM_VSCROLL:
        return handled([&] { OnVScroll(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam)); });
    case WM_DRAWITEM: {
        auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
        // A menu item names a menu, not a window.
        CWnd* control = item && item->CtlType != ODT_MENU ? FromHandlePermanent(item->hwndItem) : nullptr;
        if (control && control != this && control->DrawItem(*item))
            return TRUE;
        return Default();
    }
    case WM_TIMER: return handled([&] { OnTimer(wParam); });
    case WM_PAINT: return handled([&] { OnPaint(); });
    case WM_SIZE: return handled([&] { OnSize(flags, LOWORD(lParam), HIWORD(lParam)); });
    case WM_MOUSEMOVE: return handled([&] { OnMouseMove(flags, PointOf(lParam)); });
    case WM_LBUTTONDOWN: return handled([&] { OnLButtonDown(flags, PointOf(lParam)); });
    case WM_LBUTTONUP: return handled([&] { OnLButtonUp(flags, PointOf(lParam)); });
    case WM_RBUTTONDOWN: return handled([&] { OnRButtonDown(flags, PointOf(lParam)); });
    case WM_RBUTTONUP: return handled([&] { OnRButtonUp(flags, PointOf(lParam)); });
    case WM_MBUTTONDOWN: return handled([&] { OnMButtonDown(flags, PointOf(lParam)); });
    case WM_MBUTTONUP: return handled([&] { OnMButtonUp(flags, PointOf(lParam)); });
    case WM_CAPTURECHANGED: return handled([&] { OnCaptureChanged(reinterpret_cast<HWND>(lParam)); });
    case WM_SETCURSOR:
        return OnSetCursor(reinterpret_cast<HWND>(wParam), LOWORD(lParam), HIWORD(lParam));
    case WM_HELP: return OnHelpInfo(reinterpret_cast<HELPINFO*>(lParam));
    case WM_CONTEXTMENU: return handled([&] { OnContextMenu(reinterpret_cast<HWND>(wParam), PointOf(lParam)); });
    case WM_DESTROY: return handled([&] { OnDestroy(); });
    default: return Default();
    }
}

bool CWnd::OnChildNotify(UINT, WPARAM, LPARAM, LRESULT*) { return false; }

bool CWnd::OnCommand(UINT, UINT, HWND) { return false; }

bool CWnd::OnNotify(NMHDR*, LRESULT*) { return false; }

bool CWnd::OnUpdateCommandUI(CCmdUI&) { return false; }

void CWnd::OnHScroll(UINT, UINT, HWND) { Default(); }

void CWnd::OnVScroll(UINT, UINT, HWND) { Default(); }

void CWnd::OnTimer(UINT_PTR) { Default(); }

void CWnd::OnPaint() { Default(); }

bool CWnd::DrawItem(DRAWITEMSTRUCT&) { return false; }

void CWnd::PreSubclassWindow() {}

void CWnd::OnSize(UINT, int, int) { Default(); }

void CWnd::OnMouseMove(UINT, POINT) { Default(); }

void CWnd::OnLButtonDown(UINT, POINT) { Default(); }

void CWnd::OnLButtonUp(UINT, POINT) { Default(); }

void CWnd::OnRButtonDown(UINT, POINT) { Default(); }

void CWnd::OnRButtonUp(UINT, POINT) { Default(); }

void CWnd::OnMButtonDown(UINT, POINT) { Default(); }

void CWnd::OnMButtonUp(UINT, POINT) { Default(); }

void CWnd::OnCaptureChanged(HWND) { Default(); }

BOOL CWnd::OnSetCursor(HWND, UINT, UINT) { return static_cast<BOOL>(Default()); }

BOOL CWnd::OnHelpInfo(HELPINFO*) { return static_cast<BOOL>(Default()); }

void CWnd::OnContextMenu(HWND, POINT) { Default(); }

void CWnd::OnDestroy() { Default(); }

void CWnd::PostNcDestroy() {}
