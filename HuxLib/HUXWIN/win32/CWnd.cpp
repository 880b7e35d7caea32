#include "HuxLib/HUXWIN/win32/CWnd.h"

#include <stdexcept>

#include "HuxLib/HUXWIN/win32/HuxCommonControls.h"
#include "HuxLib/HUXWIN/win32/HuxWindowBarrier.h"

namespace {

// The property that holds a window's CWnd.
constexpr const char* kObjectProperty = "HuxCWnd";

} // namespace

// Routes one message of a window to its object (the framework's only
// lookup); windows without one get the system's default processing.
LRESULT HuxRouteMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    CWnd* object = CWnd::FromHandlePermanent(window);
    if (!object && message == WM_NCCREATE) {
        // A window of our own class: CreateEx passed its object along.
        object = static_cast<CWnd*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        if (object)
            object->Attach(window, nullptr);
    }
    if (!object)
        return DefWindowProcA(window, message, wParam, lParam);
    if (message != WM_NCDESTROY)
        return object->Receive(message, wParam, lParam);
    const LRESULT result = object->Receive(message, wParam, lParam);
    object->Detach();
    object->PostNcDestroy();
    return result;
}

CWnd::CWnd() = default;

CWnd::~CWnd()
{
    if (m_hWnd)
        DestroyWindow();
}

CWnd* CWnd::FromHandlePermanent(HWND window)
{
    return window ? static_cast<CWnd*>(GetPropA(window, kObjectProperty)) : nullptr;
}

void CWnd::Attach(HWND window, WNDPROC previous)
{
    m_hWnd = window;
    m_previousProc = previous;
    SetPropA(window, kObjectProperty, this);
}

void CWnd::Detach()
{
    if (!m_hWnd)
        return;
    if (m_previousProc)
        SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_previousProc));
    RemovePropA(m_hWnd, kObjectProperty);
    m_hWnd = nullptr;
    m_previousProc = nullptr;
}

LRESULT CWnd::Receive(UINT message, WPARAM wParam, LPARAM lParam)
{
    // Messages nest (a handler may send another): keep the outer one.
    const CurrentMessage outer = m_current;
    m_current = {message, wParam, lParam};
    struct Restore {
        CWnd& wnd;
        CurrentMessage outer;
        ~Restore() { wnd.m_current = outer; }
    } restore{*this, outer};
    return WindowProc(message, wParam, lParam);
}

void CWnd::CreateEx(DWORD exStyle, const char* className, const char* text, DWORD style, const RECT& rect,
                    CWnd* parent, UINT id)
{
    if (m_hWnd)
        throw std::logic_error("CWnd::CreateEx: the object already has a window");
    const HuxVisualStyleScope styles;
    const bool ownClass = className == nullptr;
    // A child's id travels in the menu parameter.
    HMENU menuOrId = (style & WS_CHILD) ? reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)) : nullptr;
    HWND window = CreateWindowExA(exStyle, ownClass ? HuxWindowClassName() : className, text, style, rect.left,
                                  rect.top, rect.right - rect.left, rect.bottom - rect.top,
                                  parent ? parent->m_hWnd : nullptr, menuOrId, HuxResourceModule(),
                                  ownClass ? this : nullptr);
    HuxRethrowWindowFailure();
    if (!window)
        throw std::runtime_error("CWnd::CreateEx: the window could not be created");
    if (!ownClass && !SubclassWindow(window)) {
        ::DestroyWindow(window);
        throw std::runtime_error("CWnd::CreateEx: the window could not be attached");
    }
}

bool CWnd::SubclassDlgItem(UINT id, CWnd* parent)
{
    HWND item = parent ? ::GetDlgItem(parent->m_hWnd, static_cast<int>(id)) : nullptr;
    return item && SubclassWindow(item);
}

bool CWnd::SubclassWindow(HWND window)
{
    if (m_hWnd || !window || FromHandlePermanent(window))
        return false;
    const auto previous = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(window, GWLP_WNDPROC));
    Attach(window, previous);
    PreSubclassWindow();
    SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&HuxWindowProcedure));
    return true;
}

HWND CWnd::UnsubclassWindow()
{
    HWND window = m_hWnd;
    Detach();
    return window;
}

bool CWnd::DestroyWindow()
{
    if (!m_hWnd)
        return false;
    HWND window = m_hWnd;
    // WM_NCDESTROY detaches the object; a window of another thread (or one
    // whose procedure was replaced after ours) is detached here.
    const bool destroyed = ::DestroyWindow(window) != FALSE;
    if (m_hWnd == window)
        Detach();
    return destroyed;
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) const
{
    return ::SendMessageA(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) const
{
    return ::PostMessageA(m_hWnd, message, wParam, lParam);
}

HWND CWnd::GetDlgItem(int id) const { return ::GetDlgItem(m_hWnd, id); }

int CWnd::GetDlgCtrlID() const { return ::GetDlgCtrlID(m_hWnd); }

HWND CWnd::GetParent() const { return ::GetParent(m_hWnd); }

void CWnd::SetWindowText(const char* text) { ::SetWindowTextA(m_hWnd, text ? text : ""); }

std::string CWnd::GetWindowText() const
{
    const int length = ::GetWindowTextLengthA(m_hWnd);
    std::string text(static_cast<size_t>(length > 0 ? length : 0) + 1, '\0');
    const int copied = ::GetWindowTextA(m_hWnd, text.data(), static_cast<int>(text.size()));
    text.resize(static_cast<size_t>(copied > 0 ? copied : 0));
    return text;
}

void CWnd::GetClientRect(RECT* rect) const { ::GetClientRect(m_hWnd, rect); }

void CWnd::GetWindowRect(RECT* rect) const { ::GetWindowRect(m_hWnd, rect); }

void CWnd::ScreenToClient(RECT* rect) const
{
    ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(rect), 2);
}

void CWnd::MoveWindow(const RECT& rect, bool repaint)
{
    ::MoveWindow(m_hWnd, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, repaint);
}

BOOL CWnd::ShowWindow(int command) { return ::ShowWindow(m_hWnd, command); }

BOOL CWnd::EnableWindow(bool enable) { return ::EnableWindow(m_hWnd, enable); }

bool CWnd::IsWindowVisible() const { return ::IsWindowVisible(m_hWnd) != FALSE; }

bool CWnd::IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd) != FALSE; }

void CWnd::Invalidate(bool erase) { ::InvalidateRect(m_hWnd, nullptr, erase); }

void CWnd::InvalidateRect(const RECT* rect, bool erase) { ::InvalidateRect(m_hWnd, rect, erase); }

void CWnd::UpdateWindow() { ::UpdateWindow(m_hWnd); }

HWND CWnd::SetCapture() { return ::SetCapture(m_hWnd); }

BOOL CWnd::ReleaseCapture() { return ::ReleaseCapture(); }

HWND CWnd::GetCapture() { return ::GetCapture(); }

UINT_PTR CWnd::SetTimer(UINT_PTR id, UINT elapse) { return ::SetTimer(m_hWnd, id, elapse, nullptr); }

BOOL CWnd::KillTimer(UINT_PTR id) { return ::KillTimer(m_hWnd, id); }

LRESULT CWnd::Default()
{
    m_current.defaultResult = DefWindowProc(m_current.message, m_current.wParam, m_current.lParam);
    return m_current.defaultResult;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_previousProc)
        return ::CallWindowProcA(m_previousProc, m_hWnd, message, wParam, lParam);
    return ::DefWindowProcA(m_hWnd, message, wParam, lParam);
}
