// The editor that the effect runs during Start: the modal editor dialog on
// Windows, or a scripted editor in the test host. The application reaches the
// open editor only through this interface.
#pragma once

class CPSPlimPluginApp;

class PSPlimEditor {
public:
    virtual ~PSPlimEditor() = default;

    // Runs the editor on the application until the user closes it; returns
    // 1 (OK) to apply the warp, anything else to cancel.
    virtual int RunModal(CPSPlimPluginApp& app) = 0;
    // Re-evaluates the toolbar (undo and redo availability) after the
    // application recorded a step.
    virtual void UpdateToolbar() {}
};
