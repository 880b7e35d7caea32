// When drawing a preview image shows anything at all.
#include <gtest/gtest.h>

#include <climits>

#include "HuxLib/HUXIMAGE/HuxImage2.h"

TEST(ImageDraw, EmptyOrInvertedRectanglesOnEitherSideDrawNothing)
{
    const HuxRect good{2, 3, 12, 9};
    EXPECT_TRUE(HuxImage2::DrawsAnything(good, good));
    EXPECT_TRUE(HuxImage2::DrawsAnything({-5, -5, -4, -4}, {0, 0, 1, 1}));

    const HuxRect bad[] = {
        {2, 3, 2, 9},  // no width
        {2, 3, 12, 3}, // no height
        {12, 3, 2, 9}, // right of left inverted
        {2, 9, 12, 3}, // bottom above top
        {0, 0, 0, 0},
    };
    for (const HuxRect& r : bad) {
        EXPECT_FALSE(HuxImage2::DrawsAnything(r, good)) << r.left << "," << r.top << "," << r.right << "," << r.bottom;
        EXPECT_FALSE(HuxImage2::DrawsAnything(good, r)) << r.left << "," << r.top << "," << r.right << "," << r.bottom;
    }
}

TEST(ImageDraw, ExtentsBeyondThirtyTwoBitsDrawNothing)
{
    const HuxRect good{0, 0, 4, 4};
    EXPECT_FALSE(HuxImage2::DrawsAnything({INT_MIN, 0, INT_MAX, 4}, good));
    EXPECT_FALSE(HuxImage2::DrawsAnything(good, {0, -2, 4, INT_MAX}));
    EXPECT_TRUE(HuxImage2::DrawsAnything({-1, 0, INT_MAX - 1, 4}, good));
}
