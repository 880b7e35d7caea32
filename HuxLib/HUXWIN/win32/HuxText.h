// Conversions between UTF-8 (the library's strings), UTF-16 (the system's
// wide strings) and the system's ANSI code page.
#pragma once

#include <string>

std::wstring HuxWideFromUtf8(const std::string& text);
std::string HuxUtf8FromWide(const std::wstring& text);
// False when `text` has a character the ANSI code page cannot represent.
bool HuxAnsiFromWide(const std::wstring& text, std::string& ansi);
