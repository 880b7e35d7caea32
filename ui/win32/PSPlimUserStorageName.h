// The name under which the editor keeps what it remembers for the user:
// the registry key HKCU\Software\Squelm and the folder Squelm in the
// user's application data.
#pragma once

inline constexpr const wchar_t* kPSPlimUserStorageName = L"Squelm";
