// The one table of the named settings: ids, names shown, script keywords and
// the conversions of stored numbers.
#include "grid/PSPlimChoices.h"

#include <gtest/gtest.h>

#include <string>

TEST(PSPlimChoices, ToolIdsAndNamesAreTheStoredOnes)
{
    const struct {
        PSPlimTool tool;
        int32_t id;
        const char* shown;
        const char* keyword;
    } tools[] = {{PSPlimTool::Squelm, 0, "Squelm", "squelm"},       {PSPlimTool::Mellow, 1, "Mellow", "mellow"},
                 {PSPlimTool::Revert, 2, "Revert", "revert"},       {PSPlimTool::Stabilise, 3, "Stabilise", "stabilise"},
                 {PSPlimTool::Boggle, 4, "Boggle", "boggle"},       {PSPlimTool::Nibble, 5, "Nibble", "nibble"}};
    EXPECT_EQ(PSPlimChoiceCount<PSPlimTool>(), 6);
    for (const auto& t : tools) {
        EXPECT_EQ(PSPlimStored(t.tool), t.id);
        EXPECT_EQ(PSPlimShownName(t.tool), t.shown);
        EXPECT_EQ(PSPlimChoiceFrom<PSPlimTool>(t.id), t.tool);
        EXPECT_EQ(PSPlimChoiceByKeyword<PSPlimTool>(t.keyword), t.tool);
    }
    EXPECT_EQ(PSPlimChoiceByKeyword<PSPlimTool>("Squelm"), std::nullopt) << "keywords are lower case";
    EXPECT_EQ(PSPlimChoiceByKeyword<PSPlimTool>("fixed"), std::nullopt);
}

TEST(PSPlimChoices, EdgeModesExposedAreasAndInterpolationKeepTheirNumbers)
{
    EXPECT_EQ(PSPlimStored(PSPlimEdgeMode::Fixed), 0);
    EXPECT_EQ(PSPlimStored(PSPlimEdgeMode::Locked), 1);
    EXPECT_EQ(PSPlimStored(PSPlimEdgeMode::Free), 2);
    EXPECT_EQ(PSPlimShownName(PSPlimEdgeMode::Locked), "Locked Edge");
    EXPECT_EQ(PSPlimChoiceByKeyword<PSPlimEdgeMode>("free"), PSPlimEdgeMode::Free);
    EXPECT_EQ(PSPlimChoiceCount<PSPlimExposedArea>(), 5);
    EXPECT_EQ(PSPlimStored(PSPlimExposedArea::FixedColour), 3);
    EXPECT_EQ(PSPlimStored(PSPlimExposedArea::Transparent), 4);
    EXPECT_EQ(PSPlimShownName(PSPlimExposedArea::RepeatEdge), "Repeat edge pixels");
    EXPECT_EQ(PSPlimStored(PSPlimInterpolation::Adaptive), 0);
    EXPECT_EQ(PSPlimStored(PSPlimInterpolation::Nearest), 2);
    EXPECT_EQ(kPSPlimMinGridPoints, 5);
    EXPECT_EQ(kPSPlimMaxGridPoints, 152);
}

TEST(PSPlimChoices, StoredNumbersOutsideTheRangeNameNothingOrAreForcedToItsEnds)
{
    for (int32_t wild : {-1, 6, 100, INT32_MIN, INT32_MAX})
        EXPECT_EQ(PSPlimChoiceFrom<PSPlimTool>(wild), std::nullopt) << wild;
    EXPECT_EQ(PSPlimForcedChoice<PSPlimTool>(-7), PSPlimTool::Squelm);
    EXPECT_EQ(PSPlimForcedChoice<PSPlimTool>(INT32_MAX), PSPlimTool::Nibble);
    EXPECT_EQ(PSPlimForcedChoice<PSPlimTool>(4), PSPlimTool::Boggle);
    EXPECT_EQ(PSPlimForcedChoice<PSPlimEdgeMode>(3), PSPlimEdgeMode::Free);
    EXPECT_EQ(PSPlimForcedChoice<PSPlimExposedArea>(INT32_MIN), PSPlimExposedArea::RepeatEdge);
    EXPECT_EQ(PSPlimChoiceFrom<PSPlimEdgeMode>(3), std::nullopt);
}
