// Conversions between UTF-8 (the library's strings), UTF-16 (the system's
// wide strings) and the system's ANSI code page.
#pragma once

#include <string>
#include <string_view>

std::wstring HuxWideFromUtf8(const std::string& text);
std::string HuxUtf8FromWide(const std::wstring& text);
// False when `text` has a character the ANSI code page cannot represent.
bool HuxAnsiFromWide(const std::wstring& text, std::string& ansi);
std::wstring HuxWideFromAnsi(const std::string& text);

// String resource `id` of the framework's module as the module holds it
// (wide, not zero-terminated); empty when there is none.
std::wstring_view HuxStringResource(unsigned id);
// The same in the system's ANSI code page, for the ANSI controls.
std::string HuxLoadAnsiString(unsigned id);
