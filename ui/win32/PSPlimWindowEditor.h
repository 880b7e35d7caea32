// The editor a real host gets: the modal editor dialog, owned by the host's
// window, open for the application's toolbar refreshes while it runs.
#pragma once

#include "effect/PSPlimEditor.h"

class PSPlimDialog;

class PSPlimWindowEditor : public PSPlimEditor {
public:
    int RunModal(CPSPlimPluginApp& app) override;
    void UpdateToolbar() override;
    intptr_t WindowHandle() const override;

private:
    PSPlimDialog* m_dialog = nullptr; // while RunModal runs
};
