// Tooltips for a dialog's child controls.
#include "HuxLib/HUXWIN/win32/CDialog.h"

#include <commctrl.h>

#include "HuxLib/HUXWIN/win32/HuxCommonControls.h"

namespace {

struct ToolList {
    HWND dialog;
    HWND toolTips;
};

BOOL CALLBACK AddTool(HWND child, LPARAM context) noexcept
{
    const ToolList& list = *reinterpret_cast<const ToolList*>(context);
    if (::GetParent(child) != list.dialog)
        return TRUE; // only the dialog's own children: a combo box's edit asks through its box
    TTTOOLINFOA tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = list.dialog;
    tool.uId = reinterpret_cast<UINT_PTR>(child);
    tool.lpszText = LPSTR_TEXTCALLBACKA;
    ::SendMessageA(list.toolTips, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    return TRUE;
}

} // namespace

void CDialog::EnableToolTips(bool enable)
{
    if (!enable) {
        if (m_toolTips)
            ::DestroyWindow(m_toolTips);
        m_toolTips = nullptr;
        return;
    }
    if (m_toolTips)
        return;
    HuxEnsureCommonControls();
    const HuxVisualStyleScope styles;
    m_toolTips = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                                 CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, m_hWnd, nullptr, HuxResourceModule(),
                                 nullptr);
    if (!m_toolTips)
        return;
    ToolList list{m_hWnd, m_toolTips};
    EnumChildWindows(m_hWnd, &AddTool, reinterpret_cast<LPARAM>(&list));
}
