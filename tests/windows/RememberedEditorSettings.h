// The editor's placement as the plug-in remembers it for the user
// (HKCU\Software\Squelm, value EditorPlacement, "left,top,right,bottom,
// maximised"): tests that move the editor set it or forget it, so that no
// other test opens a moved editor.
#pragma once

#include <windows.h>

#include <cstring>

namespace RememberedEditorPlacement {

inline constexpr const char* kKey = "Software\\Squelm";
inline constexpr const char* kValue = "EditorPlacement";

inline void Forget() { RegDeleteKeyValueA(HKEY_CURRENT_USER, kKey, kValue); }

inline void Set(const char* text)
{
    RegSetKeyValueA(HKEY_CURRENT_USER, kKey, kValue, REG_SZ, text, DWORD(std::strlen(text) + 1));
}

} // namespace RememberedEditorPlacement
