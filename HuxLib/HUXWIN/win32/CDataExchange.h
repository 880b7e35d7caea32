// Data exchange between a dialog's controls and its members: attaching
// controls to CWnd members, check boxes and radio groups.
#pragma once

#include "HuxLib/HUXWIN/win32/CWnd.h"

class CDialog;

class CDataExchange {
public:
    CDataExchange(CDialog* dialog, bool saveAndValidate) : m_bSaveAndValidate(saveAndValidate), m_pDlgWnd(dialog) {}

    bool m_bSaveAndValidate; // true: controls to members
    CDialog* m_pDlgWnd;
};

// Attaches dialog item `id` to `control` the first time (either direction).
// Throws when the dialog has no such item.
void DDX_Control(CDataExchange* exchange, int id, CWnd& control);
// A check box: 0 unchecked, 1 checked, 2 indeterminate.
void DDX_Check(CDataExchange* exchange, int id, int& value);
// The radio group that starts at item `firstId` (its buttons run in tab
// order up to the next item that starts a group): the index of the checked
// button, -1 for none. Pushing -1 (or an index past the group) clears them.
void DDX_Radio(CDataExchange* exchange, int firstId, int& value);
