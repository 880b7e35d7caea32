// What the plug-in remembers of the editor for the user (HKCU\Software\Squelm):
// its placement (value EditorPlacement, "left,top,right,bottom,maximised")
// and Pressure Controls Power (value PressureControlsPower, "1" on). Tests
// that change them set or forget them, so that no other test opens a moved
// editor or one whose pen pressure counts.
#pragma once

#include <windows.h>

#include <cstring>

namespace RememberedEditorSettings {

inline constexpr const char* kKey = "Software\\Squelm";
inline constexpr const char* kPlacementValue = "EditorPlacement";
inline constexpr const char* kPressureValue = "PressureControlsPower";

inline void Forget()
{
    RegDeleteKeyValueA(HKEY_CURRENT_USER, kKey, kPlacementValue);
    RegDeleteKeyValueA(HKEY_CURRENT_USER, kKey, kPressureValue);
}

inline void SetPlacement(const char* text)
{
    RegSetKeyValueA(HKEY_CURRENT_USER, kKey, kPlacementValue, REG_SZ, text, DWORD(std::strlen(text) + 1));
}

} // namespace RememberedEditorSettings
