#include "ui/PSPlimScriptedEditor.h"

#include "HuxLib/HUXWIN/HuxMessageBox.h"
#include "effect/CPSPlimPluginApp.h"
#include "ui/PSPlimStroke.h"

#include <algorithm>

namespace {

using Kind = PSPlimScriptCommand::Kind;

// Ranges of the editor dialog's controls.
constexpr double kMinToolSize = 0.01;
constexpr double kMaxToolSize = 0.25;
constexpr double kMinToolPower = 0.05;
constexpr double kMaxToolPower = 1.0;
constexpr int kMinVisiblePoints = 3;
constexpr int kMaxVisiblePoints = 150;
// The grid's ring: point counts hold two points more than the options dialog shows.
constexpr int kRingPoints = 2;

} // namespace

int PSPlimScriptedEditor::RunModal(CPSPlimPluginApp& app)
{
    const auto& commands = script_.Commands();
    // A script that opens with its own preview size sets it instead of the default.
    if (commands.empty() || commands.front().kind != Kind::Preview)
        app.SetPreviewSize(kDefaultPreviewWidth, kDefaultPreviewHeight);

    // Script positions are image pixels: the control's image area is laid
    // over the filter rectangle one to one.
    PSPlimStroke stroke(app);
    stroke.SetImageRect(app.FilterRect());
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
    case Kind::Size:
        params.toolSize = std::clamp(command.value, kMinToolSize, kMaxToolSize);
        break;
    case Kind::Power:
        params.toolPower = std::clamp(command.value, kMinToolPower, kMaxToolPower);
        break;
    case Kind::Drag:
        Drag(stroke, command);
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
        app.SetPreviewSize(command.first, command.second);
        break;
    case Kind::Ok:
    case Kind::Cancel:
        result = command.kind == Kind::Ok ? kHuxIdOk : kHuxIdCancel;
        return false;
    }
    return true;
}

void PSPlimScriptedEditor::Drag(PSPlimStroke& stroke, const PSPlimScriptCommand& command)
{
    if (!stroke.ButtonDown(command.button, command.points.front()))
        return;
    for (size_t i = 1; i < command.points.size(); ++i)
        stroke.MouseMove(command.points[i]);
    stroke.ButtonUp(command.button);
}

// As the options dialog confirms its point counts: the same counts only
// rebuild the preview, others record a resize.
void PSPlimScriptedEditor::SetGridSize(CPSPlimPluginApp& app, int across, int down)
{
    across = std::clamp(across, kMinVisiblePoints, kMaxVisiblePoints) + kRingPoints;
    down = std::clamp(down, kMinVisiblePoints, kMaxVisiblePoints) + kRingPoints;
    if (across == app.Grid().PointsAcross() && down == app.Grid().PointsDown())
        app.BuildOutputPreview();
    else
        app.ResizeGrid(across, down);
}
