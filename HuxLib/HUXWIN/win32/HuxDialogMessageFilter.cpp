#include "HuxLib/HUXWIN/win32/HuxDialogMessageFilter.h"

#include "HuxLib/HUXWIN/win32/CDialog.h"
#include "HuxLib/HUXWIN/win32/HuxWindowBarrier.h"

namespace {

thread_local HuxDialogMessageFilter* t_innermost = nullptr;

} // namespace

HuxDialogMessageFilter::HuxDialogMessageFilter(CDialog& dialog)
    : m_dialog(dialog), m_hook(SetWindowsHookExA(WH_MSGFILTER, &Filter, nullptr, GetCurrentThreadId())),
      m_outer(t_innermost)
{
    t_innermost = this;
}

HuxDialogMessageFilter::~HuxDialogMessageFilter()
{
    t_innermost = m_outer;
    if (m_hook)
        UnhookWindowsHookEx(m_hook);
}

bool HuxDialogMessageFilter::Takes(const MSG& message) const
{
    const HWND dialog = m_dialog.m_hWnd;
    if (!dialog || (message.hwnd != dialog && !IsChild(dialog, message.hwnd)))
        return false;
    bool taken = false;
    // A system callback: nothing may unwind through it.
    HuxGuarded([&] { taken = m_dialog.PreTranslateMessage(message); });
    return taken;
}

// Every filter of the thread sees the message; only the innermost dialog's
// acts on it, so nested dialogs never both answer one key.
LRESULT CALLBACK HuxDialogMessageFilter::Filter(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == MSGF_DIALOGBOX && t_innermost && t_innermost->Takes(*reinterpret_cast<const MSG*>(lParam)))
        return 1;
    return CallNextHookEx(nullptr, code, wParam, lParam);
}
