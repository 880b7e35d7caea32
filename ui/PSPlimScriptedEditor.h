// An editor without a window: plays a stroke script through the operations
// of the grid editor control and the editor dialog, so that a whole editing
// session runs in the test host exactly as a user's would. It models a
// control whose client area is the preview size; script positions become
// client pixels the way the real control's driver places the mouse.
#pragma once

#include "HuxLib/HuxGeometry/HuxRect.h"
#include "effect/PSPlimEditor.h"
#include "ui/PSPlimStrokeScript.h"

#include <cstdint>

class PSPlimStroke;

class PSPlimScriptedEditor : public PSPlimEditor {
public:
    static constexpr int32_t kDefaultPreviewWidth = 640;
    static constexpr int32_t kDefaultPreviewHeight = 480;
    // The locator's thumbnail bound, as the editor dialog builds it.
    static constexpr int32_t kThumbnailBound = 150;

    explicit PSPlimScriptedEditor(PSPlimStrokeScript script) : script_(std::move(script)) {}

    // Sets the preview size, plays every command and returns OK or Cancel.
    int RunModal(CPSPlimPluginApp& app) override;
    void UpdateToolbar() override { ++toolbarUpdates_; }

    // Toolbar refreshes asked for by the application, over all runs.
    int ToolbarUpdates() const { return toolbarUpdates_; }

private:
    // Returns false when the command closes the editor (ok or cancel).
    bool Play(CPSPlimPluginApp& app, PSPlimStroke& stroke, const PSPlimScriptCommand& command, int& result);
    void SetPreviewSize(CPSPlimPluginApp& app, int32_t width, int32_t height);
    // Places the image as the control's paint does.
    void LayOut(CPSPlimPluginApp& app, PSPlimStroke& stroke) const;
    void Drag(CPSPlimPluginApp& app, PSPlimStroke& stroke, const PSPlimScriptCommand& command);
    void Pan(CPSPlimPluginApp& app, PSPlimStroke& stroke, const PSPlimScriptCommand& command);
    void Locate(CPSPlimPluginApp& app, HuxGeometry::HuxPoint2D position);
    void SetGridSize(CPSPlimPluginApp& app, int across, int down);

    PSPlimStrokeScript script_;
    HuxRect client_;
    // The size and power sliders' positions, as the dialog shows them.
    int sizePosition_ = 0;
    int powerPosition_ = 0;
    int toolbarUpdates_ = 0;
};
