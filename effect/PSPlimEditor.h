// The editor that the effect runs during Start: the modal editor dialog on
// Windows, or a scripted editor in the test host. The application reaches the
// open editor only through this interface.
#pragma once

#include <cstdint>

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
    // The editor's window, to own the messages shown while it is open; 0
    // for an editor without a window (the scripted one).
    virtual intptr_t WindowHandle() const { return 0; }
};
