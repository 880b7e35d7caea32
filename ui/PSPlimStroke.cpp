#include "ui/PSPlimStroke.h"

#include "effect/CPSPlimPluginApp.h"
#include "effect/PSPlimGridArea.h"
#include "grid/PSPlimTools.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace {

// An image area of no extent maps as if it were one pixel, so that a stroke
// on a degenerate layout stays finite.
double Extent(int32_t low, int32_t high)
{
    return high != low ? double(high - low) : 1.0;
}

// One client coordinate of a grid position, truncated towards zero; a grid
// without extent or a position far off the window stays representable.
int32_t ToClient(int32_t low, int32_t high, double gridExtent, double g)
{
    const double offset = gridExtent > 0.0 ? std::trunc(double(high - low) / gridExtent * g) : 0.0;
    constexpr double kLimit = 1073741824.0;
    return int32_t(std::isfinite(offset) ? std::clamp(offset, -kLimit, kLimit) : 0.0) + low;
}

// The box of the circle that a tool application from `from` to `to` acts in.
GridBounds BrushBox(HuxGeometry::HuxPoint2D from, HuxGeometry::HuxPoint2D to, double radius)
{
    const double cx = (from.x + to.x) * 0.5;
    const double cy = (from.y + to.y) * 0.5;
    return {cx - radius, cy - radius, cx + radius, cy + radius};
}

} // namespace

PSPlimStroke::Point2D PSPlimStroke::ClientToGrid(Point2D client) const
{
    const PSPlimGrid& grid = app_.Grid();
    return {(client.x - imageRect_.left) * grid.Width() / Extent(imageRect_.left, imageRect_.right),
            (client.y - imageRect_.top) * grid.Height() / Extent(imageRect_.top, imageRect_.bottom)};
}

HuxPointI PSPlimStroke::GridToClient(Point2D g) const
{
    const PSPlimGrid& grid = app_.Grid();
    return {ToClient(imageRect_.left, imageRect_.right, grid.Width(), g.x),
            ToClient(imageRect_.top, imageRect_.bottom, grid.Height(), g.y)};
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

bool PSPlimStroke::MouseMove(Point2D client)
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
        tool ? ApplyTool(app_.Grid(), *tool, lastPoint_, p, params.toolSize, params.toolPower, anchor_)
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
    app_.Grid().ClearCounters();
    if (strokeRange_.Empty())
        return EndResult::NothingApplied;
    app_.RecordGridEdit();
    return EndResult::Submitted;
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
