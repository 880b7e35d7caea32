#include "ui/PSPlimOptionsModel.h"

#include "effect/CPSPlimPluginApp.h"

#include <algorithm>
#include <limits>

namespace {

// A box's value with the ring added, kept inside int for the application's
// own clamp.
int WithRing(int visible)
{
    const int64_t points = int64_t(visible) + kPSPlimRingPoints;
    return int(std::clamp<int64_t>(points, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

} // namespace

PSPlimOptionsValues PSPlimReadOptions(const PSPlimParameters& params, const PSPlimGrid& grid)
{
    PSPlimOptionsValues values;
    values.gridColour = params.gridColour;
    values.toolRadiusColour = params.toolRadiusColour;
    values.knockout = params.knockout;
    values.knockoutColour = params.knockoutColour;
    values.interpolation = params.useInterpolation;
    values.edgeFillChoice = params.exposedAreaMode == kPSPlimFillWithColour ? 1 : 0;
    values.edgeColour = params.exposedAreaColour;
    values.pointsAcross = grid.PointsAcross() - kPSPlimRingPoints;
    values.pointsDown = grid.PointsDown() - kPSPlimRingPoints;
    return values;
}

void PSPlimApplyOptions(CPSPlimPluginApp& app, const PSPlimOptionsValues& values)
{
    PSPlimParameters& params = *app.Params();
    params.gridColour = values.gridColour;
    params.toolRadiusColour = values.toolRadiusColour;
    params.knockout = values.knockout != 0;
    params.knockoutColour = values.knockoutColour;
    params.useInterpolation = values.interpolation != 0;
    params.exposedAreaMode = values.edgeFillChoice == 1 ? kPSPlimFillWithColour : kPSPlimRepeatEdgePixels;
    params.exposedAreaColour = values.edgeColour;

    const int across = WithRing(values.pointsAcross);
    const int down = WithRing(values.pointsDown);
    if (across == app.Grid().PointsAcross() && down == app.Grid().PointsDown())
        app.BuildOutputPreview();
    else
        app.ResizeGrid(across, down);
}
