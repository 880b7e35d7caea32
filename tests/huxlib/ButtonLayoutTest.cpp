// Bitmap-button drawing as steps: every border variant, focus, disabled,
// pressed and checked faces, and the two shared helpers.
#include "HuxLib/HUXCTRL/HuxButtonLayout.h"

#include <gtest/gtest.h>

#include <ostream>
#include <vector>

using C = HuxSysColour;
using Kind = HuxDrawStep::Kind;
using Steps = std::vector<HuxDrawStep>;

// Readable failures: one line per step.
void PrintTo(const HuxDrawStep& s, std::ostream* os)
{
    static const char* const kinds[] = {"Fill", "Frame3D", "RoundRect", "Focus", "CopyFace", "CopyDisabledFace"};
    *os << kinds[int(s.kind)] << " (" << s.rect.left << "," << s.rect.top << "," << s.rect.right << ","
        << s.rect.bottom << ") colours " << int(s.colour) << "/" << int(s.bottomRight) << " corner " << s.corner;
}

namespace {

const HuxRect kItem{0, 0, 40, 30};

HuxButtonDrawState State()
{
    HuxButtonDrawState state;
    state.item = kItem;
    state.flatStyle = true;
    state.hasBitmap = true;
    state.bitmapWidth = 16;
    state.bitmapHeight = 12;
    return state;
}

HuxDrawStep Frame(HuxRect r, C topLeft, C bottomRight) { return HuxFrame3DStep(r, topLeft, bottomRight); }
HuxDrawStep FaceFrame(HuxRect r) { return Frame(r, C::ButtonFace, C::ButtonFace); }
HuxDrawStep Fill(HuxRect r) { return HuxFillStep(r, C::ButtonFace); }

HuxDrawStep Step(Kind kind, HuxRect r, C colour = C::ButtonFace, int32_t corner = 0)
{
    HuxDrawStep step;
    step.kind = kind;
    step.rect = r;
    step.colour = colour;
    step.corner = corner;
    return step;
}

// The face frames, optional focus, the fill around the image and its copy.
void AddInterior(Steps& steps, HuxRect r, HuxRect image, bool focus, Kind copy = Kind::CopyFace)
{
    steps.push_back(FaceFrame(r));
    r = HuxRectDeflate(r, 1);
    steps.push_back(FaceFrame(r));
    if (focus)
        steps.push_back(Step(Kind::FocusRect, r));
    r = HuxRectDeflate(r, 1);
    if (copy == Kind::CopyDisabledFace) {
        ++r.right;
        ++r.bottom;
    }
    for (const HuxRect& band : HuxFillAroundBands(r, image))
        steps.push_back(Fill(band));
    steps.push_back(Step(copy, image));
}

} // namespace

TEST(ButtonLayout, FillAroundBandsAndBevels)
{
    const auto bands = HuxFillAroundBands({0, 0, 10, 8}, {3, 2, 6, 5});
    EXPECT_EQ(bands[0], (HuxRect{0, 0, 10, 2}));
    EXPECT_EQ(bands[1], (HuxRect{0, 5, 10, 8}));
    EXPECT_EQ(bands[2], (HuxRect{0, 2, 3, 5}));
    EXPECT_EQ(bands[3], (HuxRect{6, 2, 10, 5}));

    const auto raised = HuxBevelSteps({0, 0, 10, 8}, true);
    EXPECT_EQ(raised[0], Frame({0, 0, 10, 8}, C::ButtonHighlight, C::DarkShadow3D));
    EXPECT_EQ(raised[1], Frame({1, 1, 9, 7}, C::Light3D, C::ButtonShadow));
    const auto sunken = HuxBevelSteps({0, 0, 10, 8}, false);
    EXPECT_EQ(sunken[0], Frame({0, 0, 10, 8}, C::DarkShadow3D, C::ButtonHighlight));
    EXPECT_EQ(sunken[1], Frame({1, 1, 9, 7}, C::ButtonShadow, C::Light3D));
}

TEST(ButtonLayout, FlatButtonAtRestHasNoBorder)
{
    Steps expected;
    AddInterior(expected, kItem, {12, 9, 28, 21}, false);
    EXPECT_EQ(HuxBitmapButtonSteps(State()), expected);
}

TEST(ButtonLayout, FlatHotButtonIsFramedRaisedOrSunken)
{
    HuxButtonDrawState state = State();
    state.hot = true;
    state.focus = true;
    Steps expected{Frame(kItem, C::ButtonHighlight, C::ButtonShadow)};
    AddInterior(expected, {2, 2, 38, 28}, {12, 9, 28, 21}, true);
    EXPECT_EQ(HuxBitmapButtonSteps(state), expected);

    state.pressed = true;
    expected = {Frame(kItem, C::ButtonShadow, C::ButtonHighlight)};
    AddInterior(expected, {2, 2, 38, 28}, {13, 10, 29, 22}, true);
    EXPECT_EQ(HuxBitmapButtonSteps(state), expected) << "pressed: sunken, face moved by (1, 1)";
}

TEST(ButtonLayout, CheckedFlatButtonWithAndWithoutRoundedHighlight)
{
    HuxButtonDrawState state = State();
    state.checkState = 1;
    Steps expected{Frame(kItem, C::ButtonShadow, C::ButtonHighlight)};
    AddInterior(expected, {2, 2, 38, 28}, {13, 10, 29, 22}, false);
    EXPECT_EQ(HuxBitmapButtonSteps(state), expected);

    state.roundedHighlight = true;
    state.focus = true; // the rounded variant draws no focus rectangle
    expected = {Fill(kItem), Step(Kind::RoundRect, kItem, C::Highlight, 30),
                Step(Kind::RoundRect, {3, 3, 37, 27}, C::ButtonFace, 30),
                Step(Kind::CopyFace, {13, 10, 29, 22})};
    EXPECT_EQ(HuxBitmapButtonSteps(state), expected);

    state.checkState = 2; // indeterminate is not down
    expected = {Fill(kItem), Step(Kind::CopyFace, {12, 9, 28, 21})};
    EXPECT_EQ(HuxBitmapButtonSteps(state), expected);
}

TEST(ButtonLayout, DisabledPlainButtonGrowsByOne)
{
    HuxButtonDrawState state = State();
    state.flatStyle = false;
    state.disabled = true;
    Steps expected{Frame(kItem, C::ButtonHighlight, C::DarkShadow3D), Frame({1, 1, 39, 29}, C::Light3D, C::ButtonShadow)};
    AddInterior(expected, {2, 2, 38, 28}, {12, 9, 29, 22}, false, Kind::CopyDisabledFace);
    EXPECT_EQ(HuxBitmapButtonSteps(state), expected);

    state.disabled = false;
    state.pressed = true;
    expected = {Frame(kItem, C::DarkShadow3D, C::ButtonHighlight), Frame({1, 1, 39, 29}, C::ButtonShadow, C::Light3D)};
    AddInterior(expected, {2, 2, 38, 28}, {13, 10, 29, 22}, false);
    EXPECT_EQ(HuxBitmapButtonSteps(state), expected);
}

TEST(ButtonLayout, ImageCentringTruncatesTowardZero)
{
    HuxButtonDrawState state = State();
    state.bitmapWidth = 5;
    state.bitmapHeight = 4;
    // 1 spare pixel across (left 0), 2 down (top 1); odd remainders truncate
    EXPECT_EQ(HuxButtonImageRect({10, 20, 16, 26}, state), (HuxRect{10, 21, 15, 25}));
    // a bitmap larger than the room: (8 - 9 - 2) / 2 = -1, not -2
    state.bitmapWidth = 9;
    state.bitmapHeight = 9;
    EXPECT_EQ(HuxButtonImageRect({2, 2, 8, 8}, state), (HuxRect{1, 1, 10, 10}));
}

TEST(ButtonLayout, WithoutBitmapOnlyTheFrameAndBackground)
{
    HuxButtonDrawState state = State();
    state.hasBitmap = false;
    const Steps steps = HuxBitmapButtonSteps(state);
    ASSERT_EQ(steps.size(), 6u);
    for (const HuxDrawStep& step : steps)
        EXPECT_TRUE(step.kind == Kind::Frame3D || step.kind == Kind::FillRect);
    // the bands cover the whole inside: top and bottom meet at the centre row
    EXPECT_EQ(steps[2].rect, (HuxRect{2, 2, 38, 15}));
    EXPECT_EQ(steps[3].rect, (HuxRect{2, 15, 38, 28}));
}
