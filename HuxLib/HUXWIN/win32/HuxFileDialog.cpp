#include "HuxLib/HUXWIN/win32/HuxFileDialog.h"

// after <windows.h>, which it needs
#include <commdlg.h>

#include "HuxLib/HUXWIN/win32/HuxText.h"

#include <vector>

std::optional<std::string> HuxAskForFile(const HuxFileQuestion& question)
{
    const std::wstring title = HuxWideFromAnsi(question.title);
    const std::wstring extension = HuxWideFromAnsi(question.extension);
    const std::wstring folder = HuxWideFromAnsi(question.folder);
    // Pairs of name and pattern, each ended by a null, the list by another.
    std::wstring filter = HuxWideFromAnsi(question.filterName);
    filter += L'\0';
    filter += L"*." + extension;
    filter += L'\0';
    std::vector<wchar_t> file(32768, L'\0');

    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = question.owner;
    dialog.lpstrFilter = filter.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = file.data();
    dialog.nMaxFile = DWORD(file.size());
    dialog.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
    dialog.lpstrTitle = title.c_str();
    dialog.lpstrDefExt = extension.c_str();
    dialog.Flags = OFN_EXPLORER | OFN_ENABLESIZING | OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST |
                   (question.save ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST);
    const BOOL chosen = question.save ? GetSaveFileNameW(&dialog) : GetOpenFileNameW(&dialog);
    if (!chosen)
        return std::nullopt;
    std::string path;
    return HuxAnsiFromWide(file.data(), path) ? path : std::string();
}
