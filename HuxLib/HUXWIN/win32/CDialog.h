// A modal dialog from a dialog template in the framework's module. The
// dialog manager runs the loop (Enter and Escape arrive as IDOK and
// IDCANCEL commands and reach OnOK and OnCancel); the dialog's window is
// attached in WM_INITDIALOG, so every later message reaches the handlers.
#pragma once

#include "HuxLib/HUXWIN/win32/CWnd.h"

class CDataExchange;
class HuxModalLoopScope;

class CDialog : public CWnd {
public:
    // parent: the dialog that opens this one, or null.
    explicit CDialog(UINT templateId, CWnd* parent = nullptr);
    // owner: a window of another party (the host's), or null for none.
    CDialog(UINT templateId, HWND owner);

    // Runs the dialog; returns the value given to EndDialog (IDOK, IDCANCEL).
    // A failure inside any handler ends the dialog and is rethrown here; a
    // template that cannot be made into a dialog throws too.
    virtual INT_PTR DoModal();
    void EndDialog(INT_PTR result);

    // Moves values between the controls and the members: saveAndValidate
    // true reads the controls. Returns true (nothing here refuses a value).
    bool UpdateData(bool saveAndValidate = true);

    // The default attaches nothing; DDX_ calls go here.
    virtual void DoDataExchange(CDataExchange* exchange);
    // The default pushes the members into the controls. Returns TRUE to let
    // the dialog manager set the focus.
    virtual BOOL OnInitDialog();
    // The defaults: OK reads the controls and ends with IDOK; Cancel ends
    // with IDCANCEL.
    virtual void OnOK();
    virtual void OnCancel();

    bool OnCommand(UINT id, UINT code, HWND control) override;
    // A message of the modal loop for the dialog or one of its windows,
    // before the dialog manager sees it; true takes it. The default takes
    // none.
    virtual bool PreTranslateMessage(const MSG& message);

    // Tooltips for the dialog's child controls: the dialog is asked for
    // each text with TTN_NEEDTEXT (the tool id is the control's window).
    // Call from OnInitDialog, once the controls exist.
    void EnableToolTips(bool enable = true);
    HWND GetToolTips() const { return m_toolTips; }

    // WM_INITDIALOG, from the dialog procedure: attaches the window and
    // runs OnInitDialog.
    static INT_PTR InitialiseFromProcedure(HWND dialog, LPARAM object);

private:
    HWND OwnerWindow() const;

    UINT m_templateId;
    HWND m_toolTips = nullptr; // owned by the dialog's window, gone with it
    CWnd* m_parent = nullptr;
    HWND m_owner = nullptr;
    HuxModalLoopScope* m_loop = nullptr; // while DoModal runs
};
