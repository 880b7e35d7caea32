// Pen pressure and the tool's power. With "Pressure Controls Power" on, each
// move of a stroke made with a pen applies the tool's power scaled by the
// pen's pressure at that move; a mouse, or the toggle off, applies the power
// as it stands (a pressure of 1, which changes no bit of it).
#pragma once

#include <cstdint>
#include <optional>

// The pressure a move applies with: the pen's reading clamped to 0..1 when
// pressure controls power and the move came from a pen that reports it,
// else 1. A reading that is not a number counts as none.
double PSPlimStrokePressure(bool pressureControlsPower, std::optional<double> penPressure);

// A pen's pressure from the system's pen reading, 0..1024.
double PSPlimPenPressureFromReading(uint32_t reading);

inline double PSPlimPressedPower(double toolPower, double pressure) { return toolPower * pressure; }
