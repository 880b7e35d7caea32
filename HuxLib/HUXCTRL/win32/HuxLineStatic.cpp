#include "HuxLib/HUXCTRL/win32/HuxLineStatic.h"

#include "HuxLib/HUXCTRL/HuxLineStatic.h"
#include "HuxLib/HUXCTRL/win32/HuxDrawSteps.h"

LRESULT HuxLineStatic::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    // The two rows cover what they draw; erasing first would only flicker.
    if (message == WM_ERASEBKGND)
        return TRUE;
    return CStatic::WindowProc(message, wParam, lParam);
}

void HuxLineStatic::OnPaint()
{
    PAINTSTRUCT paint;
    const HDC dc = BeginPaint(m_hWnd, &paint);
    RECT client{};
    GetClientRect(&client);
    HuxRunDrawSteps(dc, HuxLineStaticSteps(HuxFromRECT(client)));
    EndPaint(m_hWnd, &paint);
}
