#include "ui/PSPlimOptionsModel.h"

#include "effect/CPSPlimPluginApp.h"

#include <algorithm>
#include <array>
#include <limits>
#include <optional>

namespace {

// A box's value with the ring added, kept inside int for the application's
// own clamp.
int WithRing(int visible)
{
    const int64_t points = int64_t(visible) + kPSPlimRingPoints;
    return int(std::clamp<int64_t>(points, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

// The radio group's buttons, in order.
constexpr std::array kEdgeFillChoices{PSPlimExposedArea::RepeatEdge, PSPlimExposedArea::FixedColour,
                                      PSPlimExposedArea::Transparent};

// The button of a stored mode; repeat edge pixels for a mode the dialog
// does not offer here.
int EdgeFillChoiceOf(int32_t stored, bool offersTransparent)
{
    const std::optional<PSPlimExposedArea> area = PSPlimChoiceFrom<PSPlimExposedArea>(stored);
    if (!area || (*area == PSPlimExposedArea::Transparent && !offersTransparent))
        return 0;
    const auto button = std::find(kEdgeFillChoices.begin(), kEdgeFillChoices.end(), *area);
    return button == kEdgeFillChoices.end() ? 0 : int(button - kEdgeFillChoices.begin());
}

} // namespace

PSPlimOptionsValues PSPlimReadOptions(const PSPlimParameters& params, const PSPlimGrid& grid,
                                      const HuxPSDocumentKind& document)
{
    PSPlimOptionsValues values;
    values.gridColour = params.gridColour;
    values.toolRadiusColour = params.toolRadiusColour;
    values.knockout = params.knockout;
    values.knockoutColour = params.knockoutColour;
    values.interpolation = params.useInterpolation;
    values.offersTransparent = HuxPSMovesTransparency(document);
    values.edgeFillChoice = EdgeFillChoiceOf(params.exposedAreaMode, values.offersTransparent);
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
    const bool chosen = values.edgeFillChoice >= 0 && size_t(values.edgeFillChoice) < kEdgeFillChoices.size();
    PSPlimExposedArea area = chosen ? kEdgeFillChoices[size_t(values.edgeFillChoice)] : PSPlimExposedArea::RepeatEdge;
    if (area == PSPlimExposedArea::Transparent && !values.offersTransparent)
        area = PSPlimExposedArea::RepeatEdge;
    params.exposedAreaMode = PSPlimStored(area);
    params.exposedAreaColour = values.edgeColour;

    const int across = WithRing(values.pointsAcross);
    const int down = WithRing(values.pointsDown);
    if (across == app.Grid().PointsAcross() && down == app.Grid().PointsDown())
        app.BuildOutputPreview();
    else
        app.ResizeGrid(across, down);
}
