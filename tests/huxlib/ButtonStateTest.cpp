// Bitmap-button state: hover, focus and check messages, the owner-draw
// style switch, the item's draw flags; the separator line and the
// off-screen buffer's rebuild rule.
#include "HuxLib/HUXCTRL/HuxButtonState.h"
#include "HuxLib/HUXCTRL/HuxLineStatic.h"
#include "HuxLib/HUXCTRL/HuxOffscreenSize.h"

#include <gtest/gtest.h>

namespace {

const HuxButtonReaction kNothing{};
const HuxButtonReaction kRedraw{true, false, false};
const HuxButtonReaction kHoverStarts{true, true, false};
const HuxButtonReaction kHoverEnds{true, false, true};

} // namespace

TEST(ButtonState, HoverStartsOnceAndEndsWhenTheTimerFindsThePointerOutside)
{
    HuxButtonState button;
    EXPECT_FALSE(button.Hot());
    EXPECT_EQ(button.MouseMove(), kHoverStarts);
    EXPECT_TRUE(button.Hot());
    EXPECT_EQ(button.MouseMove(), kNothing) << "already hot: no second timer";
    EXPECT_EQ(button.HoverTimer(true), kNothing);
    EXPECT_TRUE(button.Hot());
    EXPECT_EQ(button.HoverTimer(false), kHoverEnds);
    EXPECT_FALSE(button.Hot());
    EXPECT_EQ(button.MouseMove(), kHoverStarts) << "a new hover after the last ended";
    EXPECT_EQ(button.MouseLeave(), kRedraw);
    EXPECT_FALSE(button.Hot());
}

TEST(ButtonState, FocusAndDisablingSetAndClearHot)
{
    HuxButtonState button;
    EXPECT_EQ(button.SetFocus(), kRedraw);
    EXPECT_TRUE(button.Hot());
    EXPECT_EQ(button.SetFocus(), kNothing);
    EXPECT_EQ(button.MouseMove(), kNothing) << "hot through the focus";
    EXPECT_EQ(button.KillFocus(), kRedraw);
    EXPECT_FALSE(button.Hot());
    EXPECT_EQ(button.KillFocus(), kNothing);

    button.MouseMove();
    EXPECT_EQ(button.Enable(true), kNothing);
    EXPECT_TRUE(button.Hot());
    EXPECT_EQ(button.Enable(false), kRedraw);
    EXPECT_FALSE(button.Hot());
    EXPECT_EQ(button.Enable(false), kNothing);
}

TEST(ButtonState, CheckStateRedrawsDown)
{
    HuxButtonState button;
    EXPECT_EQ(button.SetCheck(1), kRedraw);
    EXPECT_EQ(button.CheckState(), 1);
    const HuxButtonDrawState state = button.DrawState({0, 0, 20, 20}, 0, 0, true, 8, 8);
    EXPECT_EQ(state.checkState, 1);
    EXPECT_EQ(HuxButtonImageRect({0, 0, 20, 20}, state), (HuxRect{7, 7, 15, 15})) << "checked draws down";
}

TEST(ButtonState, OnlyPushButtonsBecomeOwnerDrawn)
{
    EXPECT_EQ(HuxOwnerDrawButtonStyle(0x50010000 | kHuxBsPushButton), 0x50010000u | kHuxBsOwnerDraw);
    EXPECT_EQ(HuxOwnerDrawButtonStyle(kHuxBsFlat | kHuxBsDefPushButton), kHuxBsFlat | kHuxBsOwnerDraw);
    EXPECT_EQ(HuxOwnerDrawButtonStyle(0x3), 0x3u) << "check boxes are left alone";
    EXPECT_EQ(HuxOwnerDrawButtonStyle(0x9), 0x9u) << "radio buttons too";
    EXPECT_EQ(HuxOwnerDrawButtonStyle(kHuxBsOwnerDraw), kHuxBsOwnerDraw);
}

TEST(ButtonState, DrawStateReadsTheItemFlagsAndStyle)
{
    HuxButtonState button;
    button.SetRoundedHighlight(true);
    button.SetFocus();
    const HuxRect item{1, 2, 30, 40};
    HuxButtonDrawState state =
        button.DrawState(item, kHuxOdsSelected | kHuxOdsFocus, kHuxBsFlat | kHuxBsOwnerDraw, true, 16, 15);
    EXPECT_EQ(state.item, item);
    EXPECT_TRUE(state.flatStyle);
    EXPECT_TRUE(state.hot);
    EXPECT_TRUE(state.pressed);
    EXPECT_TRUE(state.focus);
    EXPECT_FALSE(state.disabled);
    EXPECT_TRUE(state.roundedHighlight);
    EXPECT_EQ(state.bitmapWidth, 16);
    EXPECT_EQ(state.bitmapHeight, 15);

    state = HuxButtonState{}.DrawState(item, kHuxOdsDisabled, kHuxBsOwnerDraw, false, 0, 0);
    EXPECT_FALSE(state.flatStyle);
    EXPECT_FALSE(state.hot);
    EXPECT_FALSE(state.pressed);
    EXPECT_FALSE(state.focus);
    EXPECT_TRUE(state.disabled);
    EXPECT_FALSE(state.roundedHighlight);
    EXPECT_FALSE(state.hasBitmap);
}

TEST(LineStatic, ShadowRowOverHighlightRow)
{
    const auto steps = HuxLineStaticSteps({5, 7, 105, 9});
    EXPECT_EQ(steps[0], HuxFillStep({5, 7, 105, 8}, HuxSysColour::ButtonShadow));
    EXPECT_EQ(steps[1], HuxFillStep({5, 8, 105, 9}, HuxSysColour::ButtonHighlight));
}

TEST(OffscreenSize, RebuildsOnlyWhenTheClientSizeChanges)
{
    HuxOffscreenSize size;
    EXPECT_TRUE(size.Update(0, 0)) << "the first paint builds the buffer, however small";
    EXPECT_FALSE(size.Update(0, 0));
    EXPECT_TRUE(size.Update(120, 80));
    EXPECT_FALSE(size.Update(120, 80));
    EXPECT_TRUE(size.Update(120, 81));
    EXPECT_EQ(size.Width(), 120);
    EXPECT_EQ(size.Height(), 81);
}
