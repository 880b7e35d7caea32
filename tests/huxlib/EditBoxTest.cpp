// Edit boxes: the character filter, the integer box's clamping, validation
// and stepping, MulDiv and the slider percentages.
#include "HuxLib/HUXCTRL/HuxCharFilter.h"
#include "HuxLib/HUXCTRL/HuxIntegerBoxModel.h"
#include "HuxLib/HUXUTIL/HuxMulDiv.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

constexpr int32_t kMin = std::numeric_limits<int32_t>::min();
constexpr int32_t kMax = std::numeric_limits<int32_t>::max();

HuxIntegerBoxModel GridPointsBox(bool wrap = false)
{
    HuxIntegerBoxModel box;
    box.SetRange(3, 150, wrap);
    return box;
}

} // namespace

TEST(CharFilter, TableFlagsAndTypedCharacters)
{
    HuxCharFilter filter;
    EXPECT_TRUE(filter.Passes('%'));
    EXPECT_TRUE(filter.Passes(200));

    filter.SetAllowed(HuxCharFilter::kDigits);
    EXPECT_TRUE(filter.Passes('0'));
    EXPECT_TRUE(filter.Passes('9'));
    EXPECT_FALSE(filter.Passes('/'));
    EXPECT_FALSE(filter.Passes(':'));
    EXPECT_FALSE(filter.Passes('a'));
    EXPECT_TRUE(filter.Passes(HuxCharFilter::kBackspace));
    EXPECT_TRUE(filter.Passes(256));
    EXPECT_TRUE(filter.Passes(0x20AC));
    EXPECT_FALSE(filter.Passes(255));

    filter.SetAllowed(HuxCharFilter::kLowerCase | HuxCharFilter::kUpperCase);
    EXPECT_TRUE(filter.Passes('a'));
    EXPECT_TRUE(filter.Passes('z'));
    EXPECT_TRUE(filter.Passes('A'));
    EXPECT_TRUE(filter.Passes('Z'));
    EXPECT_FALSE(filter.Passes('`'));
    EXPECT_FALSE(filter.Passes('['));
    EXPECT_FALSE(filter.Passes('5'));

    filter.SetAllowed(HuxCharFilter::kAnything);
    EXPECT_TRUE(filter.Passes(0));
    EXPECT_TRUE(filter.Passes(255));
    filter.SetAllowed(0);
    EXPECT_FALSE(filter.Passes('x'));
    EXPECT_TRUE(filter.Passes(HuxCharFilter::kBackspace));
}

TEST(IntegerBox, MinusOnlyForNegativeRanges)
{
    HuxIntegerBoxModel box;
    EXPECT_FALSE(box.Characters().Passes('-'));
    EXPECT_FALSE(box.Characters().Passes('a'));
    EXPECT_TRUE(box.Characters().Passes('7'));
    box.SetRange(3, 150, false);
    EXPECT_FALSE(box.Characters().Passes('-'));
    EXPECT_FALSE(box.Characters().Passes('x'));
    box.SetRange(-10, 10, false);
    EXPECT_TRUE(box.Characters().Passes('-'));
    box.SetRange(-20, -5, false);
    EXPECT_TRUE(box.Characters().Passes('-'));
    box.SetRange(0, 5, false);
    EXPECT_FALSE(box.Characters().Passes('-')) << "taken back when the range is no longer negative";
}

TEST(IntegerBox, SetValueClampsAndEmptyTextReadsTheStoredValue)
{
    HuxIntegerBoxModel box = GridPointsBox();
    EXPECT_EQ(box.SetValue(999), 150);
    EXPECT_EQ(box.SetValue(-4), 3);
    EXPECT_EQ(box.SetValue(42), 42);
    EXPECT_EQ(box.StoredValue(), 42);
    EXPECT_EQ(box.ValueOf(""), 42) << "an emptied box reads the last value set";
    EXPECT_EQ(box.ValueOf("0"), 0) << "not clamped when read";
    EXPECT_EQ(box.ValueOf("999"), 999);
    EXPECT_EQ(box.ValueOf("12abc"), 12);
    EXPECT_EQ(box.ValueOf("abc"), 0);
}

TEST(IntegerBox, ValidateReplacesOutOfRangeTextByTheNearerBound)
{
    HuxIntegerBoxModel box = GridPointsBox();
    box.SetValue(20);
    EXPECT_EQ(box.Validate("0"), 3);
    EXPECT_EQ(box.StoredValue(), 3);
    EXPECT_EQ(box.Validate("999"), 150);
    EXPECT_EQ(box.StoredValue(), 150);
    EXPECT_EQ(box.Validate("77"), std::nullopt);
    EXPECT_EQ(box.StoredValue(), 150) << "text in range is left as typed";
    EXPECT_EQ(box.Validate(""), std::nullopt);
}

TEST(IntegerBox, StepClampsOrWraps)
{
    const HuxIntegerBoxModel box = GridPointsBox();
    EXPECT_EQ(box.StepBy("", 1), 3) << "empty text counts as 0, then clamped";
    EXPECT_EQ(box.StepBy("150", 1), 150);
    EXPECT_EQ(box.StepBy("3", -1), 3);
    EXPECT_EQ(box.StepBy("41", 1), 42);
    EXPECT_EQ(box.StepBy("41", -1), 40);

    const HuxIntegerBoxModel wrapping = GridPointsBox(true);
    EXPECT_EQ(wrapping.StepBy("150", 1), 3);
    EXPECT_EQ(wrapping.StepBy("3", -1), 150);
    EXPECT_EQ(wrapping.StepBy("41", 1), 42);
    EXPECT_EQ(wrapping.StepBy("", 1), 149) << "1 lies two below 3, as 149 lies two below 150 + 1";
    EXPECT_EQ(wrapping.StepBy("-90000", 1), 3) << "too far below to wrap: clamped";
}

TEST(IntegerBox, ExtremeRangesAndTextsStayInThirtyTwoBits)
{
    HuxIntegerBoxModel box;
    box.SetRange(kMin, kMax, true);
    EXPECT_EQ(box.StepBy("2147483647", 1), kMin);
    EXPECT_EQ(box.StepBy("-2147483648", -1), kMax);
    box.SetRange(kMin, kMax, false);
    EXPECT_EQ(box.StepBy("99999999999", 1), kMax);
    EXPECT_EQ(HuxParseInt("  -99999999999x"), kMin);
    EXPECT_EQ(HuxParseInt("\t+17"), 17);
    EXPECT_EQ(HuxParseInt("- 5"), 0);

    box.SetRange(10, -10, false); // the wrong way round
    EXPECT_EQ(box.Minimum(), -10);
    EXPECT_EQ(box.Maximum(), 10);
    box.SetRange(5, 5, true);
    EXPECT_EQ(box.StepBy("5", 1), 5);
    EXPECT_EQ(HuxFormatInt(-42), "-42");
}

TEST(MulDiv, RoundsHalfAwayFromZero)
{
    EXPECT_EQ(HuxMulDiv(3, 100, 8), 38);    // 37.5
    EXPECT_EQ(HuxMulDiv(-3, 100, 8), -38);
    EXPECT_EQ(HuxMulDiv(3, -100, 8), -38);
    EXPECT_EQ(HuxMulDiv(5, 100, -8), -63);  // -62.5
    EXPECT_EQ(HuxMulDiv(-5, 100, -8), 63);
    EXPECT_EQ(HuxMulDiv(1, 1, 3), 0);       // 0.33
    EXPECT_EQ(HuxMulDiv(2, 1, 3), 1);       // 0.67
    EXPECT_EQ(HuxMulDiv(5, 1, 4), 1);       // 1.25
    EXPECT_EQ(HuxMulDiv(-1, 1, 2), -1);     // -0.5
    EXPECT_EQ(HuxMulDiv(0, 7, -3), 0);
    EXPECT_EQ(HuxMulDiv(1, 1, 0), -1);
    EXPECT_EQ(HuxMulDiv(kMax, kMax, kMax), kMax) << "the product needs 64 bits";
    EXPECT_EQ(HuxMulDiv(kMax, 2, 1), -1) << "a result beyond 32 bits";
    EXPECT_EQ(HuxMulDiv(kMin, 1, -1), -1);
    EXPECT_EQ(HuxMulDiv(kMin, 1, -2), 1073741824) << "the lowest operand negated in 64 bits";
    EXPECT_EQ(HuxMulDiv(7, 1, kMin), 0);
    EXPECT_EQ(HuxMulDiv(kMin, 2, 2), kMin) << "the lowest result is no overflow";
}

TEST(IntegerBox, SliderPercentAndRange)
{
    HuxIntegerBoxModel box;
    box.SetRange(-50, 150, false);
    box.SetSliderRange(-100, 100);
    EXPECT_EQ(box.SliderMinimum(), -50);
    EXPECT_EQ(box.SliderMaximum(), 100);
    // span 150: (25 + 50) * 100 / 150 = 50, zero at 50 * 100 / 150 = 33.3
    EXPECT_EQ(box.SliderPercent("25"), (HuxSliderPercent{50, 33}));
    // (-49 + 50) * 100 / 150 = 0.67 rounds to 1
    EXPECT_EQ(box.SliderPercent("-49"), (HuxSliderPercent{1, 33}));
    box.SetValue(100);
    EXPECT_EQ(box.SliderPercent(""), (HuxSliderPercent{100, 33}));
    box.SetSliderRange(7, 7);
    EXPECT_EQ(box.SliderPercent("25"), (HuxSliderPercent{0, 0}));
}
