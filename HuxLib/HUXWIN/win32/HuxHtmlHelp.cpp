// HTML Help on Windows: the help file's path in the ANSI code page, and the
// "What's This?" menu.
#include "HuxLib/HUXWIN/HuxHtmlHelp.h"

#include <windows.h>

#include "HuxLib/HUXWIN/HuxHelpPath.h"
#include "HuxLib/HUXWIN/HuxHtmlHelpViewer.h"
#include "HuxLib/HUXWIN/HuxWhatsThis.h"
#include "HuxLib/HUXWIN/win32/HuxText.h"

namespace {

// HtmlHelpA takes an ANSI path. When the help file's path has characters
// the ANSI code page lacks, the directory's short (8.3) form names the same
// file in plain ASCII.
std::string AnsiHelpPath(const std::string& helpFile)
{
    const std::wstring wide = HuxWideFromUtf8(helpFile);
    if (std::string ansi; HuxAnsiFromWide(wide, ansi))
        return ansi;
    const size_t cut = wide.find_last_of(L"\\/");
    const std::wstring directory = wide.substr(0, cut == std::wstring::npos ? 0 : cut);
    std::wstring shortDirectory(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            GetShortPathNameW(directory.c_str(), shortDirectory.data(), static_cast<DWORD>(shortDirectory.size()));
        if (length == 0)
            return {};
        if (length < shortDirectory.size()) {
            shortDirectory.resize(length);
            break;
        }
        shortDirectory.resize(length);
    }
    std::string ansi;
    if (!HuxAnsiFromWide(shortDirectory + wide.substr(cut), ansi))
        return {};
    return ansi;
}

} // namespace

std::string HuxModuleFilePath(void* module)
{
    // Paths may be longer than MAX_PATH: grow until the name fits.
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(static_cast<HMODULE>(module), path.data(), static_cast<DWORD>(path.size()));
        if (length == 0)
            return {};
        if (length < path.size()) {
            path.resize(length);
            return HuxUtf8FromWide(path);
        }
        if (path.size() >= 0x10000)
            return {};
        path.resize(path.size() * 2);
    }
}

void HuxHtmlHelp(intptr_t window, const std::string& helpFile, std::string_view topic, unsigned command,
                 uintptr_t data)
{
    const std::string ansiFile = AnsiHelpPath(helpFile);
    if (ansiFile.empty())
        return;
    HuxShowHtmlHelp({window, ansiFile + std::string(topic), command, data});
}

void HuxShowWhatsThisMenu(intptr_t dialogHandle, const std::string& helpFile, std::string_view topic,
                          const uint32_t* idTable, HuxPointI screenPoint)
{
    HWND dialog = reinterpret_cast<HWND>(dialogHandle);
    const auto placementOf = [dialog](uint32_t id) {
        HuxControlPlacement placement;
        HWND control = GetDlgItem(dialog, static_cast<int>(id));
        RECT rect{};
        if (!control || !GetWindowRect(control, &rect))
            return placement;
        placement.exists = true;
        placement.visible = IsWindowVisible(control) != FALSE;
        placement.window = {rect.left, rect.top, rect.right, rect.bottom};
        return placement;
    };
    const std::optional<uint32_t> hit = HuxWhatsThisHit(idTable, placementOf, screenPoint);
    if (!hit)
        return;
    HMENU menu = CreatePopupMenu();
    if (!menu)
        return;
    AppendMenuA(menu, MF_STRING, kHuxWhatsThisCommand, kHuxWhatsThisText);
    const UINT flags = TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY;
    const BOOL chosen = TrackPopupMenu(menu, flags, screenPoint.x, screenPoint.y, 0, dialog, nullptr);
    DestroyMenu(menu);
    if (chosen == static_cast<BOOL>(kHuxWhatsThisCommand)) {
        HWND control = GetDlgItem(dialog, static_cast<int>(*hit));
        HuxHtmlHelp(reinterpret_cast<intptr_t>(control), helpFile, topic, kHuxHelpContextMenu,
                    reinterpret_cast<uintptr_t>(idTable));
    }
}
