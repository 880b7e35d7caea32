// What an application keeps for the current user: string values under its
// own registry key, HKCU\Software\<application>, and a folder of its own in
// the user's application data.
#pragma once

#include <optional>
#include <string>

// The value, or none when the key or the value is missing or not a string.
std::optional<std::wstring> HuxReadUserValue(const std::wstring& application, const std::wstring& name);
// False when the key cannot be made or the value written.
bool HuxWriteUserValue(const std::wstring& application, const std::wstring& name, const std::wstring& value);

// <application data>\<application>, made when missing; empty when the user
// has no application-data folder or it cannot be made.
std::wstring HuxUserDataFolder(const std::wstring& application);
