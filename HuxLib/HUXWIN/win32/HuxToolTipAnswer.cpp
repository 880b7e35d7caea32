#include "HuxLib/HUXWIN/win32/HuxToolTipAnswer.h"

#include <algorithm>
#include <cstddef>
#include <string_view>

#include "HuxLib/HUXWIN/HuxTooltipText.h"
#include "HuxLib/HUXWIN/win32/HuxCommonControls.h"
#include "HuxLib/HUXWIN/win32/HuxText.h"

namespace {

// Both forms start alike up to the text buffer; these fields are at the
// same place in each, but typed apart for the buffer's width.
static_assert(offsetof(NMTTDISPINFOA, lpszText) == offsetof(NMTTDISPINFOW, lpszText));
static_assert(offsetof(NMTTDISPINFOA, szText) == offsetof(NMTTDISPINFOW, szText));
static_assert(sizeof(NMTTDISPINFOA::szText) == kHuxTooltipBufferSize);
static_assert(sizeof(NMTTDISPINFOW::szText) == kHuxTooltipBufferSize * sizeof(WCHAR));

} // namespace

bool HuxIsToolTipTextRequest(const NMHDR& header)
{
    return header.code == TTN_NEEDTEXTA || header.code == TTN_NEEDTEXTW;
}

UINT HuxToolTipRequestId(const NMHDR& header)
{
    // uFlags sits at different offsets in the two forms.
    const UINT flags = header.code == TTN_NEEDTEXTW ? reinterpret_cast<const NMTTDISPINFOW&>(header).uFlags
                                                    : reinterpret_cast<const NMTTDISPINFOA&>(header).uFlags;
    if (flags & TTF_IDISHWND)
        return static_cast<UINT>(::GetDlgCtrlID(reinterpret_cast<HWND>(header.idFrom)));
    return static_cast<UINT>(header.idFrom);
}

bool HuxAnswerToolTipWithTip(NMHDR& header, UINT stringId)
{
    const std::wstring_view command = HuxStringResource(stringId);
    if (header.code == TTN_NEEDTEXTW) {
        const std::optional<std::wstring> tip = HuxTooltipTip(command);
        if (!tip)
            return false;
        auto& info = reinterpret_cast<NMTTDISPINFOW&>(header);
        std::copy(tip->begin(), tip->end(), info.szText);
        info.szText[tip->size()] = L'\0';
        info.lpszText = info.szText;
        info.hinst = nullptr;
        return true;
    }
    // The ANSI form: the tip in the system's code page, then cut to fit.
    std::string ansi;
    if (!command.empty()) {
        const int length = static_cast<int>(command.size());
        const int needed = WideCharToMultiByte(CP_ACP, 0, command.data(), length, nullptr, 0, nullptr, nullptr);
        ansi.assign(static_cast<size_t>(std::max(needed, 0)), '\0');
        WideCharToMultiByte(CP_ACP, 0, command.data(), length, ansi.data(), needed, nullptr, nullptr);
    }
    const std::optional<std::string> tip = HuxTooltipTip(ansi);
    if (!tip)
        return false;
    auto& info = reinterpret_cast<NMTTDISPINFOA&>(header);
    std::copy(tip->begin(), tip->end(), info.szText);
    info.szText[tip->size()] = '\0';
    info.lpszText = info.szText;
    info.hinst = nullptr;
    return true;
}

void HuxAnswerToolTipWithResource(NMHDR& header, UINT stringId)
{
    if (header.code == TTN_NEEDTEXTW) {
        auto& info = reinterpret_cast<NMTTDISPINFOW&>(header);
        info.lpszText = MAKEINTRESOURCEW(stringId);
        info.hinst = HuxResourceModule();
    } else {
        auto& info = reinterpret_cast<NMTTDISPINFOA&>(header);
        info.lpszText = MAKEINTRESOURCEA(stringId);
        info.hinst = HuxResourceModule();
    }
}
