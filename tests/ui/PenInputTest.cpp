// The pen's decisions: the pressure a move applies, the mark of mouse
// messages made from a pen, the pen-sample message's word and the toggle
// as kept for the user.
#include "ui/PSPlimPenInput.h"

#include <gtest/gtest.h>

using Phase = PSPlimPenSample::Phase;

TEST(PenInputTest, TheMovesPressureNeedsTheToggleAndAPenThatSensesIt)
{
    const struct {
        bool toggle;
        std::optional<PSPlimPenSample> pen;
        double pressure;
    } cases[] = {
        {true, std::nullopt, 1.0},                                // the mouse
        {false, PSPlimPenSample{Phase::Update, false, true, 256}, 1.0},
        {true, PSPlimPenSample{Phase::Update, false, false, 0}, 1.0}, // no reading, not no power
        {true, PSPlimPenSample{Phase::Update, false, false, 512}, 1.0},
        {true, PSPlimPenSample{Phase::Update, false, true, 0}, 0.0},
        {true, PSPlimPenSample{Phase::Update, true, true, 256}, 0.25},
        {true, PSPlimPenSample{Phase::Update, false, true, 1023}, 1023.0 / 1024.0},
        {true, PSPlimPenSample{Phase::Update, false, true, 1024}, 1.0},
        {true, PSPlimPenSample{Phase::Update, false, true, 70000}, 1.0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PSPlimMovePressure(c.toggle, c.pen), c.pressure) << c.toggle << " " << (c.pen ? c.pen->pressure : -1);
}

TEST(PenInputTest, AScriptsPressureIsTheNearestReading)
{
    const std::pair<double, uint32_t> cases[] = {{0.0, 0},     {1.0, 1024},   {0.5, 512},  {0.05, 51},
                                                 {0.3, 307},   {0.0004, 0},   {0.0005, 1}, {-1.0, 0},
                                                 {2.0, 1024}};
    for (const auto& [pressure, reading] : cases)
        EXPECT_EQ(PSPlimPenReadingFor(pressure), reading) << pressure;
}

// The pen's mark with the touch bit clear; any word of the low byte, and
// the upper half of a 64-bit value, left aside.
TEST(PenInputTest, OnlyAPensMarkMakesAMouseMessageThePens)
{
    const std::pair<uint64_t, bool> cases[] = {
        {0xFF515700u, true},         {0xFF51577Fu, true},  {0xFFFFFFFFFF515701ull, true},
        {0xFF515780u, false},        {0xFF5157FFu, false}, {0x0u, false},
        {0xFF515600u, false},        {0x7F515700u, false}, {0xFF515700ull << 32, false},
    };
    for (const auto& [extra, pen] : cases)
        EXPECT_EQ(PSPlimMouseMessageFromPen(extra), pen) << std::hex << extra;
}

TEST(PenInputTest, ASampleTravelsInOneWordAndNoOtherWordUnpacks)
{
    const std::pair<PSPlimPenSample, uint32_t> cases[] = {
        {{Phase::Down, false, false, 0}, 0x0000u},
        {{Phase::Update, false, true, 512}, 0x2A00u},
        {{Phase::Up, true, true, 1024}, 0x5C00u},
        {{Phase::Update, true, false, 7}, 0x3007u},
    };
    for (const auto& [sample, word] : cases) {
        EXPECT_EQ(PSPlimPackPenSample(sample), word) << word;
        EXPECT_EQ(PSPlimUnpackPenSample(word), sample) << word;
    }
    EXPECT_EQ(PSPlimPackPenSample({Phase::Update, false, true, 5000}), 0x2C00u) << "past full packs as full";
    for (const uint32_t bad : {0x6000u, 0x0401u, 0x8000u, 0xFFFFFFFFu})
        EXPECT_EQ(PSPlimUnpackPenSample(bad), std::nullopt) << std::hex << bad;
}

TEST(PenInputTest, TheToggleIsKeptAsOneOrZero)
{
    EXPECT_EQ(PSPlimPressureToggleText(true), L"1");
    EXPECT_EQ(PSPlimPressureToggleText(false), L"0");
    EXPECT_TRUE(PSPlimPressureToggleFromText(L"1"));
    for (const std::optional<std::wstring>& off : {std::optional<std::wstring>{}, {L"0"}, {L""}, {L"\x131"}, {L"11"}})
        EXPECT_FALSE(PSPlimPressureToggleFromText(off));
}
