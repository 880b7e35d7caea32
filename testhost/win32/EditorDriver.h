// Plays a stroke script through the real editor dialog of the loaded
// plug-in, the way a user's hand would: mouse messages on the grid editor
// control for strokes and pans, keys on the tool boxes and the sliders,
// clicks on the toolbar, the zoom buttons, the locator and the options
// dialog's controls, and OK or Cancel. It runs on a second thread while the
// host's thread is inside Start; every message it sends waits for the
// editor's thread to handle it, and it waits for the control to repaint
// before it reads where the image is shown.
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>

#include "HuxLib/HuxGeometry/HuxRect.h"
#include "testhost/scripting/PSPlimStrokeScript.h"

namespace SquelmHost {

class EditorDriver {
public:
    // filterRect: the filter rectangle the host gives the plug-in.
    EditorDriver(PSPlimStrokeScript script, const HuxRect& filterRect,
                 std::chrono::milliseconds timeout = std::chrono::seconds(60));

    // Waits for the editor, plays every command and waits for the editor to
    // close. Throws std::runtime_error when a window does not appear or
    // answer in time, or the script asks for what the real editor cannot
    // do (a preview size: the editor's own size is the preview's). Returns
    // at once, having played nothing, when the run ends before the editor
    // opens (the plug-in failed first).
    void Play();
    // Called from the host's thread when the plug-in's run has ended.
    void RunEnded() { runEnded_ = true; }
    // Whether the editor opened, once Play has returned.
    bool EditorOpened() const { return editorOpened_; }

    // Called on the driver's thread with the editor's window before each
    // command is played (the editor idle and painted), the closing OK too.
    using Observer = std::function<void(const PSPlimScriptCommand& next, intptr_t editor)>;
    void SetObserver(Observer observer) { observer_ = std::move(observer); }

    // The grid editor control's client size: the preview size of the run.
    HuxPointI PreviewSize() const { return previewSize_; }

private:
    PSPlimStrokeScript script_;
    HuxRect filterRect_;
    std::chrono::milliseconds timeout_;
    HuxPointI previewSize_;
    Observer observer_;
    std::atomic<bool> runEnded_ = false;
    bool editorOpened_ = false;
};

} // namespace SquelmHost
