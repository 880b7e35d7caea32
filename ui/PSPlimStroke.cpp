#include "ui/PSPlimStroke.h"

#include "effect/CPSPlimPluginApp.h"
#include "effect/PSPlimGridArea.h"
#include "grid/PSPlimTools.h"
#include "ui/PSPlimTimingLine.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <optional>

namespace {

// The box of the circle that a tool application from `from` to `to` acts in.
GridBounds BrushBox(HuxGeometry::HuxPoint2D from, HuxGeometry::HuxPoint2D to, double radius)
{
    const double cx = (from.x + to.x) * 0.5;
    const double cy = (from.y + to.y) * 0.5;
    return {cx - radius, cy - radius, cx + radius, cy + radius};
}

} // namespace

PSPlimClientMapping PSPlimStroke::Mapping() const
{
    const PSPlimGrid& grid = app_.Grid();
    return {imageRect_, grid.Width(), grid.Height()};
}

PSPlimStroke::Point2D PSPlimStroke::ClientToGrid(Point2D client) const
{
    return Mapping().ClientToGrid(client);
}

HuxPointI PSPlimStroke::GridToClient(Point2D grid) const
{
    return Mapping().GridToClient(grid);
}

bool PSPlimStroke::ButtonDown(PSPlimButton button, Point2D client)
{
    if (IsStroking() || panning_)
        return false;
    (button == PSPlimButton::Left ? leftStroke_ : rightStroke_) = true;
    anchor_ = lastPoint_ = ClientToGrid(client);
    strokeRange_ = GridIndexRect{};
    app_.SnapshotGrid();
    return true;
}

bool PSPlimStroke::MouseMove(Point2D client, const std::optional<PSPlimPenSample>& pen)
{
    if (!IsStroking())
        return false;
    const Point2D p = ClientToGrid(client);
    if (p == lastPoint_)
        return false;
    const PSPlimParameters& params = *app_.Params();
    const PSPlimButton button = leftStroke_ ? PSPlimButton::Left : PSPlimButton::Right;
    // A stored id that names no tool applies nothing.
    const std::optional<PSPlimTool> tool = PSPlimChoiceFrom<PSPlimTool>(ToolOf(button));
    const GridIndexRect moved =
        tool ? ApplyTool(app_.Grid(), *tool, lastPoint_, p, params.toolSize,
                         params.toolPower * PSPlimMovePressure(pressureControlsPower_, pen), anchor_)
             : GridIndexRect{};
    if (!moved.Empty()) {
        strokeRange_.Extend(moved);
        // Only this move's change is re-rendered, not the whole stroke's: the
        // earlier moves' areas are already up to date. A moved point lay
        // inside the brush circle before the move, so the circle's box and
        // the moved points' new extent with their neighbours cover every cell
        // that changed.
        const GridBounds before = BrushBox(lastPoint_, p, params.toolSize);
        app_.UpdateOutputForGridArea(PSPlimUnion(app_.Grid().PointBounds(moved), before));
    }
    lastPoint_ = p;
    return true;
}

PSPlimStroke::EndResult PSPlimStroke::ButtonUp(PSPlimButton button)
{
    if (!IsStroking(button))
        return EndResult::Ignored;
    (button == PSPlimButton::Left ? leftStroke_ : rightStroke_) = false;
    const auto start = std::chrono::steady_clock::now();
    app_.ClearLookupCounters();
    if (strokeRange_.Empty())
        return EndResult::NothingApplied;
    app_.RecordGridEdit();
    const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
    timingLine_ = PSPlimTimingLine(int32_t(elapsed.count()), int32_t(app_.FailedTestCounter()),
                                   int32_t(app_.LookupCounter()));
    return EndResult::Submitted;
}

bool PSPlimStroke::Cancel()
{
    if (!IsStroking())
        return false;
    leftStroke_ = rightStroke_ = false;
    if (!strokeRange_.Empty())
        app_.RevertToSnapshot(strokeRange_);
    return true;
}

bool PSPlimStroke::BeginPan()
{
    if (IsStroking() || !app_.CanZoomOut())
        return false;
    panning_ = true;
    return true;
}

int PSPlimStroke::ToolOf(PSPlimButton button) const
{
    const PSPlimParameters& params = *app_.Params();
    return button == PSPlimButton::Left ? params.leftButtonTool : params.rightButtonTool;
}
