#include "HuxLib/HUXCTRL/win32/HuxLineStatic.h"

#include "HuxLib/HUXCTRL/HuxLineStatic.h"
#include "HuxLib/HUXCTRL/win32/HuxDrawSteps.h"
#include "HuxLib/HUXUTIL/win32/HuxPaintDC.h"

LRESULT HuxLineStatic::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    // The two rows cover what they draw; erasing first would only flicker.
    if (message == WM_ERASEBKGND)
        return TRUE;
    return CStatic::WindowProc(message, wParam, lParam);
}

void HuxLineStatic::OnPaint()
{
    const HuxPaintDC paint(m_hWnd);
    RECT client{};
    GetClientRect(&client);
    HuxRunDrawSteps(paint.Get(), HuxLineStaticSteps(HuxFromRECT(client)));
}
