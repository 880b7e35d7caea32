// 2-D homogeneous transforms.
#include "HuxLib/HuxGeometry/HuxTransform2D.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

using HuxGeometry::HuxPoint2D;
using HuxGeometry::HuxTransform2D;

TEST(HuxTransform2D, NewTransformIsTheIdentity)
{
    const HuxTransform2D identity;
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j)
            EXPECT_EQ(identity.Element(i, j), i == j ? 1.0 : 0.0) << i << ", " << j;
    }
    EXPECT_EQ(identity.Apply({0.3, -7.25}), (HuxPoint2D{0.3, -7.25}));
}

TEST(HuxTransform2D, TranslationShifts)
{
    HuxTransform2D shift;
    shift.SetRotation(1.0);
    shift.SetTranslation(2.5, -1.0); // replaces the whole matrix
    EXPECT_EQ(shift.Apply({1.0, 3.0}), (HuxPoint2D{3.5, 2.0}));
    EXPECT_EQ(shift.Element(0, 2), 2.5);
    EXPECT_EQ(shift.Element(1, 2), -1.0);
}

TEST(HuxTransform2D, RotationLayout)
{
    HuxTransform2D turn;
    turn.SetRotation(0.5);
    EXPECT_EQ(turn.Element(0, 0), std::cos(0.5));
    EXPECT_EQ(turn.Element(0, 1), std::sin(0.5));
    EXPECT_EQ(turn.Element(1, 0), -std::sin(0.5));
    EXPECT_EQ(turn.Element(1, 1), std::cos(0.5));
    EXPECT_EQ(turn.Element(2, 2), 1.0);
    // A quarter turn takes the x axis to -y: anticlockwise on a y-down screen.
    turn.SetRotation(std::numbers::pi / 2);
    const HuxPoint2D p = turn.Apply({1.0, 0.0});
    EXPECT_NEAR(p.x, 0.0, 1e-16);
    EXPECT_EQ(p.y, -1.0);
}

TEST(HuxTransform2D, PreMultiplyAppliesTheOtherAfterThis)
{
    HuxTransform2D transform, step;
    transform.SetTranslation(-1.0, 0.0);
    step.SetRotation(std::numbers::pi / 2);
    transform.PreMultiply(step);
    step.SetTranslation(5.0, 5.0);
    transform.PreMultiply(step);
    // (2, 0) -> (1, 0) -> (0, -1) -> (5, 4)
    const HuxPoint2D p = transform.Apply({2.0, 0.0});
    EXPECT_NEAR(p.x, 5.0, 1e-15);
    EXPECT_NEAR(p.y, 4.0, 1e-15);
    // The other order: turn first, then shift.
    HuxTransform2D reversed;
    reversed.SetRotation(std::numbers::pi / 2);
    step.SetTranslation(-1.0, 0.0);
    reversed.PreMultiply(step);
    const HuxPoint2D q = reversed.Apply({2.0, 0.0});
    EXPECT_NEAR(q.x, -1.0, 1e-15);
    EXPECT_NEAR(q.y, -2.0, 1e-15);
}
