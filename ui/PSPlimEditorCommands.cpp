#include "ui/PSPlimEditorCommands.h"

#include "HuxLib/HUXWIN/HuxMessageBox.h"
#include "effect/CPSPlimPluginApp.h"
#include "ui/PSPlimControlScrolling.h"
#include "ui/PSPlimToolChoice.h"

#include <algorithm>

namespace {

constexpr PSPlimRedraw kEditor{true, false, false, false};
constexpr PSPlimRedraw kToolbar{false, false, false, true};

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
    return {true, true, true, false};
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
    return {true, true, true, false};
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

PSPlimOptionsValues PSPlimEditorCommands::Options() const
{
    return PSPlimReadOptions(*app_.Params(), app_.Grid());
}

PSPlimRedraw PSPlimEditorCommands::ApplyOptions(PSPlimOptionsValues values)
{
    values.pointsAcross = std::clamp(values.pointsAcross, kFewestPoints, kMostPoints);
    values.pointsDown = std::clamp(values.pointsDown, kFewestPoints, kMostPoints);
    PSPlimApplyOptions(app_, values);
    return kEditor;
}

int PSPlimEditorCommands::Close(bool ok) { return ok ? kHuxIdOk : kHuxIdCancel; }
