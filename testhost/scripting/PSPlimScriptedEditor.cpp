#include "testhost/scripting/PSPlimScriptedEditor.h"

#include "effect/CPSPlimPluginApp.h"
#include "testhost/scripting/PSPlimImageToClient.h"
#include "ui/PSPlimDialogIds.h"
#include "ui/PSPlimEditorCommands.h"
#include "ui/PSPlimToolChoice.h"

#include <vector>

namespace {

using Kind = PSPlimScriptCommand::Kind;

HuxGeometry::HuxPoint2D ToPoint(HuxPointI p) { return {double(p.x), double(p.y)}; }

} // namespace

int PSPlimScriptedEditor::RunModal(CPSPlimPluginApp& app)
{
    PSPlimEditorCommands commands(app);
    const std::vector<PSPlimScriptCommand>& script = script_.Commands();
    // A script that opens with its own preview size opens with it.
    const bool sized = !script.empty() && script.front().kind == Kind::Preview;
    client_ = sized ? HuxRect{0, 0, script.front().first, script.front().second}
                    : HuxRect{0, 0, kDefaultPreviewWidth, kDefaultPreviewHeight};
    commands.Open(client_.right, client_.bottom);
    sizePosition_ = PSPlimSizeSliderPosition(app.Params()->toolSize);
    powerPosition_ = PSPlimPowerSliderPosition(app.Params()->toolPower);

    int result = PSPlimEditorCommands::Close(true);
    for (const PSPlimScriptCommand& command : script)
        if (!Play(commands, command, result))
            break;
    return result;
}

bool PSPlimScriptedEditor::Play(PSPlimEditorCommands& commands, const PSPlimScriptCommand& command, int& result)
{
    switch (command.kind) {
    case Kind::Tool: commands.ChooseTool(command.button, PSPlimStored(command.tool)); break;
    case Kind::Size:
        sizePosition_ = PSPlimNearestSizePosition(command.value);
        commands.MoveSliders(sizePosition_, powerPosition_);
        break;
    case Kind::Power:
        powerPosition_ = PSPlimNearestPowerPosition(command.value);
        commands.MoveSliders(sizePosition_, powerPosition_);
        break;
    case Kind::Drag: Drag(commands, command); break;
    case Kind::Edge: commands.ToolbarCommand(PSPlimEditorCommands::EdgeModeCommand(command.edgeMode)); break;
    case Kind::Grid: {
        PSPlimOptionsValues values = commands.Options();
        values.pointsAcross = command.first;
        values.pointsDown = command.second;
        commands.ApplyOptions(values);
        break;
    }
    case Kind::Undo: commands.ToolbarCommand(PSPlimIds::kUndo); break;
    case Kind::Redo: commands.ToolbarCommand(PSPlimIds::kRedo); break;
    case Kind::Preview: SetPreviewSize(commands, command.first, command.second); break;
    case Kind::Zoom: commands.Zoom(command.zoomIn); break;
    case Kind::Locate: Locate(commands, command.points.front()); break;
    case Kind::Pan: Pan(commands, command); break;
    case Kind::Toggle:
        commands.ToolbarCommand(command.display == PSPlimScriptCommand::Display::Grid ? PSPlimIds::kToggleGrid
                                                                                      : PSPlimIds::kShowToolRadius);
        break;
    case Kind::Pressure:
        if (commands.Stroke().PressureControlsPower() != command.on)
            commands.ToolbarCommand(PSPlimIds::kPressureControlsPower);
        break;
    case Kind::Ok:
    case Kind::Cancel: result = PSPlimEditorCommands::Close(command.kind == Kind::Ok); return false;
    }
    return true;
}

// The editor dialog gives the preview the control's client size, so the
// modelled control's client area is the preview size.
void PSPlimScriptedEditor::SetPreviewSize(PSPlimEditorCommands& commands, int32_t width, int32_t height)
{
    client_ = {0, 0, width, height};
    commands.App().SetPreviewSize(width, height);
}

HuxGeometry::HuxPoint2D PSPlimScriptedEditor::MessagePoint(const PSPlimEditorCommands& commands,
                                                           HuxGeometry::HuxPoint2D image) const
{
    const HuxPointI client = PSPlimImageToClient(image, commands.App().FilterRect(), commands.Stroke().ImageRect());
    return ToPoint(PSPlimMouseMessagePoint(client));
}

// As the control does it: the layout of the last paint places the image.
void PSPlimScriptedEditor::Drag(PSPlimEditorCommands& commands, const PSPlimScriptCommand& command)
{
    commands.LayOut(client_);
    PSPlimStroke& stroke = commands.Stroke();
    if (!stroke.ButtonDown(command.button, MessagePoint(commands, command.points.front())))
        return;
    for (size_t i = 1; i < command.points.size(); ++i)
        stroke.MouseMove(MessagePoint(commands, command.points[i]), PSPlimPenSampleAt(command, i, PSPlimPenSample::Phase::Update));
    stroke.ButtonUp(command.button);
}

// The mouse travels through the client pixels where the positions were
// shown at the press; every move scrolls the view and repaints.
void PSPlimScriptedEditor::Pan(PSPlimEditorCommands& commands, const PSPlimScriptCommand& command)
{
    commands.LayOut(client_);
    std::vector<HuxPointI> path;
    for (const HuxGeometry::HuxPoint2D& image : command.points) {
        const HuxGeometry::HuxPoint2D p = MessagePoint(commands, image);
        path.push_back({int32_t(p.x), int32_t(p.y)});
    }
    if (!commands.BeginPan(path.front()))
        return;
    for (size_t i = 1; i < path.size(); ++i) {
        commands.PanTo(path[i]);
        commands.LayOut(client_);
    }
    commands.EndPan();
}

// The locator popup, open while its button is enabled: the frame starts
// under the cursor, follows it to the position's place on the thumbnail,
// and the release moves the view there.
void PSPlimScriptedEditor::Locate(PSPlimEditorCommands& commands, HuxGeometry::HuxPoint2D position)
{
    if (!commands.ZoomButtons().locator)
        return;
    const HuxPointI size = commands.LocatorSize();
    const HuxRect popupClient{0, 0, size.x, size.y};
    HuxPSLocatorFrame frame = commands.BeginLocate(popupClient);
    const HuxPointI cursor =
        PSPlimMouseMessagePoint(PSPlimImageToLocator(position, commands.App().FilterRect(), popupClient));
    frame.MoveTo(cursor); // the drag
    commands.EndLocate(frame, cursor);
}
