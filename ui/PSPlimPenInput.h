// A pen's input to the grid editor control. The system reads a pen as
// pointer messages; the control turns each into a PSPlimPenSample and feeds
// the same stroke state as the mouse, whose moves then apply the tool's
// power scaled by the pen's pressure while "Pressure Controls Power" is on.
#pragma once

#include "ui/PSPlimToolChoice.h"

#include <cstdint>
#include <optional>
#include <string>

// The pen's reading at full pressure: the system reports 0 .. 1024.
inline constexpr uint32_t kPSPlimFullPenPressure = 1024;

struct PSPlimPenSample {
    enum class Phase : uint8_t { Down, Update, Up };
    Phase phase = Phase::Update;
    bool barrel = false;         // the barrel button held: the right button's tool at the touch
    bool sensesPressure = false; // the pen reports pressure at all
    uint32_t pressure = 0;       // its reading, 0 .. kPSPlimFullPenPressure

    bool operator==(const PSPlimPenSample&) const = default;
};

// The factor a move applies the tool's power with. 1, which leaves every
// bit of the power as it is, for the mouse (no sample), with the toggle
// off and for a pen that senses no pressure: such a pen reads 0, which
// means "no reading", not "no power". Else the reading over the full one
// (a reading past it counts as full); a sensing pen's 0 is a touch too
// light to act, and its move moves nothing.
double PSPlimMovePressure(bool pressureControlsPower, const std::optional<PSPlimPenSample>& pen);

// The tip strokes with the left button's tool, the barrel button held with
// the right one's.
inline PSPlimButton PSPlimPenButton(const PSPlimPenSample& pen)
{
    return pen.barrel ? PSPlimButton::Right : PSPlimButton::Left;
}

// The reading nearest a pressure of 0 .. 1, as a pen would report it.
uint32_t PSPlimPenReadingFor(double pressure);

// The system marks a mouse message it made from a pen's input in the
// message's extra information (touch sets one more bit, 0x80). Such a
// message repeats a pen input the control has read already, when it reads
// the pen's own messages.
bool PSPlimMouseMessageFromPen(uint64_t extraInfo);

// The control also takes a sample whole, in one word of its pen-sample
// message (registered under this name; the position as a mouse message
// carries it): a driver of the dialog with no pen feeds the pen path there,
// below the reading of the system's pointer messages. None for a word that
// no sample packs to.
inline constexpr const char* kPSPlimPenSampleMessage = "Squelm.PenSample";
uint32_t PSPlimPackPenSample(const PSPlimPenSample& sample);
std::optional<PSPlimPenSample> PSPlimUnpackPenSample(uint32_t word);

// The toggle as kept for the user (a registry string on Windows): "1" on;
// anything else, or nothing, off.
bool PSPlimPressureToggleFromText(const std::optional<std::wstring>& text);
std::wstring PSPlimPressureToggleText(bool on);
