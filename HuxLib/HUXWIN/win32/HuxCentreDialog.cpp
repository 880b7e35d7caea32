#include "HuxLib/HUXWIN/win32/HuxCentreDialog.h"

#include "HuxLib/HUXWIN/HuxDialogPlacement.h"

namespace {

HuxRect FromRect(const RECT& rect) { return {rect.left, rect.top, rect.right, rect.bottom}; }

bool UsableOwner(HWND owner) { return owner && IsWindow(owner) && IsWindowVisible(owner) && !IsIconic(owner); }

} // namespace

void HuxCentreDialog(HWND dialog, HWND owner)
{
    RECT window{};
    if (!GetWindowRect(dialog, &window))
        return;
    std::optional<HuxRect> ownerRect;
    RECT ownerWindow{};
    if (UsableOwner(owner) && GetWindowRect(owner, &ownerWindow))
        ownerRect = FromRect(ownerWindow);
    // A minimised owner's monitor is still the one it belongs to.
    const HMONITOR monitor = owner && IsWindow(owner) ? MonitorFromWindow(owner, MONITOR_DEFAULTTONEAREST)
                                                      : MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY);
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (!GetMonitorInfoA(monitor, &info))
        return;
    const HuxRect placed = HuxDialogPlacement(FromRect(window), ownerRect, FromRect(info.rcWork));
    SetWindowPos(dialog, nullptr, placed.left, placed.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
