#include "HuxLib/HUXWIN/win32/CDialog.h"

#include <stdexcept>

#include "HuxLib/HUXWIN/win32/CDataExchange.h"
#include "HuxLib/HUXWIN/win32/HuxCentreDialog.h"
#include "HuxLib/HUXWIN/win32/HuxCommonControls.h"
#include "HuxLib/HUXWIN/win32/HuxDialogMessageFilter.h"
#include "HuxLib/HUXWIN/win32/HuxWindowBarrier.h"

namespace {

// What DialogBoxParam returns when the template cannot become a dialog.
constexpr INT_PTR kNoDialog = -1;

} // namespace

CDialog::CDialog(UINT templateId, CWnd* parent) : m_templateId(templateId), m_parent(parent) {}

CDialog::CDialog(UINT templateId, HWND owner) : m_templateId(templateId), m_owner(owner) {}

HWND CDialog::OwnerWindow() const { return m_parent ? m_parent->m_hWnd : m_owner; }

INT_PTR CDialog::DoModal()
{
    // A failure still waiting means the loop that would run this dialog is
    // already ending: do not open another.
    HuxRethrowWindowFailure();
    HuxEnsureCommonControls();
    const HuxVisualStyleScope styles;
    HuxModalLoopScope loop;
    const HuxDialogMessageFilter filter(*this);
    m_loop = &loop;
    const INT_PTR result = DialogBoxParamA(HuxResourceModule(), MAKEINTRESOURCEA(m_templateId), OwnerWindow(),
                                           &HuxDialogProcedure, reinterpret_cast<LPARAM>(this));
    m_loop = nullptr;
    HuxRethrowWindowFailure();
    if (result == kNoDialog)
        throw std::runtime_error("CDialog::DoModal: the dialog template could not be loaded");
    return result;
}

INT_PTR CDialog::InitialiseFromProcedure(HWND dialog, LPARAM object)
{
    CDialog* self = reinterpret_cast<CDialog*>(object);
    if (!self || !self->SubclassWindow(dialog))
        throw std::logic_error("CDialog: a dialog window without its object");
    if (self->m_loop)
        self->m_loop->SetWindow(dialog);
    const BOOL result = self->OnInitDialog();
    // As the class framework does for a dialog its template leaves unplaced.
    HuxCentreDialog(dialog, self->OwnerWindow());
    return result;
}

bool CDialog::PreTranslateMessage(const MSG&) { return false; }

void CDialog::EndDialog(INT_PTR result) { ::EndDialog(m_hWnd, result); }

bool CDialog::UpdateData(bool saveAndValidate)
{
    CDataExchange exchange(this, saveAndValidate);
    DoDataExchange(&exchange);
    return true;
}

void CDialog::DoDataExchange(CDataExchange*) {}

BOOL CDialog::OnInitDialog()
{
    UpdateData(false);
    return TRUE;
}

void CDialog::OnOK()
{
    if (UpdateData(true))
        EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

bool CDialog::OnCommand(UINT id, UINT code, HWND control)
{
    // Enter and Escape come from the dialog manager as these two commands;
    // a click on the buttons as BN_CLICKED of the same ids.
    if (code == BN_CLICKED || control == nullptr) {
        if (id == IDOK) {
            OnOK();
            return true;
        }
        if (id == IDCANCEL) {
            OnCancel();
            return true;
        }
    }
    return CWnd::OnCommand(id, code, control);
}
