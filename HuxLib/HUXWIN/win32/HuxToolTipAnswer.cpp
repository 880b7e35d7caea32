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
    const std::optional<std::string> tip = HuxTooltipTip(HuxLoadAnsiString(stringId));
    if (!tip)
        return false;
    HuxAnswerToolTipWithText(header, *tip);
    return true;
}

// The wide form gets the text in the system's code page.
void HuxAnswerToolTipWithText(NMHDR& header, std::string_view text)
{
    const size_t length = std::min(text.size(), kHuxTooltipBufferSize - 1);
    if (header.code == TTN_NEEDTEXTW) {
        auto& info = reinterpret_cast<NMTTDISPINFOW&>(header);
        const int written = MultiByteToWideChar(CP_ACP, 0, text.data(), int(length), info.szText,
                                                int(kHuxTooltipBufferSize - 1));
        info.szText[std::max(written, 0)] = L'\0';
        info.lpszText = info.szText;
        info.hinst = nullptr;
        return;
    }
    auto& info = reinterpret_cast<NMTTDISPINFOA&>(header);
    std::copy(text.begin(), text.begin() + std::ptrdiff_t(length), info.szText);
    info.szText[length] = '\0';
    info.lpszText = info.szText;
    info.hinst = nullptr;
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
