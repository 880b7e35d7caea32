#include "ui/win32/HuxPSPreviewLocatorButton.h"

#include <windowsx.h>

LRESULT HuxPSPreviewLocatorButton::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    // The press opens the popup, which takes the mouse until the release;
    // the button's own press handling never runs. A quick second press
    // arrives as a double click and opens it too.
    if (message == WM_LBUTTONDOWN || message == WM_LBUTTONDBLCLK) {
        POINT press{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        ClientToScreen(m_hWnd, &press);
        if (m_popup.Create(press.x, press.y))
            m_popup.ShowWindow(SW_SHOW);
        return 0;
    }
    return HuxBitmapButton::WindowProc(message, wParam, lParam);
}
