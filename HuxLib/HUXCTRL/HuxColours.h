// Colours as the controls pass them around: colour references with red in
// the lowest byte, then green, then blue, and the system colours a drawing
// step names by role so that the window side takes them from the system
// (the role values are the system's own colour indices).
#pragma once

#include <cstdint>

using HuxColourRef = uint32_t;

constexpr HuxColourRef HuxRGB(uint8_t red, uint8_t green, uint8_t blue)
{
    return HuxColourRef(red) | HuxColourRef(green) << 8 | HuxColourRef(blue) << 16;
}
constexpr uint8_t HuxRedOf(HuxColourRef c) { return uint8_t(c); }
constexpr uint8_t HuxGreenOf(HuxColourRef c) { return uint8_t(c >> 8); }
constexpr uint8_t HuxBlueOf(HuxColourRef c) { return uint8_t(c >> 16); }

enum class HuxSysColour : int32_t {
    Window = 5,
    WindowText = 8,
    Highlight = 13,
    ButtonFace = 15,
    ButtonShadow = 16,
    ButtonHighlight = 20,
    DarkShadow3D = 21,
    Light3D = 22,
};
