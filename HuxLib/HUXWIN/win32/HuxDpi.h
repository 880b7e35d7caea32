// The system's per-monitor DPI functions, each looked up when first used:
// systems before Windows 10 (1607, 1703) have none of them, and the
// plug-in must still load there. Each answers as the older system would
// where the function is missing.
#pragma once

#include <windows.h>

// The resolution the window is shown at; the screen's where the system
// knows no per-window resolution.
int HuxWindowDpi(HWND window);
int HuxSystemMetricForDpi(int index, int dpi);
void HuxAdjustWindowRectForDpi(RECT& rect, DWORD style, DWORD exStyle, int dpi);
// The dialog's layout after a DPI change is the dialog's own business:
// the dialog manager neither resizes it nor moves or refonts its controls.
void HuxTakeOverDialogDpiChanges(HWND dialog);

// While it lasts, the windows this thread creates are per-monitor DPI
// aware (version 2: the system also scales their frames; else version 1),
// whatever the host process declared, where the system offers that per
// thread. The thread's earlier awareness comes back at the end.
class HuxPerMonitorDpiScope {
public:
    HuxPerMonitorDpiScope();
    ~HuxPerMonitorDpiScope();
    HuxPerMonitorDpiScope(const HuxPerMonitorDpiScope&) = delete;
    HuxPerMonitorDpiScope& operator=(const HuxPerMonitorDpiScope&) = delete;

private:
    DPI_AWARENESS_CONTEXT m_previous = nullptr;
};
