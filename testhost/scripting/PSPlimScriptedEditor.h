// An editor without a window: plays a stroke script through the editor
// commands and the stroke state that the editor dialog's windows use, so
// that a whole editing session runs in the test host exactly as a user's
// would. It models a control whose client area is the preview size, fed
// the mouse messages that the real dialog's driver sends.
#pragma once

#include "HuxLib/HuxGeometry/HuxRect.h"
#include "effect/PSPlimEditor.h"
#include "testhost/scripting/PSPlimStrokeScript.h"

#include <cstdint>

class PSPlimEditorCommands;

class PSPlimScriptedEditor : public PSPlimEditor {
public:
    static constexpr int32_t kDefaultPreviewWidth = 640;
    static constexpr int32_t kDefaultPreviewHeight = 480;

    explicit PSPlimScriptedEditor(PSPlimStrokeScript script) : script_(std::move(script)) {}

    // Opens with the preview size, plays every command and returns OK or Cancel.
    int RunModal(CPSPlimPluginApp& app) override;
    void UpdateToolbar() override { ++toolbarUpdates_; }

    // Toolbar refreshes asked for by the application, over all runs.
    int ToolbarUpdates() const { return toolbarUpdates_; }

private:
    // Returns false when the command closes the editor (ok or cancel).
    bool Play(PSPlimEditorCommands& commands, const PSPlimScriptCommand& command, int& result);
    void SetPreviewSize(PSPlimEditorCommands& commands, int32_t width, int32_t height);
    // A mouse message's position for a script's image position, placed
    // through the layout of the control's last paint.
    HuxGeometry::HuxPoint2D MessagePoint(const PSPlimEditorCommands& commands, HuxGeometry::HuxPoint2D image) const;
    void Drag(PSPlimEditorCommands& commands, const PSPlimScriptCommand& command);
    void Pan(PSPlimEditorCommands& commands, const PSPlimScriptCommand& command);
    void Locate(PSPlimEditorCommands& commands, HuxGeometry::HuxPoint2D position);

    PSPlimStrokeScript script_;
    HuxRect client_;
    // The size and power sliders' positions, as the dialog shows them.
    int sizePosition_ = 0;
    int powerPosition_ = 0;
    int toolbarUpdates_ = 0;
};
