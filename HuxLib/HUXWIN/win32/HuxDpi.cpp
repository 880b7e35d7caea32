#include "HuxLib/HUXWIN/win32/HuxDpi.h"

#include "HuxLib/HUXWIN/win32/HuxUser32Function.h"

namespace {

using GetDpiForWindowProc = UINT(WINAPI*)(HWND);
using GetSystemMetricsForDpiProc = int(WINAPI*)(int, UINT);
using AdjustWindowRectExForDpiProc = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
using SetDialogDpiChangeBehaviorProc = BOOL(WINAPI*)(HWND, DIALOG_DPI_CHANGE_BEHAVIORS, DIALOG_DPI_CHANGE_BEHAVIORS);
using SetThreadDpiAwarenessContextProc = DPI_AWARENESS_CONTEXT(WINAPI*)(DPI_AWARENESS_CONTEXT);

SetThreadDpiAwarenessContextProc ThreadContextSetter()
{
    static const auto setContext = HuxUser32Function<SetThreadDpiAwarenessContextProc>("SetThreadDpiAwarenessContext");
    return setContext;
}

int ScreenDpi()
{
    HDC screen = GetDC(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 0;
    if (screen)
        ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : USER_DEFAULT_SCREEN_DPI;
}

} // namespace

int HuxWindowDpi(HWND window)
{
    static const auto getDpiForWindow = HuxUser32Function<GetDpiForWindowProc>("GetDpiForWindow");
    const UINT dpi = getDpiForWindow && window ? getDpiForWindow(window) : 0;
    return dpi ? int(dpi) : ScreenDpi();
}

int HuxSystemMetricForDpi(int index, int dpi)
{
    static const auto getMetric = HuxUser32Function<GetSystemMetricsForDpiProc>("GetSystemMetricsForDpi");
    return getMetric ? getMetric(index, UINT(dpi)) : GetSystemMetrics(index);
}

void HuxAdjustWindowRectForDpi(RECT& rect, DWORD style, DWORD exStyle, int dpi)
{
    static const auto adjust = HuxUser32Function<AdjustWindowRectExForDpiProc>("AdjustWindowRectExForDpi");
    if (!adjust || !adjust(&rect, style, FALSE, exStyle, UINT(dpi)))
        AdjustWindowRectEx(&rect, style, FALSE, exStyle);
}

void HuxTakeOverDialogDpiChanges(HWND dialog)
{
    static const auto setBehaviour = HuxUser32Function<SetDialogDpiChangeBehaviorProc>("SetDialogDpiChangeBehavior");
    if (setBehaviour)
        setBehaviour(dialog, DDC_DISABLE_ALL, DDC_DISABLE_ALL);
}

HuxPerMonitorDpiScope::HuxPerMonitorDpiScope()
{
    // Version 1 where the system predates version 2 (Windows 10 1607) or,
    // as Wine 8, refuses it: the dialog scales itself either way, only the
    // frame stays unscaled. Null previous: the thread stays as it was.
    if (const auto setContext = ThreadContextSetter()) {
        m_previous = setContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
        if (!m_previous)
            m_previous = setContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE);
    }
}

HuxPerMonitorDpiScope::~HuxPerMonitorDpiScope()
{
    if (m_previous)
        ThreadContextSetter()(m_previous);
}
