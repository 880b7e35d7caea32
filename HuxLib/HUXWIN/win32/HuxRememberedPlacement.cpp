#include "HuxLib/HUXWIN/win32/HuxRememberedPlacement.h"

#include <vector>

#include "HuxLib/HUXUTIL/win32/HuxUserStorage.h"
#include "HuxLib/HUXWIN/win32/HuxCentreDialog.h"
#include "HuxLib/HUXWIN/win32/HuxText.h"

namespace {

HuxRect FromRect(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

BOOL CALLBACK AddWorkArea(HMONITOR monitor, HDC, LPRECT, LPARAM areas)
{
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (GetMonitorInfoA(monitor, &info))
        reinterpret_cast<std::vector<HuxRect>*>(areas)->push_back(FromRect(info.rcWork));
    return TRUE;
}

std::vector<HuxRect> WorkAreas()
{
    std::vector<HuxRect> areas;
    EnumDisplayMonitors(nullptr, nullptr, &AddWorkArea, reinterpret_cast<LPARAM>(&areas));
    return areas;
}

// A maximised window's restored rectangle is in workspace coordinates,
// which start at the corner of its monitor's work area.
std::optional<HuxWindowPlacement> CurrentPlacement(HWND window)
{
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    if (!GetWindowPlacement(window, &placement))
        return std::nullopt;
    const bool maximised = IsZoomed(window) != FALSE;
    RECT normal{};
    if (!maximised && !IsIconic(window)) {
        GetWindowRect(window, &normal);
        return HuxWindowPlacement{FromRect(normal), false};
    }
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (!GetMonitorInfoA(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &info))
        return std::nullopt;
    normal = placement.rcNormalPosition;
    OffsetRect(&normal, info.rcWork.left - info.rcMonitor.left, info.rcWork.top - info.rcMonitor.top);
    return HuxWindowPlacement{FromRect(normal), maximised};
}

} // namespace

HuxRememberedPlacement::HuxRememberedPlacement(std::wstring application, std::wstring valueName)
    : m_application(std::move(application)), m_valueName(std::move(valueName))
{
}

void HuxRememberedPlacement::Restore(HWND window, HWND owner, SIZE minimumSize)
{
    const std::optional<std::wstring> text = HuxReadUserValue(m_application, m_valueName);
    const std::optional<HuxWindowPlacement> remembered =
        text ? HuxParsePlacement(HuxUtf8FromWide(*text)) : std::nullopt;
    const std::optional<HuxRect> ownerWorkArea = HuxOwnerWorkArea(owner);
    if (remembered && ownerWorkArea) {
        const HuxWindowPlacement placed = HuxRestoredPlacement(*remembered, {minimumSize.cx, minimumSize.cy},
                                                               WorkAreas(), HuxUsableOwnerRect(owner), *ownerWorkArea);
        const HuxRect& r = placed.normal;
        SetWindowPos(window, nullptr, r.left, r.top, r.Width(), r.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
        if (placed.maximised)
            ShowWindow(window, SW_MAXIMIZE);
    }
    m_opened = CurrentPlacement(window);
}

// Not remembering costs the user a drag next time: not worth a message.
void HuxRememberedPlacement::Save(HWND window) const
{
    const std::optional<HuxWindowPlacement> now = CurrentPlacement(window);
    if (now && now != m_opened) {
        const std::string text = HuxPlacementText(*now);
        HuxWriteUserValue(m_application, m_valueName, HuxWideFromUtf8(text));
    }
}
