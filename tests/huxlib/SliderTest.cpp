// The slider companion: click positions, auto-scroll beyond either end,
// timer steps and the bars it paints.
#include "HuxLib/HUXCTRL/HuxSliderModel.h"

#include <gtest/gtest.h>

#include <ostream>
#include <vector>

void PrintTo(const HuxSliderDrag& d, std::ostream* os)
{
    *os << "stop " << d.stopTimer << " start " << d.startTimer << " step " << d.step << " position ";
    if (d.position)
        *os << *d.position;
    else
        *os << "unchanged";
}

namespace {

HuxSliderDrag Follow(int32_t position)
{
    HuxSliderDrag drag;
    drag.stopTimer = true;
    drag.position = position;
    return drag;
}

HuxSliderDrag Scroll(int32_t step, bool startTimer, std::optional<int32_t> jump)
{
    HuxSliderDrag drag;
    drag.step = step;
    drag.startTimer = startTimer;
    drag.position = jump;
    return drag;
}

} // namespace

TEST(Slider, ClickPositionsInTheRangeOrTheClamp)
{
    HuxSliderModel slider;
    EXPECT_EQ(slider.PositionAt(50, 200), 25);
    EXPECT_EQ(slider.PositionAt(199, 200), 99) << "integer division";
    EXPECT_EQ(slider.PositionAt(0, 0), 0) << "no width: the low end";
    slider.SetClamp(10, 60);
    EXPECT_EQ(slider.PositionAt(100, 200), 35);
    slider.ClearClamp();
    slider.SetRange(-50, 50);
    EXPECT_EQ(slider.PositionAt(1, 3), -17);
}

TEST(Slider, DragInsideFollowsBeyondScrollsAfterFivePixels)
{
    HuxSliderModel slider; // 0..100
    EXPECT_EQ(slider.Drag(40, 100, 7, true), Follow(40));

    EXPECT_EQ(slider.Drag(-5, 100, 30, false), Scroll(0, true, 0)) << "five pixels left: no step yet";
    EXPECT_EQ(slider.Drag(-6, 100, 30, false), Scroll(-1, true, 0));
    EXPECT_EQ(slider.Step(), -1);
    EXPECT_EQ(slider.Drag(-16, 100, 30, true), Scroll(-11, false, std::nullopt)) << "timer runs: no jump";
    EXPECT_EQ(slider.Drag(-9, 100, 0, false), Scroll(-4, true, std::nullopt)) << "already at the low end";

    // the last client pixel is x = 99; x = 104 lies five beyond it
    EXPECT_EQ(slider.Drag(99, 100, 30, false), Follow(99));
    EXPECT_EQ(slider.Drag(104, 100, 30, false), Scroll(0, true, 100));
    EXPECT_EQ(slider.Drag(105, 100, 30, false), Scroll(1, true, 100));
    EXPECT_EQ(slider.Drag(105, 100, 100, false), Scroll(1, true, std::nullopt));

    slider.SetStepMultiplier(3);
    slider.SetClamp(10, 60);
    EXPECT_EQ(slider.Drag(110, 100, 30, false), Scroll(18, true, 60)) << "11 beyond the last pixel: (11 - 5) * 3";
    EXPECT_EQ(slider.Drag(-7, 100, 30, false), Scroll(-6, true, 10));
}

TEST(Slider, TimerStepsStayInTheControlRange)
{
    HuxSliderModel slider;
    slider.SetClamp(10, 60);
    slider.SetStepMultiplier(2);
    slider.Drag(-8, 100, 5, true); // step (8 - 5) * -2
    EXPECT_EQ(slider.Step(), -6);
    EXPECT_EQ(slider.TimerPosition(50), 44);
    EXPECT_EQ(slider.TimerPosition(4), 0) << "the control's range, not the clamp";
    slider.Drag(120, 100, 5, true);
    EXPECT_EQ(slider.TimerPosition(97), 100);
}

TEST(Slider, BarsFromTheLeftWhenZeroIsTheLowEnd)
{
    const HuxRect client{10, 5, 110, 15};
    const std::vector<HuxColourFill> expected{{{10, 5, 110, 6}, HuxRGB(0, 0, 0)},
                                              {{10, 6, 35, 15}, HuxRGB(0, 0, 255)},
                                              {{35, 6, 110, 15}, HuxRGB(255, 255, 255)}};
    EXPECT_EQ(HuxSliderBars(client, {25, 0}, true), expected);
    const std::vector<HuxColourFill> disabled{{{10, 5, 110, 6}, HuxRGB(0, 0, 0)},
                                              {{10, 6, 35, 15}, HuxRGB(0, 0, 200)},
                                              {{35, 6, 110, 15}, HuxRGB(200, 200, 200)}};
    EXPECT_EQ(HuxSliderBars(client, {25, 0}, false), disabled);
}

TEST(Slider, BarsBetweenValueAndZero)
{
    const HuxRect client{0, 0, 200, 10};
    const HuxColourFill top{{0, 0, 200, 1}, HuxRGB(0, 0, 0)};
    const HuxColourFill background{{0, 1, 200, 10}, HuxRGB(255, 255, 255)};
    EXPECT_EQ(HuxSliderBars(client, {25, 40}, true),
              (std::vector<HuxColourFill>{top, background, {{50, 1, 80, 10}, HuxRGB(255, 0, 0)}}));
    EXPECT_EQ(HuxSliderBars(client, {75, 40}, true),
              (std::vector<HuxColourFill>{top, background, {{80, 1, 150, 10}, HuxRGB(0, 0, 255)}}));
    EXPECT_EQ(HuxSliderBars(client, {40, 40}, true),
              (std::vector<HuxColourFill>{top, background, {{80, 1, 81, 10}, HuxRGB(0, 0, 0)}}))
        << "at zero: a black bar one pixel wide";
    // x(p) rounds as MulDiv does: 33% of 200 is 66, 1% is 2
    EXPECT_EQ(HuxSliderBars(client, {1, 33}, true)[2].rect, (HuxRect{2, 1, 66, 10}));
}
