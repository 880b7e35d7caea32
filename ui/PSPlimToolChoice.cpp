#include "ui/PSPlimToolChoice.h"

#include "effect/PSPlimParameters.h"

#include <cmath>

namespace {

double Truncated(double value) { return std::trunc(value); }
double Nearest(double value) { return std::round(value); }

// rounding: Truncated for a value between steps, or Nearest for the step
// nearest a value.
int SliderPosition(double value, double low, double high, double (*rounding)(double))
{
    const double position = rounding((value - low) * kPSPlimSliderSteps / (high - low));
    return std::isfinite(position) ? int(std::fmax(std::fmin(position, kPSPlimSliderSteps), 0.0)) : 0;
}

double SliderValue(int position, double low, double high)
{
    return position * (high - low) * 0.01 + low;
}

// Truncated, except that a value a slider wrote goes back to the step that
// wrote it: the division does not always undo the multiplication exactly
// (size 6 would reopen at 5), and the thumb would creep down a step on
// every opening that a slider message follows.
int OpeningPosition(double value, double low, double high)
{
    const int nearest = SliderPosition(value, low, high, Nearest);
    if (SliderValue(nearest, low, high) == value)
        return nearest;
    return SliderPosition(value, low, high, Truncated);
}

} // namespace

std::optional<int> PSPlimToolBoxIndex(int toolId)
{
    for (size_t i = 0; i < kPSPlimToolTable.size(); ++i)
        if (kPSPlimToolTable[i].toolId == toolId)
            return int(i);
    return std::nullopt;
}

int PSPlimSizeSliderPosition(double toolSize)
{
    return OpeningPosition(toolSize, kPSPlimMinToolSize, kPSPlimMaxToolSize);
}

int PSPlimNearestSizePosition(double toolSize)
{
    return SliderPosition(toolSize, kPSPlimMinToolSize, kPSPlimMaxToolSize, Nearest);
}

int PSPlimPowerSliderPosition(double toolPower)
{
    return OpeningPosition(toolPower, kPSPlimMinToolPower, kPSPlimMaxToolPower);
}

int PSPlimNearestPowerPosition(double toolPower)
{
    return SliderPosition(toolPower, kPSPlimMinToolPower, kPSPlimMaxToolPower, Nearest);
}

double PSPlimToolSizeAt(int sliderPosition)
{
    return SliderValue(sliderPosition, kPSPlimMinToolSize, kPSPlimMaxToolSize);
}

double PSPlimToolPowerAt(int sliderPosition)
{
    return SliderValue(sliderPosition, kPSPlimMinToolPower, kPSPlimMaxToolPower);
}

void PSPlimApplySliders(PSPlimParameters& params, int sizePosition, int powerPosition)
{
    params.toolSize = PSPlimToolSizeAt(sizePosition);
    params.toolPower = PSPlimToolPowerAt(powerPosition);
}
