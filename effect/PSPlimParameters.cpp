#include "effect/PSPlimParameters.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr PSPlimParameters kDefaults = [] {
    PSPlimParameters p{};
    p.leftButtonTool = PSPlimStored(PSPlimTool::Squelm);
    p.rightButtonTool = PSPlimStored(PSPlimTool::Mellow);
    p.showGrid = 0;
    p.toolSize = 0.1;
    p.toolPower = 0.2;
    p.showToolRadius = 1;
    p.gridColour = 200;
    p.toolRadiusColour = 0xC80000;
    p.gridEdgeMode = PSPlimStored(PSPlimEdgeMode::Fixed);
    p.pointsAcross = 52;
    p.pointsDown = 52;
    p.exposedAreaMode = PSPlimStored(PSPlimExposedArea::RepeatEdge);
    p.exposedAreaColour = 0;
    p.useInterpolation = 1;
    p.sampleDensity = 1.0;
    p.sampleCountBias = 0.9;
    p.knockout = 1;
    p.knockoutColour = 0xFFFFFF;
    return p;
}();

void ForceInto(int32_t& value, int32_t low, int32_t high) { value = std::clamp(value, low, high); }

template <class Choice>
void ForceChoice(int32_t& value)
{
    value = PSPlimStored(PSPlimForcedChoice<Choice>(value));
}

// A stored NaN would pass every comparison and an infinity is no size at
// all: both mean the record was damaged, so the default stands in.
void ForceInto(double& value, double low, double high, double fallback)
{
    value = std::isfinite(value) ? std::clamp(value, low, high) : fallback;
}

} // namespace

void PSPlimSetDefaultParameters(PSPlimParameters& p)
{
    p.leftButtonTool = kDefaults.leftButtonTool;
    p.rightButtonTool = kDefaults.rightButtonTool;
    p.showGrid = kDefaults.showGrid;
    p.toolSize = kDefaults.toolSize;
    p.toolPower = kDefaults.toolPower;
    p.showToolRadius = kDefaults.showToolRadius;
    p.gridColour = kDefaults.gridColour;
    p.toolRadiusColour = kDefaults.toolRadiusColour;
    p.gridEdgeMode = kDefaults.gridEdgeMode;
    p.pointsAcross = kDefaults.pointsAcross;
    p.pointsDown = kDefaults.pointsDown;
    p.exposedAreaMode = kDefaults.exposedAreaMode;
    p.exposedAreaColour = kDefaults.exposedAreaColour;
    p.useInterpolation = kDefaults.useInterpolation;
    p.sampleDensity = kDefaults.sampleDensity;
    p.sampleCountBias = kDefaults.sampleCountBias;
    p.knockout = kDefaults.knockout;
    p.knockoutColour = kDefaults.knockoutColour;
}

void PSPlimValidateParameters(PSPlimParameters& p)
{
    ForceChoice<PSPlimTool>(p.leftButtonTool);
    ForceChoice<PSPlimTool>(p.rightButtonTool);
    ForceInto(p.toolSize, 0.01, 0.25, kDefaults.toolSize);
    ForceInto(p.toolPower, 0.05, 1.0, kDefaults.toolPower);
    ForceChoice<PSPlimEdgeMode>(p.gridEdgeMode);
    ForceInto(p.pointsAcross, kPSPlimMinGridPoints, kPSPlimMaxGridPoints);
    ForceInto(p.pointsDown, kPSPlimMinGridPoints, kPSPlimMaxGridPoints);
    // Records from before Transparent forced every number above the fixed
    // colour's to it, and still do.
    if (p.exposedAreaMode > PSPlimStored(PSPlimExposedArea::Transparent))
        p.exposedAreaMode = PSPlimStored(PSPlimExposedArea::FixedColour);
    ForceChoice<PSPlimExposedArea>(p.exposedAreaMode);
    ForceInto(p.sampleDensity, 0.5, 3.0, kDefaults.sampleDensity);
    ForceInto(p.sampleCountBias, 0.0, 2.0, kDefaults.sampleCountBias);
}
