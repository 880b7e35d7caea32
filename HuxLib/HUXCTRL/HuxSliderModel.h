// The arithmetic of the edit box's slider companion: the position a click
// picks, the auto-scroll that a drag beyond either end starts, the timer's
// step, and the bars that show the value against zero.
#pragma once

#include "HuxLib/HUXCTRL/HuxDrawStep.h"
#include "HuxLib/HUXCTRL/HuxIntegerBoxModel.h"

#include <optional>
#include <vector>

// What a drag to x does.
struct HuxSliderDrag {
    bool stopTimer = false;              // inside the client width: position follows x
    bool startTimer = false;             // beyond an end with no timer running
    std::optional<int32_t> position;     // the position to set, if it changes now
    int32_t step = 0;                    // the auto-scroll step per timer tick

    bool operator==(const HuxSliderDrag&) const = default;
};

class HuxSliderModel {
public:
    static constexpr int32_t kAutoScrollDeadZone = 5; // pixels beyond an end before scrolling starts

    // The control's own range.
    void SetRange(int32_t minimum, int32_t maximum);
    int32_t Minimum() const { return m_minimum; }
    int32_t Maximum() const { return m_maximum; }
    // The clamp range that clicks and drags keep to while it is set.
    void SetClamp(int32_t minimum, int32_t maximum);
    void ClearClamp();
    void SetStepMultiplier(int32_t multiplier) { m_multiplier = multiplier; }

    // A click at x of a client area clientWidth wide: lo + (hi - lo) * x /
    // clientWidth in the clamp range (the control's range without one).
    int32_t PositionAt(int32_t x, int32_t clientWidth) const;

    // The left button moved to x while captured; position is the current
    // one, timerRunning whether the auto-scroll timer runs. Keeps the step.
    HuxSliderDrag Drag(int32_t x, int32_t clientWidth, int32_t position, bool timerRunning);
    int32_t Step() const { return m_step; }

    // One timer tick: the position moved by the step, kept in the control's range.
    int32_t TimerPosition(int32_t position) const;

private:
    int32_t Low() const { return m_clampMinimum.value_or(m_minimum); }
    int32_t High() const { return m_clampMaximum.value_or(m_maximum); }

    int32_t m_minimum = 0;
    int32_t m_maximum = 100;
    std::optional<int32_t> m_clampMinimum;
    std::optional<int32_t> m_clampMaximum;
    int32_t m_step = 0;
    int32_t m_multiplier = 1;
};

// The slider's picture in a client rectangle: a black top row, below it the
// value as a bar from zero (blue above zero, red below, black at zero) or,
// when zero is at the left end, a blue bar from the left. Disabled sliders
// draw at intensity 200 instead of 255.
std::vector<HuxColourFill> HuxSliderBars(const HuxRect& client, const HuxSliderPercent& percent, bool enabled);
