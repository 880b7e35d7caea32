#include "ui/PSPlimPenPressure.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kFullReading = 1024.0;

} // namespace

double PSPlimStrokePressure(bool pressureControlsPower, std::optional<double> penPressure)
{
    if (!pressureControlsPower || !penPressure || std::isnan(*penPressure))
        return 1.0;
    return std::clamp(*penPressure, 0.0, 1.0);
}

double PSPlimPenPressureFromReading(uint32_t reading) { return std::min(double(reading) / kFullReading, 1.0); }
