// A window's size, place and maximised state kept for the user between
// runs (one value under the application's key, HuxUserStorage): restored
// when the window opens, written when it closes if the user changed it.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "HuxLib/HUXWIN/HuxWindowPlacement.h"

class HuxRememberedPlacement {
public:
    HuxRememberedPlacement(std::wstring application, std::wstring valueName);

    // The window made and placed as it would be without a memory: moved to
    // where it was left (HuxRestoredPlacement), at least minimumSize.
    void Restore(HWND window, HWND owner, SIZE minimumSize);
    // The window closing: its placement kept if it differs from the one it
    // opened with.
    void Save(HWND window) const;

private:
    std::wstring m_application;
    std::wstring m_valueName;
    std::optional<HuxWindowPlacement> m_opened;
};
