#include "ui/PSPlimScriptedEditor.h"

#include "HuxLib/HUXWIN/HuxMessageBox.h"
#include "effect/CPSPlimPluginApp.h"
#include "ui/HuxPSPreviewLocator.h"
#include "ui/PSPlimClientMapping.h"
#include "ui/PSPlimControlLayout.h"
#include "ui/PSPlimControlScrolling.h"
#include "ui/PSPlimDialogModel.h"
#include "ui/PSPlimOptionsModel.h"
#include "ui/PSPlimStroke.h"

#include <algorithm>
#include <cmath>

namespace {

using Kind = PSPlimScriptCommand::Kind;

// The options dialog's point boxes.
constexpr int kMinVisiblePoints = 3;
constexpr int kMaxVisiblePoints = 150;

HuxGeometry::HuxPoint2D ToPoint(HuxPointI p)
{
    return {double(p.x), double(p.y)};
}

} // namespace

int PSPlimScriptedEditor::RunModal(CPSPlimPluginApp& app)
{
    const auto& commands = script_.Commands();
    // A script that opens with its own preview size sets it instead of the default.
    if (commands.empty() || commands.front().kind != Kind::Preview)
        SetPreviewSize(app, kDefaultPreviewWidth, kDefaultPreviewHeight);
    app.BuildThumbnail(kThumbnailBound, kThumbnailBound);
    sizePosition_ = PSPlimSizeSliderPosition(app.Params()->toolSize);
    powerPosition_ = PSPlimPowerSliderPosition(app.Params()->toolPower);

    PSPlimStroke stroke(app);
    int result = kHuxIdOk;
    for (const PSPlimScriptCommand& command : commands)
        if (!Play(app, stroke, command, result))
            break;
    return result;
}

bool PSPlimScriptedEditor::Play(CPSPlimPluginApp& app, PSPlimStroke& stroke, const PSPlimScriptCommand& command,
                                int& result)
{
    PSPlimParameters& params = *app.Params();
    switch (command.kind) {
    case Kind::Tool:
        (command.button == PSPlimButton::Left ? params.leftButtonTool : params.rightButtonTool) = PSPlimStored(command.tool);
        break;
    // Any slider move writes both values from both thumbs, as the dialog does.
    case Kind::Size:
        sizePosition_ = PSPlimNearestSizePosition(command.value);
        PSPlimApplySliders(params, sizePosition_, powerPosition_);
        break;
    case Kind::Power:
        powerPosition_ = PSPlimNearestPowerPosition(command.value);
        PSPlimApplySliders(params, sizePosition_, powerPosition_);
        break;
    case Kind::Drag:
        Drag(app, stroke, command);
        break;
    case Kind::Edge:
        app.ChangeEdgeMode(command.edgeMode);
        break;
    case Kind::Grid:
        SetGridSize(app, command.first, command.second);
        break;
    case Kind::Undo:
        app.Undo();
        break;
    case Kind::Redo:
        app.Redo();
        break;
    case Kind::Preview:
        SetPreviewSize(app, command.first, command.second);
        break;
    case Kind::Zoom:
        command.zoomIn ? app.ZoomIn() : app.ZoomOut();
        break;
    case Kind::Locate:
        Locate(app, command.points.front());
        break;
    case Kind::Pan:
        Pan(app, stroke, command);
        break;
    case Kind::Toggle: {
        uint8_t& shown =
            command.display == PSPlimScriptCommand::Display::Grid ? params.showGrid : params.showToolRadius;
        shown = !shown;
        break;
    }
    case Kind::Ok:
    case Kind::Cancel:
        result = command.kind == Kind::Ok ? kHuxIdOk : kHuxIdCancel;
        return false;
    }
    return true;
}

// The editor dialog gives the preview the control's client size, so the
// modelled control's client area is the preview size.
void PSPlimScriptedEditor::SetPreviewSize(CPSPlimPluginApp& app, int32_t width, int32_t height)
{
    client_ = {0, 0, width, height};
    app.SetPreviewSize(width, height);
}

void PSPlimScriptedEditor::LayOut(CPSPlimPluginApp& app, PSPlimStroke& stroke) const
{
    const std::optional<PSPlimControlLayout> layout =
        PSPlimLayOutControl(client_, app.GetOutputPreview(), app.FilterRect(), app.GetViewRect());
    if (layout)
        stroke.SetImageRect(layout->imageRect);
}

// As the control does it: the layout of the last paint places the image,
// and each position becomes the client pixel the mouse would be on.
void PSPlimScriptedEditor::Drag(CPSPlimPluginApp& app, PSPlimStroke& stroke, const PSPlimScriptCommand& command)
{
    LayOut(app, stroke);
    const HuxRect imageRect = stroke.ImageRect();
    auto client = [&](HuxGeometry::HuxPoint2D image) {
        return ToPoint(PSPlimImageToClient(image, app.FilterRect(), imageRect));
    };
    if (!stroke.ButtonDown(command.button, client(command.points.front())))
        return;
    for (size_t i = 1; i < command.points.size(); ++i)
        stroke.MouseMove(client(command.points[i]));
    stroke.ButtonUp(command.button);
}

// The mouse travels through the client pixels where the positions were
// shown at the press; every move scrolls the view and repaints.
void PSPlimScriptedEditor::Pan(CPSPlimPluginApp& app, PSPlimStroke& stroke, const PSPlimScriptCommand& command)
{
    LayOut(app, stroke);
    if (!stroke.BeginPan())
        return;
    const HuxRect pressLayout = stroke.ImageRect();
    auto client = [&](HuxGeometry::HuxPoint2D image) {
        return PSPlimImageToClient(image, app.FilterRect(), pressLayout);
    };
    const HuxPointI start = client(command.points.front());
    const HuxPointI origin{app.GetViewRect().left, app.GetViewRect().top};
    for (size_t i = 1; i < command.points.size(); ++i) {
        const HuxPointI scroll = PSPlimPanScroll(stroke.Mapping(), start, client(command.points[i]), origin,
                                                 app.GetViewRect(), app.FilterRect());
        app.ScrollView(scroll.x, scroll.y);
        LayOut(app, stroke);
    }
    stroke.EndPan();
}

// The locator popup: the frame starts under the cursor, follows it to the
// position's place on the thumbnail, and the release moves the view there.
void PSPlimScriptedEditor::Locate(CPSPlimPluginApp& app, HuxGeometry::HuxPoint2D position)
{
    // The locator button is enabled only while the view can zoom out.
    const HuxImage2* thumbnail = app.GetThumbnail();
    if (!thumbnail || !app.CanZoomOut())
        return;
    const HuxRect popupClient{0, 0, thumbnail->Width(), thumbnail->AbsHeight()};
    HuxPSLocatorFrame frame(app.FilterRect(), app.GetViewRect(), popupClient);
    // Positions far off the image only push the frame to its edge.
    constexpr double kFar = 1e9;
    const HuxPointI image{int32_t(std::lround(std::clamp(position.x, -kFar, kFar))),
                          int32_t(std::lround(std::clamp(position.y, -kFar, kFar)))};
    const HuxPointI cursor = HuxPSImageToPopup(image, app.FilterRect(), popupClient);
    frame.MoveTo(cursor); // the drag
    frame.MoveTo(cursor); // the release
    app.SetViewRect(frame.ViewRect());
}

// As the options dialog confirms with new point counts: its boxes clamp what
// was typed, and OK writes the dialog's values back.
void PSPlimScriptedEditor::SetGridSize(CPSPlimPluginApp& app, int across, int down)
{
    PSPlimOptionsValues values = PSPlimReadOptions(*app.Params(), app.Grid());
    values.pointsAcross = std::clamp(across, kMinVisiblePoints, kMaxVisiblePoints);
    values.pointsDown = std::clamp(down, kMinVisiblePoints, kMaxVisiblePoints);
    PSPlimApplyOptions(app, values);
}
