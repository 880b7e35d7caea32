#include "ui/PSPlimEditorCommands.h"

#include "HuxLib/HUXWIN/HuxMessageBox.h"
#include "effect/CPSPlimPluginApp.h"
#include "ui/PSPlimControlScrolling.h"
#include "ui/PSPlimToolChoice.h"

#include <algorithm>

namespace {

constexpr PSPlimRedraw kEditor{true, false, false, false};
constexpr PSPlimRedraw kToolbar{false, false, false, true};
// The view was zoomed or resized: its picture, bars and zoom controls.
constexpr PSPlimRedraw kViewChanged{true, true, true, false};

std::optional<PSPlimEdgeMode> EdgeModeOf(int commandId)
{
    switch (commandId) {
    case PSPlimIds::kFixedEdge: return PSPlimEdgeMode::Fixed;
    case PSPlimIds::kLockedEdge: return PSPlimEdgeMode::Locked;
    case PSPlimIds::kFreeEdge: return PSPlimEdgeMode::Free;
    default: return std::nullopt;
    }
}

} // namespace

void PSPlimEditorCommands::Open(int32_t previewWidth, int32_t previewHeight)
{
    app_.SetPreviewSize(previewWidth, previewHeight);
    app_.BuildThumbnail(kThumbnailBound, kThumbnailBound);
}

PSPlimRedraw PSPlimEditorCommands::Resize(int32_t previewWidth, int32_t previewHeight)
{
    if (app_.GetPreviewSize() == HuxPointI{previewWidth, previewHeight})
        return {};
    app_.ResizePreview(previewWidth, previewHeight);
    return kViewChanged;
}

std::optional<PSPlimControlLayout> PSPlimEditorCommands::LayOut(const HuxRect& client)
{
    std::optional<PSPlimControlLayout> layout =
        PSPlimLayOutControl(client, app_.GetOutputPreview(), app_.FilterRect(), app_.GetViewRect());
    if (layout)
        stroke_.SetImageRect(layout->imageRect);
    return layout;
}

std::optional<PSPlimRedraw> PSPlimEditorCommands::ToolbarCommand(int commandId)
{
    PSPlimParameters& params = *app_.Params();
    switch (commandId) {
    case PSPlimIds::kUndo: app_.Undo(); return PSPlimRedraw{true, false, false, true};
    case PSPlimIds::kRedo: app_.Redo(); return PSPlimRedraw{true, false, false, true};
    case PSPlimIds::kToggleGrid: params.showGrid = !params.showGrid; return kEditor;
    case PSPlimIds::kShowToolRadius: params.showToolRadius = !params.showToolRadius; return kEditor;
    case PSPlimIds::kPressureControlsPower:
        stroke_.SetPressureControlsPower(!stroke_.PressureControlsPower());
        return kToolbar;
    default: break;
    }
    const std::optional<PSPlimEdgeMode> mode = EdgeModeOf(commandId);
    if (!mode)
        return std::nullopt;
    app_.ChangeEdgeMode(*mode);
    return PSPlimRedraw{true, false, false, true};
}

int PSPlimEditorCommands::EdgeModeCommand(PSPlimEdgeMode mode)
{
    switch (mode) {
    case PSPlimEdgeMode::Fixed: return PSPlimIds::kFixedEdge;
    case PSPlimEdgeMode::Locked: return PSPlimIds::kLockedEdge;
    case PSPlimEdgeMode::Free: break;
    }
    return PSPlimIds::kFreeEdge;
}

PSPlimRedraw PSPlimEditorCommands::ChooseTool(PSPlimButton button, int32_t toolId)
{
    PSPlimParameters& params = *app_.Params();
    (button == PSPlimButton::Left ? params.leftButtonTool : params.rightButtonTool) = toolId;
    return kToolbar;
}

PSPlimRedraw PSPlimEditorCommands::MoveSliders(int sizePosition, int powerPosition)
{
    PSPlimApplySliders(*app_.Params(), sizePosition, powerPosition);
    return {};
}

PSPlimRedraw PSPlimEditorCommands::Zoom(bool in)
{
    in ? app_.ZoomIn() : app_.ZoomOut();
    return kViewChanged;
}

PSPlimZoomButtons PSPlimEditorCommands::ZoomButtons() const
{
    return PSPlimZoomButtonsFor(app_.CanZoomIn(), app_.CanZoomOut());
}

HuxPointI PSPlimEditorCommands::LocatorSize() const
{
    const HuxImage2* thumbnail = app_.GetThumbnail();
    return thumbnail ? HuxPointI{thumbnail->Width(), thumbnail->AbsHeight()} : HuxPointI{};
}

HuxPSLocatorFrame PSPlimEditorCommands::BeginLocate(const HuxRect& popupClient) const
{
    return HuxPSLocatorFrame(app_.FilterRect(), app_.GetViewRect(), popupClient);
}

PSPlimRedraw PSPlimEditorCommands::EndLocate(HuxPSLocatorFrame& frame, HuxPointI cursor)
{
    frame.MoveTo(cursor);
    app_.SetViewRect(frame.ViewRect());
    return kLocated;
}

bool PSPlimEditorCommands::BeginPan(HuxPointI press)
{
    if (!stroke_.BeginPan())
        return false;
    panStart_ = press;
    panOrigin_ = {app_.GetViewRect().left, app_.GetViewRect().top};
    return true;
}

PSPlimRedraw PSPlimEditorCommands::PanTo(HuxPointI cursor)
{
    const HuxPointI scroll =
        PSPlimPanScroll(stroke_.Mapping(), panStart_, cursor, panOrigin_, app_.GetViewRect(), app_.FilterRect());
    app_.ScrollView(scroll.x, scroll.y);
    return {true, true, false, false};
}

std::optional<PSPlimEditorCommands::KeyAnswer> PSPlimEditorCommands::Key(PSPlimKey key, int sizePosition,
                                                                        int powerPosition)
{
    switch (key) {
    case PSPlimKey::Escape:
        if (!stroke_.Cancel())
            return std::nullopt;
        return KeyAnswer{kEditor, std::nullopt};
    case PSPlimKey::SmallerTool:
    case PSPlimKey::LargerTool: {
        // A size change mid-stroke acts from the next move on, as the slider's would.
        const int position = PSPlimSteppedSizePosition(sizePosition, key);
        MoveSliders(position, powerPosition);
        return KeyAnswer{kEditor, position};
    }
    default: break;
    }
    // The grid and the view belong to a stroke or a pan in progress.
    if (stroke_.IsStroking() || stroke_.IsPanning())
        return KeyAnswer{};
    switch (key) {
    case PSPlimKey::Undo:
        if (app_.CanUndo())
            return KeyAnswer{*ToolbarCommand(PSPlimIds::kUndo), std::nullopt};
        break;
    case PSPlimKey::Redo:
        if (app_.CanRedo())
            return KeyAnswer{*ToolbarCommand(PSPlimIds::kRedo), std::nullopt};
        break;
    case PSPlimKey::ZoomIn:
    case PSPlimKey::ZoomOut:
        if (key == PSPlimKey::ZoomIn ? app_.CanZoomIn() : app_.CanZoomOut())
            return KeyAnswer{Zoom(key == PSPlimKey::ZoomIn), std::nullopt};
        break;
    case PSPlimKey::ZoomToFit:
        if (app_.GetZoomLevel() != app_.GetFitLevel()) {
            app_.ZoomToFit();
            return KeyAnswer{kViewChanged, std::nullopt};
        }
        break;
    default: break;
    }
    return KeyAnswer{};
}

PSPlimOptionsValues PSPlimEditorCommands::Options() const
{
    return PSPlimReadOptions(*app_.Params(), app_.Grid(), app_.Document().kind);
}

PSPlimRedraw PSPlimEditorCommands::ApplyOptions(PSPlimOptionsValues values)
{
    values.pointsAcross = std::clamp(values.pointsAcross, kFewestPoints, kMostPoints);
    values.pointsDown = std::clamp(values.pointsDown, kFewestPoints, kMostPoints);
    PSPlimApplyOptions(app_, values);
    return kEditor;
}

int PSPlimEditorCommands::Close(bool ok) { return ok ? kHuxIdOk : kHuxIdCancel; }
