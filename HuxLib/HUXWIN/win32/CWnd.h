// Our small window framework over Win32, shaped after the class framework
// whose names the rest of the library uses. A CWnd is one window: created
// by it, or an existing window (a dialog item) attached by subclassing. The
// object is found through the window itself (a window property), never
// through a process-wide map. Messages reach virtual handlers; whatever a
// handler does not take goes on to the window's default processing.
//
// No C++ exception ever leaves a window procedure: see HuxWindowBarrier.h.
#pragma once

#include <windows.h>

#include <string>

#include "HuxLib/HUXWIN/CCmdUI.h"

class CWnd {
public:
    CWnd();
    // Destroys a window this object still holds.
    virtual ~CWnd();
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    HWND m_hWnd = nullptr;
    HWND GetSafeHwnd() const { return m_hWnd; }

    // The object attached to a window, or null.
    static CWnd* FromHandlePermanent(HWND window);

    // ---- Creation and attachment --------------------------------------------
    // A window of the framework's own class (className null) or of a system
    // class (attached by subclassing once created). Throws when Windows
    // refuses, or rethrows what a handler threw during creation.
    void CreateEx(DWORD exStyle, const char* className, const char* text, DWORD style, const RECT& rect,
                  CWnd* parent, UINT id);
    // Attaches the dialog item `id` of parent; false when there is none.
    bool SubclassDlgItem(UINT id, CWnd* parent);
    bool SubclassWindow(HWND window);
    // Gives the window its own procedure back; returns it.
    HWND UnsubclassWindow();
    bool DestroyWindow();

    // ---- Plain window operations ---------------------------------------------
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    HWND GetDlgItem(int id) const;
    int GetDlgCtrlID() const;
    HWND GetParent() const;
    void SetWindowText(const char* text);
    std::string GetWindowText() const;
    void GetClientRect(RECT* rect) const;
    void GetWindowRect(RECT* rect) const;
    void ScreenToClient(RECT* rect) const;
    void MoveWindow(const RECT& rect, bool repaint = true);
    BOOL ShowWindow(int command);
    BOOL EnableWindow(bool enable = true);
    bool IsWindowVisible() const;
    bool IsWindowEnabled() const;
    void Invalidate(bool erase = true);
    void InvalidateRect(const RECT* rect, bool erase = true);
    void UpdateWindow();
    HWND SetCapture();
    static BOOL ReleaseCapture();
    static HWND GetCapture();
    UINT_PTR SetTimer(UINT_PTR id, UINT elapse);
    BOOL KillTimer(UINT_PTR id);

    // ---- Messages -------------------------------------------------------------
    // Every message of the window arrives here; the default dispatches the
    // messages below to their handlers and the rest to Default().
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // The current message's default processing (the window's own procedure
    // for an attached window, the system's for one of ours).
    LRESULT Default();

    // A notification this window's parent received from it (WM_COMMAND,
    // WM_NOTIFY, WM_CTLCOLOR*), offered to the control first so that a
    // control class can handle its own. True when the parent must not see
    // it; the parent then answers *result.
    virtual bool OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
    // WM_COMMAND from a control, a menu or an accelerator: true when handled.
    virtual bool OnCommand(UINT id, UINT code, HWND control);
    // WM_NOTIFY from a child control: true when handled, result in *result.
    virtual bool OnNotify(NMHDR* header, LRESULT* result);
    // The update handler of command `ui.m_nID`: sets the state of its user
    // interface and returns true, or returns false when it has none.
    virtual bool OnUpdateCommandUI(CCmdUI& ui);
    virtual void OnHScroll(UINT code, UINT position, HWND scrollBar);
    virtual void OnVScroll(UINT code, UINT position, HWND scrollBar);
    virtual void OnTimer(UINT_PTR id);
    virtual void OnPaint();
    virtual void OnSize(UINT type, int width, int height);
    virtual void OnMouseMove(UINT flags, POINT point);
    virtual void OnLButtonDown(UINT flags, POINT point);
    virtual void OnLButtonUp(UINT flags, POINT point);
    virtual void OnRButtonDown(UINT flags, POINT point);
    virtual void OnRButtonUp(UINT flags, POINT point);
    virtual void OnMButtonDown(UINT flags, POINT point);
    virtual void OnMButtonUp(UINT flags, POINT point);
    virtual void OnCaptureChanged(HWND gaining);
    virtual BOOL OnSetCursor(HWND window, UINT hitTest, UINT message);
    virtual BOOL OnHelpInfo(HELPINFO* info);
    virtual void OnContextMenu(HWND window, POINT screenPoint);
    virtual void OnDestroy();
    // WM_DRAWITEM, which a parent hands to the object of the owner-drawn
    // control it names: true when the control drew the item itself.
    virtual bool DrawItem(DRAWITEMSTRUCT& item);
    // Called once the window is gone (after WM_NCDESTROY); the object is
    // detached by then.
    virtual void PostNcDestroy();

protected:
    // The message being handled, for Default().
    struct CurrentMessage {
        UINT message = 0;
        WPARAM wParam = 0;
        LPARAM lParam = 0;
        LRESULT defaultResult = 0; // what Default() gave, for handlers without a result
    };

    // Run by SubclassWindow once the object holds the window and before
    // any of its messages arrive here (the place to adjust its style).
    virtual void PreSubclassWindow();

    // Default processing of a message for this window.
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);

private:
    friend LRESULT HuxRouteMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    void Attach(HWND window, WNDPROC previous);
    void Detach();
    LRESULT Receive(UINT message, WPARAM wParam, LPARAM lParam);

    WNDPROC m_previousProc = nullptr; // the window's own procedure while subclassed
    CurrentMessage m_current;
};

// Hands one message of a window to its object (HuxWindowProcedure's body).
LRESULT HuxRouteMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
