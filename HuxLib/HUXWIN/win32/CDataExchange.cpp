#include "HuxLib/HUXWIN/win32/CDataExchange.h"

#include <stdexcept>
#include <string>

#include "HuxLib/HUXWIN/win32/CDialog.h"

namespace {

HWND Item(CDataExchange* exchange, int id)
{
    HWND item = ::GetDlgItem(exchange->m_pDlgWnd->m_hWnd, id);
    if (!item)
        throw std::logic_error("dialog data exchange: no control " + std::to_string(id));
    return item;
}

bool IsRadioButton(HWND window)
{
    const LRESULT code = ::SendMessageA(window, WM_GETDLGCODE, 0, 0);
    return (code & DLGC_RADIOBUTTON) != 0;
}

} // namespace

void DDX_Control(CDataExchange* exchange, int id, CWnd& control)
{
    if (control.m_hWnd)
        return;
    if (!control.SubclassWindow(Item(exchange, id)))
        throw std::logic_error("dialog data exchange: control " + std::to_string(id) + " cannot be attached");
}

void DDX_Check(CDataExchange* exchange, int id, int& value)
{
    HWND box = Item(exchange, id);
    if (exchange->m_bSaveAndValidate)
        value = static_cast<int>(::SendMessageA(box, BM_GETCHECK, 0, 0));
    else
        ::SendMessageA(box, BM_SETCHECK, static_cast<WPARAM>(value), 0);
}

void DDX_Radio(CDataExchange* exchange, int firstId, int& value)
{
    HWND dialog = exchange->m_pDlgWnd->m_hWnd;
    HWND button = Item(exchange, firstId);
    if (exchange->m_bSaveAndValidate)
        value = -1;
    // The group runs from its first button to the item before the next
    // WS_GROUP (GetNextDlgGroupItem would wrap around to the start).
    int index = 0;
    do {
        if (IsRadioButton(button)) {
            if (exchange->m_bSaveAndValidate) {
                if (::SendMessageA(button, BM_GETCHECK, 0, 0) == BST_CHECKED)
                    value = index;
            } else {
                ::SendMessageA(button, BM_SETCHECK, index == value ? BST_CHECKED : BST_UNCHECKED, 0);
            }
            ++index;
        }
        button = ::GetWindow(button, GW_HWNDNEXT);
    } while (button && ::GetParent(button) == dialog && (::GetWindowLongA(button, GWL_STYLE) & WS_GROUP) == 0);
}
