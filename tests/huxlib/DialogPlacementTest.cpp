// Where a dialog opens relative to its owner and the monitor's work area.
#include <gtest/gtest.h>

#include "HuxLib/HUXWIN/HuxDialogPlacement.h"

namespace {

const HuxRect kDialog{0, 0, 400, 300};
const HuxRect kWorkArea{0, 0, 1920, 1040};

TEST(DialogPlacement, CentredOnTheOwner)
{
    EXPECT_EQ(HuxDialogPlacement(kDialog, HuxRect{100, 100, 900, 700}, kWorkArea), (HuxRect{300, 250, 700, 550}));
}

TEST(DialogPlacement, AnOwnerPartlyOffTheScreenKeepsTheDialogWholeOnIt)
{
    EXPECT_EQ(HuxDialogPlacement(kDialog, HuxRect{-700, 900, -100, 1400}, kWorkArea), (HuxRect{0, 740, 400, 1040}));
    EXPECT_EQ(HuxDialogPlacement(kDialog, HuxRect{1800, -500, 2400, -100}, kWorkArea), (HuxRect{1520, 0, 1920, 300}));
}

TEST(DialogPlacement, NoOwnerOrAnEmptyOneCentresInTheWorkArea)
{
    EXPECT_EQ(HuxDialogPlacement(kDialog, std::nullopt, kWorkArea), (HuxRect{760, 370, 1160, 670}));
    EXPECT_EQ(HuxDialogPlacement(kDialog, HuxRect{500, 500, 500, 500}, kWorkArea),
              (HuxRect{760, 370, 1160, 670}));
}

TEST(DialogPlacement, ASecondMonitorToTheLeftHasNegativeCoordinates)
{
    const HuxRect left{-1280, 0, 0, 1024};
    EXPECT_EQ(HuxDialogPlacement(kDialog, HuxRect{-1000, 200, -600, 400}, left), (HuxRect{-1000, 150, -600, 450}));
}

TEST(DialogPlacement, ADialogLargerThanTheWorkAreaShowsItsTopLeftCorner)
{
    EXPECT_EQ(HuxDialogPlacement(HuxRect{0, 0, 800, 700}, std::nullopt, HuxRect{0, 0, 640, 480}),
              (HuxRect{0, 0, 800, 700}));
}

} // namespace
