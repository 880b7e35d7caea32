#include "ui/win32/HuxPSZoomRatioStatic.h"

#include <string>

#include "HuxLib/HUXCTRL/win32/HuxDrawSteps.h"
#include "HuxLib/HUXUTIL/win32/HuxPaintDC.h"
#include "ui/HuxPSZoomRatio.h"

LRESULT HuxPSZoomRatioStatic::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_ERASEBKGND)
        return 1; // the paint fills the whole label
    return CStatic::WindowProc(message, wParam, lParam);
}

void HuxPSZoomRatioStatic::OnPaint()
{
    const HuxPaintDC paint(m_hWnd);
    const HDC dc = paint.Get();
    const int saved = SaveDC(dc);
    RECT client{};
    GetClientRect(&client);
    HuxFillSolid(dc, HuxFromRECT(client), GetSysColor(COLOR_BTNFACE));
    const std::string text = HuxPSZoomRatioText(*m_app, m_showFitRatio != 0);
    const int length = int(text.size());
    SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    SIZE size{};
    GetTextExtentPoint32A(dc, text.c_str(), length, &size);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    ExtTextOutA(dc, client.right / 2 - size.cx / 2, client.bottom / 2 - size.cy / 2, ETO_CLIPPED, &client,
                text.c_str(), UINT(length), nullptr);
    RestoreDC(dc, saved);
}
