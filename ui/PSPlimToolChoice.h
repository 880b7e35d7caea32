// The editor's tool choices: the rows of both tool boxes, and the size and
// power sliders' steps and the values they write. Needs no application, so
// that a driver of the real dialog can use it too.
#pragma once

#include <array>
#include <optional>

struct PSPlimParameters;

// ---- Tool boxes --------------------------------------------------------------
// The mouse buttons that each carry a tool.
enum class PSPlimButton { Left, Right };

struct PSPlimToolRow {
    int toolId;
    int stringId;
    int imageIndex; // cell of the tool image strip
    const char* name;
};

// The rows of both tool boxes, in the order the user sees them.
inline constexpr std::array<PSPlimToolRow, 6> kPSPlimToolTable = {{
    {0, 100, 0, "Squelm"},
    {4, 102, 2, "Boggle"},
    {5, 105, 5, "Nibble"},
    {3, 103, 3, "Stabilise"},
    {1, 101, 1, "Mellow"},
    {2, 104, 4, "Revert"},
}};

// The box index that shows a tool id; none when no row holds it (the box
// then has no selection and the parameter keeps its value).
std::optional<int> PSPlimToolBoxIndex(int toolId);

// ---- Sliders -----------------------------------------------------------------
inline constexpr double kPSPlimMinToolSize = 0.01;
inline constexpr double kPSPlimMaxToolSize = 0.25;
inline constexpr double kPSPlimMinToolPower = 0.05;
inline constexpr double kPSPlimMaxToolPower = 1.0;
inline constexpr int kPSPlimSliderSteps = 100;

// Where the dialog puts each thumb when it opens: truncated, but a value
// that a slider step wrote at its own step.
int PSPlimSizeSliderPosition(double toolSize);
int PSPlimPowerSliderPosition(double toolPower);
// The step nearest a value: where a user's hand puts the thumb for it.
int PSPlimNearestSizePosition(double toolSize);
int PSPlimNearestPowerPosition(double toolPower);
double PSPlimToolSizeAt(int sliderPosition);
double PSPlimToolPowerAt(int sliderPosition);

// Any slider message writes both values from both sliders' positions.
void PSPlimApplySliders(PSPlimParameters& params, int sizePosition, int powerPosition);
