#include "ui/win32/HuxPSPreviewLocatorPopup.h"

#include "HuxLib/HUXCTRL/win32/HuxDrawSteps.h"
#include "HuxLib/HUXUTIL/win32/HuxGdiSelection.h"
#include "HuxLib/HUXUTIL/win32/HuxPaintDC.h"
#include "effect/CPSPlimPluginApp.h"
#include "ui/PSPlimEditorCommands.h"
#include "ui/win32/HuxPSPreviewLocatorButton.h"

bool HuxPSPreviewLocatorPopup::Create(int screenX, int screenY)
{
    if (m_hWnd)
        CancelGesture();
    const HuxPointI border{GetSystemMetrics(SM_CXDLGFRAME), GetSystemMetrics(SM_CYDLGFRAME)};
    const HuxRect rect = HuxPSLocatorWindowRect({screenX, screenY}, m_commands.LocatorSize(), border);
    CreateEx(WS_EX_DLGMODALFRAME, nullptr, "Preview Locator", WS_POPUP | WS_DLGFRAME, HuxToRECT(rect), nullptr, 0);
    return m_hWnd != nullptr;
}

LRESULT HuxPSPreviewLocatorPopup::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE: {
        const LRESULT result = Default();
        if (result != -1)
            BeginGesture();
        return result;
    }
    case WM_ERASEBKGND: return 1; // the paint covers the whole client area
    case WM_CAPTURECHANGED:
        // Another window took the mouse: the release will not come here.
        if (m_frame && reinterpret_cast<HWND>(lParam) != m_hWnd)
            CancelGesture();
        return 0;
    default: return CWnd::WindowProc(message, wParam, lParam);
    }
}

// The frame starts under the cursor, so that a release without moving
// keeps the view.
void HuxPSPreviewLocatorPopup::BeginGesture()
{
    SetCapture();
    RECT client{};
    GetClientRect(&client);
    m_frame.emplace(m_commands.BeginLocate(HuxFromRECT(client)));
    POINT cursor{m_frame->StartCursor().x, m_frame->StartCursor().y};
    ClientToScreen(m_hWnd, &cursor);
    SetCursorPos(cursor.x, cursor.y);
    // The mouse is captured, so no WM_SETCURSOR asks for it.
    SetCursor(reinterpret_cast<HCURSOR>(m_commands.App().GetDragCursor()));
}

void HuxPSPreviewLocatorPopup::CancelGesture()
{
    m_frame.reset();
    DestroyWindow();
}

void HuxPSPreviewLocatorPopup::OnPaint()
{
    const HuxPaintDC paint(m_hWnd);
    if (const HDC buffer = m_backBuffer.Begin()) {
        RECT client{};
        GetClientRect(&client);
        if (const HuxImage2* thumbnail = m_commands.App().GetThumbnail()) {
            thumbnail->Draw(buffer, HuxFromRECT(client), HuxRect{0, 0, thumbnail->Width(), thumbnail->AbsHeight()});
            if (m_frame) {
                const HuxRect& frame = m_frame->FrameRect();
                const HuxSelection brush(buffer, GetStockObject(HOLLOW_BRUSH));
                const HuxSelection pen(buffer, GetStockObject(BLACK_PEN));
                SetROP2(buffer, R2_NOT);
                Rectangle(buffer, frame.left, frame.top, frame.right, frame.bottom);
                SetROP2(buffer, R2_COPYPEN);
            }
        } else {
            HuxFillSolid(buffer, HuxFromRECT(client), GetSysColor(COLOR_WINDOW));
        }
        m_backBuffer.Flush(paint.Get());
    }
}

void HuxPSPreviewLocatorPopup::OnMouseMove(UINT, POINT point)
{
    if (!m_frame)
        return;
    m_frame->MoveTo({point.x, point.y});
    RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

// The view changes only here; the dialog learns of it through the button's
// command.
void HuxPSPreviewLocatorPopup::OnLButtonUp(UINT, POINT point)
{
    if (!m_frame)
        return;
    HuxPSLocatorFrame frame = *m_frame;
    m_frame.reset();
    ReleaseCapture();
    DestroyWindow();
    m_commands.EndLocate(frame, {point.x, point.y});
    const HWND button = m_button->GetSafeHwnd();
    ::SendMessageA(::GetParent(button), WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(button), BN_CLICKED),
                   reinterpret_cast<LPARAM>(button));
}
