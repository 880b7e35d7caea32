#include "HuxLib/HUXCTRL/HuxSliderModel.h"
#include "HuxLib/HUXUTIL/HuxMulDiv.h"

#include <algorithm>
#include <limits>

void HuxSliderModel::SetRange(int32_t minimum, int32_t maximum)
{
    m_minimum = std::min(minimum, maximum);
    m_maximum = std::max(minimum, maximum);
}

void HuxSliderModel::SetClamp(int32_t minimum, int32_t maximum)
{
    m_clampMinimum = std::min(minimum, maximum);
    m_clampMaximum = std::max(minimum, maximum);
}

void HuxSliderModel::ClearClamp()
{
    m_clampMinimum.reset();
    m_clampMaximum.reset();
}

int32_t HuxSliderModel::PositionAt(int32_t x, int32_t clientWidth) const
{
    // A control without width has nowhere to click but its low end.
    if (clientWidth <= 0)
        return Low();
    const int64_t span = int64_t(High()) - Low();
    return int32_t(Low() + span * x / clientWidth);
}

HuxSliderDrag HuxSliderModel::Drag(int32_t x, int32_t clientWidth, int32_t position, bool timerRunning)
{
    HuxSliderDrag drag;
    if (x >= 0 && x < clientWidth) {
        drag.stopTimer = true;
        drag.position = PositionAt(x, clientWidth);
        return drag;
    }
    // Distance to the nearest client pixel.
    int64_t step = 0;
    if (x < 0) {
        const int64_t d = -int64_t(x);
        step = d > kAutoScrollDeadZone ? -(d - kAutoScrollDeadZone) : 0;
        if (position > Low() && !timerRunning)
            drag.position = Low();
    }
    else {
        const int64_t d = int64_t(x) - (clientWidth - 1);
        step = d >= kAutoScrollDeadZone + 1 ? d - kAutoScrollDeadZone : 0;
        if (position < High() && !timerRunning)
            drag.position = High();
    }
    m_step = int32_t(std::clamp<int64_t>(step * m_multiplier, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
    drag.step = m_step;
    drag.startTimer = !timerRunning;
    return drag;
}

int32_t HuxSliderModel::TimerPosition(int32_t position) const
{
    return int32_t(std::clamp<int64_t>(int64_t(position) + m_step, m_minimum, m_maximum));
}

std::vector<HuxColourFill> HuxSliderBars(const HuxRect& client, const HuxSliderPercent& percent, bool enabled)
{
    const uint8_t m = enabled ? 255 : 200;
    const HuxColourRef background = HuxRGB(m, m, m);
    const HuxColourRef blue = HuxRGB(0, 0, m);
    const HuxColourRef red = HuxRGB(m, 0, 0);
    const HuxColourRef black = HuxRGB(0, 0, 0);

    std::vector<HuxColourFill> fills;
    fills.push_back({{client.left, client.top, client.right, client.top + 1}, black});
    const int32_t top = client.top + 1;
    auto at = [&](int32_t p) { return client.left + HuxMulDiv(p, client.Width(), 100); };
    const int32_t valueX = at(percent.value);

    if (percent.zero == 0) {
        fills.push_back({{client.left, top, valueX, client.bottom}, blue});
        fills.push_back({{valueX, top, client.right, client.bottom}, background});
        return fills;
    }
    fills.push_back({{client.left, top, client.right, client.bottom}, background});
    const int32_t zeroX = at(percent.zero);
    HuxRect bar{std::min(valueX, zeroX), top, std::max(valueX, zeroX), client.bottom};
    if (bar.right == bar.left)
        ++bar.right;
    const HuxColourRef colour = percent.value < percent.zero ? red : percent.value > percent.zero ? blue : black;
    fills.push_back({bar, colour});
    return fills;
}
