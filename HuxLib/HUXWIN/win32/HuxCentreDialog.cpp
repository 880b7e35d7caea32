#include "HuxLib/HUXWIN/win32/HuxCentreDialog.h"

#include "HuxLib/HUXWIN/HuxDialogPlacement.h"

namespace {

HuxRect FromRect(const RECT& rect) { return {rect.left, rect.top, rect.right, rect.bottom}; }

bool UsableOwner(HWND owner) { return owner && IsWindow(owner) && IsWindowVisible(owner) && !IsIconic(owner); }

} // namespace

std::optional<HuxRect> HuxUsableOwnerRect(HWND owner)
{
    RECT ownerWindow{};
    if (UsableOwner(owner) && GetWindowRect(owner, &ownerWindow))
        return FromRect(ownerWindow);
    return std::nullopt;
}

std::optional<HuxRect> HuxOwnerWorkArea(HWND owner)
{
    // A minimised owner's monitor is still the one it belongs to.
    const HMONITOR monitor = owner && IsWindow(owner) ? MonitorFromWindow(owner, MONITOR_DEFAULTTONEAREST)
                                                      : MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY);
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (!GetMonitorInfoA(monitor, &info))
        return std::nullopt;
    return FromRect(info.rcWork);
}

void HuxCentreDialog(HWND dialog, HWND owner)
{
    RECT window{};
    const std::optional<HuxRect> workArea = HuxOwnerWorkArea(owner);
    if (!GetWindowRect(dialog, &window) || !workArea)
        return;
    const HuxRect placed = HuxDialogPlacement(FromRect(window), HuxUsableOwnerRect(owner), *workArea);
    SetWindowPos(dialog, nullptr, placed.left, placed.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
