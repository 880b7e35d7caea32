// The grid editor control's scroll bars, scroll codes and middle-button pan.
#include "ui/PSPlimControlScrolling.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

constexpr int kLineUp = 0, kLineDown = 1, kPageUp = 2, kPageDown = 3, kThumbPosition = 4, kThumbTrack = 5,
              kTop = 6, kBottom = 7, kEndScroll = 8;

// A 400-pixel page at 200 over a 1000-pixel range.
const PSPlimScrollBar kBar{0, 1000, 400, 200};

int32_t PositionAfter(const PSPlimScrollBar& bar, int code, int32_t thumb = 0)
{
    const PSPlimScrollStep step = PSPlimScrollBy(bar, code, thumb);
    EXPECT_EQ(step.delta, step.position - bar.position) << "code " << code;
    return step.position;
}

} // namespace

TEST(ControlScrollingTest, BarsShowTheViewInsideTheFilterRectangle)
{
    const PSPlimScrollBars bars = PSPlimScrollBarsFor({50, 60, 1050, 860}, {250, 160, 650, 460});
    EXPECT_EQ(bars.horizontal, (PSPlimScrollBar{0, 1000, 400, 200}));
    EXPECT_EQ(bars.vertical, (PSPlimScrollBar{0, 800, 300, 100}));
    // The whole image in view: nothing to scroll.
    const PSPlimScrollBars whole = PSPlimScrollBarsFor({0, 0, 600, 400}, {0, 0, 600, 400});
    EXPECT_EQ(whole.horizontal, (PSPlimScrollBar{0, 600, 600, 0}));
    // A position past the last page is clamped so that the page fits.
    EXPECT_EQ(PSPlimScrollBarsFor({0, 0, 1000, 800}, {700, -20, 1100, 280}).horizontal.position, 600);
    EXPECT_EQ(PSPlimScrollBarsFor({0, 0, 1000, 800}, {700, -20, 1100, 280}).vertical.position, 0);
}

TEST(ControlScrollingTest, EveryScrollCodeMovesAndClamps)
{
    EXPECT_EQ(PositionAfter(kBar, kLineUp), 199);
    EXPECT_EQ(PositionAfter(kBar, kLineDown), 201);
    EXPECT_EQ(PositionAfter(kBar, kPageUp), 0); // 200 - 400, clamped to the minimum
    EXPECT_EQ(PositionAfter(kBar, kPageDown), 600);
    EXPECT_EQ(PositionAfter({0, 1000, 400, 500}, kPageDown), 600); // 900 is past the last page
    EXPECT_EQ(PositionAfter(kBar, kThumbPosition, 350), 350);
    EXPECT_EQ(PositionAfter(kBar, kThumbTrack, 9999), 600);
    EXPECT_EQ(PositionAfter(kBar, kThumbTrack, -5), 0);
    EXPECT_EQ(PositionAfter(kBar, kTop), 0);
    EXPECT_EQ(PositionAfter(kBar, kBottom), 600);
    EXPECT_EQ(PositionAfter(kBar, kEndScroll), 200);
    EXPECT_EQ(PositionAfter(kBar, 42), 200);
    EXPECT_EQ(PositionAfter({0, 1000, 400, 0}, kLineUp), 0);
    EXPECT_EQ(PositionAfter({0, 1000, 400, 600}, kLineDown), 600);
}

TEST(ControlScrollingTest, APageLargerThanTheRangeStaysAtTheMinimum)
{
    // Such a bar is disabled; a stray message must not scroll before the image.
    const PSPlimScrollBar wide{0, 100, 150, 0};
    for (int code : {kLineUp, kLineDown, kPageUp, kPageDown, kTop, kBottom})
        EXPECT_EQ(PSPlimScrollBy(wide, code, 0).position, 0) << "code " << code;
}

TEST(ControlScrollingTest, APanMakesTheImageFollowTheCursor)
{
    // A 1000 x 1000 image shown in a 500 x 500 image area: 2 image pixels
    // per client pixel.
    const double side = 1.0 / std::sqrt(2.0);
    const PSPlimClientMapping mapping{{0, 0, 500, 500}, side, side};
    const HuxRect filter{0, 0, 1000, 1000};
    const HuxPointI origin{200, 100};
    // Dragging right and down moves the view left and up.
    EXPECT_EQ(PSPlimPanScroll(mapping, {100, 100}, {150, 120}, origin, {200, 100, 600, 400}, filter),
              (HuxPointI{-100, -40}));
    // The next move scrolls only by what the view has not yet followed.
    EXPECT_EQ(PSPlimPanScroll(mapping, {100, 100}, {160, 120}, origin, {100, 60, 500, 360}, filter),
              (HuxPointI{-20, 0}));
    // Back at the press point, the view returns to its origin.
    EXPECT_EQ(PSPlimPanScroll(mapping, {100, 100}, {100, 100}, origin, {80, 60, 480, 360}, filter),
              (HuxPointI{120, 40}));
}
