// Lengths and rectangles scaled between resolutions, and the art scale
// chosen for a resolution.
#include <gtest/gtest.h>

#include "HuxLib/HUXWIN/HuxAnchorLayout.h"
#include "HuxLib/HUXWIN/HuxDpiScaling.h"

namespace {

TEST(DpiScaling, ScalesAsMulDivRoundingHalvesAwayFromZero)
{
    struct Case {
        int value, from, to, expected;
    };
    const Case cases[] = {
        {26, 96, 144, 39}, {15, 100, 150, 23}, {-15, 100, 150, -23}, {7, 96, 120, 9},   // 8.75
        {5, 96, 144, 8},   {3, 144, 96, 2},    {1, 96, 144, 2},      {559, 144, 96, 373}, // 372.67
        {0, 96, 192, 0},   {-3, 96, 144, -5},
    };
    for (const Case& c : cases)
        EXPECT_EQ(HuxScaleForDpi(c.value, c.from, c.to), c.expected) << c.value << " " << c.from << "->" << c.to;
    EXPECT_THROW(HuxScaleForDpi(1, 0, 96), std::invalid_argument);
}

TEST(DpiScaling, RectanglesThatTouchStillTouchAndAReturnTripIsExact)
{
    const HuxRect left{3, 5, 11, 20}, right{11, 5, 30, 20};
    const HuxRect scaledLeft = HuxScaleRectForDpi(left, 96, 144), scaledRight = HuxScaleRectForDpi(right, 96, 144);
    EXPECT_EQ(scaledLeft, (HuxRect{5, 8, 17, 30}));
    EXPECT_EQ(scaledRight.left, scaledLeft.right);
    EXPECT_EQ(HuxScaleRectForDpi(scaledRight, 144, 96), right);
}

TEST(DpiScaling, AnchoredLayoutAtAnotherResolutionScalesTheTemplateFirst)
{
    const HuxPointI templateSize{400, 300};
    const HuxRect okButton{300, 270, 380, 290};
    // At 150 % the template is 600 x 450; a client 100 wider moves the button by 100.
    EXPECT_EQ(HuxAnchoredRectAtDpi(okButton, HuxAnchor::BottomRight, templateSize, {700, 450}, 96, 144),
              (HuxRect{550, 405, 670, 435}));
    EXPECT_EQ(HuxAnchoredRectAtDpi(okButton, HuxAnchor::BottomRight, templateSize, {400, 300}, 96, 96), okButton);
}

TEST(DpiScaling, ArtIsTheLargestDrawnScaleNotAboveTheDisplays)
{
    struct Case {
        int dpi;
        HuxArtScale scale;
        HuxPointI toolbarImage; // of a 16 x 15 image
    };
    const Case cases[] = {
        {72, HuxArtScale::Percent100, {16, 15}},  {96, HuxArtScale::Percent100, {16, 15}},
        {120, HuxArtScale::Percent100, {16, 15}}, {143, HuxArtScale::Percent100, {16, 15}},
        {144, HuxArtScale::Percent150, {24, 23}}, {168, HuxArtScale::Percent150, {24, 23}},
        {192, HuxArtScale::Percent200, {32, 30}}, {288, HuxArtScale::Percent200, {32, 30}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(HuxArtScaleFor(c.dpi), c.scale) << c.dpi;
        EXPECT_EQ(HuxArtSize({16, 15}, HuxArtScaleFor(c.dpi)), c.toolbarImage) << c.dpi;
    }
}

} // namespace
