// Every user command of the editor, decided once: the editor dialog, the
// grid editor control, the locator's popup, the options dialog and the test
// host's scripted editor each turn their input into these calls and redraw
// what the answer names.
#pragma once

#include "HuxLib/HuxGeometry/HuxRect.h"
#include "grid/PSPlimChoices.h"
#include "ui/HuxPSPreviewLocator.h"
#include "ui/PSPlimControlLayout.h"
#include "ui/PSPlimDialogModel.h"
#include "ui/PSPlimEditorKeys.h"
#include "ui/PSPlimOptionsModel.h"
#include "ui/PSPlimStroke.h"

#include <cstdint>
#include <optional>

class CPSPlimPluginApp;

// What a command changed, for the windows that show the editor.
struct PSPlimRedraw {
    bool editor = false;     // the grid editor control's picture
    bool scrollBars = false; // the control's scroll bars: the view moved
    bool zoom = false;       // the zoom ratio label and the zoom buttons
    bool toolbar = false;    // the toolbar buttons' states

    bool operator==(const PSPlimRedraw&) const = default;
};

class PSPlimEditorCommands {
public:
    // The locator's thumbnail fits this many pixels each way.
    static constexpr int32_t kThumbnailBound = 150;
    // The visible point counts the options dialog accepts.
    static constexpr int kFewestPoints = 3;
    static constexpr int kMostPoints = 150;
    // A release in the locator's popup moves the view.
    static constexpr PSPlimRedraw kLocated{true, true, false, false};

    explicit PSPlimEditorCommands(CPSPlimPluginApp& app) : app_(app), stroke_(app) {}

    CPSPlimPluginApp& App() const { return app_; }
    PSPlimStroke& Stroke() { return stroke_; }
    const PSPlimStroke& Stroke() const { return stroke_; }

    // The editor opens with a preview of the control's client size and the
    // locator's thumbnail.
    void Open(int32_t previewWidth, int32_t previewHeight);
    // The control's client area took another size: the preview follows it
    // (nothing to redraw when the size stayed).
    PSPlimRedraw Resize(int32_t previewWidth, int32_t previewHeight);
    // The layout of a paint of the control's client area: the stroke maps
    // the mouse through the image rectangle it places (before anything is
    // drawn), and keeps the last one while there is no preview to lay out.
    std::optional<PSPlimControlLayout> LayOut(const HuxRect& client);

    // A toolbar button: undo, redo, the three toggles and the three edge
    // modes; none for any other id (the options button opens its dialog).
    std::optional<PSPlimRedraw> ToolbarCommand(int commandId);
    // The toolbar button that chooses an edge mode.
    static int EdgeModeCommand(PSPlimEdgeMode mode);
    PSPlimRedraw ChooseTool(PSPlimButton button, int32_t toolId);
    // Any slider move writes both values from both thumbs.
    PSPlimRedraw MoveSliders(int sizePosition, int powerPosition);
    PSPlimRedraw Zoom(bool in);
    PSPlimZoomButtons ZoomButtons() const;

    // The locator: its popup's client area shows the thumbnail; the frame
    // follows the cursor there and the release moves the view.
    HuxPointI LocatorSize() const;
    HuxPSLocatorFrame BeginLocate(const HuxRect& popupClient) const;
    PSPlimRedraw EndLocate(HuxPSLocatorFrame& frame, HuxPointI cursor);

    // A middle-button pan: the press (false when none starts), each move of
    // the mouse (client pixels; the image follows it) and the release.
    bool BeginPan(HuxPointI press);
    PSPlimRedraw PanTo(HuxPointI cursor);
    void EndPan() { stroke_.EndPan(); }

    // A key of the editor's keyboard, with the sliders where they stand:
    // what it changed, and the size slider's new position when it moved it.
    // None when the key is not the editor's to take: Esc with no stroke in
    // progress then closes the editor as Cancel does.
    struct KeyAnswer {
        PSPlimRedraw redraw;
        std::optional<int> sizePosition;
    };
    std::optional<KeyAnswer> Key(PSPlimKey key, int sizePosition, int powerPosition);
    // A left press with the space bar held pans as the middle button does.
    static bool PressPans(PSPlimButton button, bool spaceHeld) { return spaceHeld && button == PSPlimButton::Left; }

    // The options dialog's OK: each point count clamped as its boxes do.
    PSPlimOptionsValues Options() const;
    PSPlimRedraw ApplyOptions(PSPlimOptionsValues values);

    // The value the editor closes with: OK applies the warp.
    static int Close(bool ok);

private:
    CPSPlimPluginApp& app_;
    PSPlimStroke stroke_;
    HuxPointI panStart_;
    HuxPointI panOrigin_;
};
