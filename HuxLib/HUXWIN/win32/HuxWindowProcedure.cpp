// The two static procedures of the framework, the only places where the
// system calls into it for window messages. Each is an exception barrier
// (HuxWindowBarrier.h) around one routing call.
#include "HuxLib/HUXWIN/win32/CDialog.h"
#include "HuxLib/HUXWIN/win32/CWnd.h"
#include "HuxLib/HUXWIN/win32/HuxWindowBarrier.h"

LRESULT CALLBACK HuxWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    HuxGuarded([&] { result = HuxRouteMessage(window, message, wParam, lParam); });
    return result;
}

// Only WM_INITDIALOG is ours here: it attaches the CDialog, whose window
// then receives every message through HuxWindowProcedure; the dialog
// manager's default handling asks this procedure about the rest.
INT_PTR CALLBACK HuxDialogProcedure(HWND dialog, UINT message, WPARAM, LPARAM lParam)
{
    if (message != WM_INITDIALOG)
        return FALSE;
    INT_PTR result = FALSE;
    HuxGuarded([&] { result = CDialog::InitialiseFromProcedure(dialog, lParam); });
    return result;
}
