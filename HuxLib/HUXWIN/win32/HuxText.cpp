#include "HuxLib/HUXWIN/win32/HuxText.h"

#include <windows.h>

#include "HuxLib/HUXWIN/win32/HuxCommonControls.h"

#include <climits>

namespace {

int LengthOf(size_t size)
{
    return size > static_cast<size_t>(INT_MAX) ? -1 : static_cast<int>(size);
}

std::wstring WideFrom(UINT codePage, const std::string& text)
{
    const int length = LengthOf(text.size());
    if (length <= 0)
        return {};
    const int needed = MultiByteToWideChar(codePage, 0, text.data(), length, nullptr, 0);
    std::wstring wide(static_cast<size_t>(needed > 0 ? needed : 0), L'\0');
    if (needed > 0)
        MultiByteToWideChar(codePage, 0, text.data(), length, wide.data(), needed);
    return wide;
}

} // namespace

std::wstring HuxWideFromUtf8(const std::string& text) { return WideFrom(CP_UTF8, text); }

std::wstring HuxWideFromAnsi(const std::string& text) { return WideFrom(CP_ACP, text); }

std::string HuxUtf8FromWide(const std::wstring& text)
{
    const int length = LengthOf(text.size());
    if (length <= 0)
        return {};
    const int needed = WideCharToMultiByte(CP_UTF8, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<size_t>(needed > 0 ? needed : 0), '\0');
    if (needed > 0)
        WideCharToMultiByte(CP_UTF8, 0, text.data(), length, utf8.data(), needed, nullptr, nullptr);
    return utf8;
}

bool HuxAnsiFromWide(const std::wstring& text, std::string& ansi)
{
    ansi.clear();
    const int length = LengthOf(text.size());
    if (length < 0)
        return false;
    if (length == 0)
        return true;
    BOOL lossy = FALSE;
    const int needed = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), length, nullptr, 0, nullptr, &lossy);
    if (needed <= 0 || lossy)
        return false;
    ansi.assign(static_cast<size_t>(needed), '\0');
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), length, ansi.data(), needed, nullptr, nullptr);
    return true;
}

std::wstring_view HuxStringResource(unsigned id)
{
    const wchar_t* text = nullptr;
    const int length = LoadStringW(HuxResourceModule(), id, reinterpret_cast<LPWSTR>(&text), 0);
    return length > 0 && text ? std::wstring_view(text, static_cast<size_t>(length)) : std::wstring_view();
}

std::string HuxLoadAnsiString(unsigned id)
{
    std::string ansi;
    HuxAnsiFromWide(std::wstring(HuxStringResource(id)), ansi);
    return ansi;
}
