#include "ui/win32/PSPlimWindowEditor.h"

#include "HuxLib/HUXUTIL/HuxPublishedPointer.h"
#include "HuxLib/HUXWIN/win32/HuxDpi.h"
#include "effect/CPSPlimPluginApp.h"
#include "ui/win32/PSPlimDialog.h"

int PSPlimWindowEditor::RunModal(CPSPlimPluginApp& app)
{
    // The editor's windows draw sharp on every monitor, whatever the host
    // declared; the host's thread gets its own awareness back afterwards.
    const HuxPerMonitorDpiScope perMonitor;
    PSPlimDialog dialog(&app, reinterpret_cast<HWND>(app.OwnerWindow()));
    const HuxPublishedPointer<PSPlimDialog> open(m_dialog, &dialog);
    return int(dialog.DoModal());
}

void PSPlimWindowEditor::UpdateToolbar()
{
    if (m_dialog)
        m_dialog->UpdateToolbar();
}

intptr_t PSPlimWindowEditor::WindowHandle() const
{
    return m_dialog ? reinterpret_cast<intptr_t>(m_dialog->GetSafeHwnd()) : 0;
}
