// The edit box's slider companion, its window made inside the control
// library's integer box (range 3 to 150): clicks and drags on it set the
// box's text, a drag beyond an end jumps there and then steps on a timer,
// and it paints the box's value against zero.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "ControlLibraryTestDialog.h"
#include "FrameworkTestDialog.h"
#include "UserActions.h"

namespace {

using namespace ControlLibraryTest;
using SquelmHost::WindowAutomation;
using namespace UserActions;

constexpr int kSliderHeight = 8;

// Makes the slider's window along the bottom of the box's client area.
void CreateSlider(ControlDialog& dialog)
{
    RECT client{};
    dialog.number.GetClientRect(&client);
    const RECT place{0, client.bottom - kSliderHeight, client.right, client.bottom};
    dialog.number.Slider().CreateEx(0, TRACKBAR_CLASSA, "", WS_CHILD | WS_VISIBLE | TBS_NOTICKS, place,
                                    &dialog.number, 0);
}

// The slider's window (the box's only child).
intptr_t SliderOf(intptr_t box)
{
    const HWND slider = FindWindowExA(AsWindow(box), nullptr, TRACKBAR_CLASSA, nullptr);
    if (!slider)
        throw std::runtime_error("the box has no slider");
    return reinterpret_cast<intptr_t>(slider);
}

// Ends the dialog with a click on its OK button.
void ClickOk(const WindowAutomation& automation, intptr_t dialog)
{
    ClickButton(automation, dialog, IDOK);
    if (!automation.WaitForClose(dialog))
        throw std::runtime_error("the dialog did not close");
}

int ClientWidth(intptr_t window)
{
    RECT client{};
    GetClientRect(AsWindow(window), &client);
    return client.right;
}

// Runs the dialog with the slider made and its clamp range set to
// [low, high]; `act` works on the box and its slider, then OK ends the
// dialog.
template <class Act>
void RunWithSlider(ControlDialog& dialog, int32_t low, int32_t high, Act act)
{
    const auto init = dialog.onInit;
    dialog.onInit = [init, low, high](ControlDialog& d) {
        if (init)
            init(d);
        CreateSlider(d);
        d.number.SetSliderRange(low, high);
    };
    FrameworkTest::RunDialog(
        dialog,
        [act](const WindowAutomation& automation, intptr_t window) {
            const intptr_t box = automation.Control(window, IDC_NUMBER);
            act(automation, box, SliderOf(box));
            ClickOk(automation, window);
        },
        kCaption);
}

TEST(PSPSlider, AClickSetsTheBoxToThePositionUnderThePointerAndFocusesTheBox)
{
    ControlDialog dialog(nullptr);
    std::string clicked, expected;
    HWND focus = nullptr, boxWindow = nullptr;
    RunWithSlider(dialog, 3, 150, [&](const WindowAutomation& automation, intptr_t box, intptr_t slider) {
        const int width = ClientWidth(slider);
        const int x = width / 3;
        expected = std::to_string(3 + 147 * x / width);
        automation.Click(slider, x, 2);
        clicked = TextOnceItReads(automation, box, expected);
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        GetGUIThreadInfo(GetWindowThreadProcessId(AsWindow(box), nullptr), &info);
        focus = info.hwndFocus;
        boxWindow = AsWindow(box);
    });
    EXPECT_EQ(clicked, expected);
    EXPECT_EQ(focus, boxWindow);
    EXPECT_EQ(dialog.numberText, expected);
}

TEST(PSPSlider, DraggingFollowsThePointerAndPastTheEndJumpsToIt)
{
    ControlDialog dialog(nullptr);
    std::string followed, expected, pastEnd, back, backExpected;
    RunWithSlider(dialog, 3, 150, [&](const WindowAutomation& automation, intptr_t box, intptr_t slider) {
        const int width = ClientWidth(slider);
        automation.ButtonDown(slider, 1, 2);
        const int x = width * 3 / 4;
        expected = std::to_string(3 + 147 * x / width);
        automation.MouseMove(slider, x, 2, true);
        followed = TextOnceItReads(automation, box, expected);
        // Within the five pixels past the end: a jump, no stepping.
        automation.MouseMove(slider, width + 3, 2, true);
        pastEnd = TextOnceItReads(automation, box, "150");
        const int inside = width / 2;
        backExpected = std::to_string(3 + 147 * inside / width);
        automation.MouseMove(slider, inside, 2, true);
        back = TextOnceItReads(automation, box, backExpected);
        automation.ButtonUp(slider, inside, 2);
        // Without the button the pointer moves the position no more (the
        // dialog reads the box after this move, at OK).
        automation.MouseMove(slider, 1, 2);
    });
    EXPECT_EQ(followed, expected);
    EXPECT_EQ(pastEnd, "150");
    EXPECT_EQ(back, backExpected);
    EXPECT_EQ(dialog.numberText, backExpected);
}

TEST(PSPSlider, FarPastAnEndTheTimerStepsBeyondTheClampUntilThePointerComesBack)
{
    ControlDialog dialog(nullptr);
    std::string stepped, back, expectedBack, stopped;
    // Clicks and drags keep to 20..100 of the control's 3..150; the timer
    // steps within the control's range.
    RunWithSlider(dialog, 20, 100, [&](const WindowAutomation& automation, intptr_t box, intptr_t slider) {
        const int width = ClientWidth(slider);
        automation.ButtonDown(slider, width / 2, 2);
        // 15 pixels past the right end: a jump to 100, then 10 more on
        // every tick up to 150.
        automation.MouseMove(slider, width - 1 + 15, 2, true);
        stepped = TextOnceItReads(automation, box, "150");
        const int inside = width / 4;
        expectedBack = std::to_string(20 + 80 * inside / width);
        automation.MouseMove(slider, inside, 2, true);
        back = TextOnceItReads(automation, box, expectedBack);
        // The timer stopped: three ticks later nothing has moved.
        Sleep(3 * HuxPSPSlider::kAutoScrollInterval);
        stopped = automation.Describe(box).text;
        automation.ButtonUp(slider, inside, 2);
    });
    EXPECT_EQ(stepped, "150");
    EXPECT_EQ(back, expectedBack);
    EXPECT_EQ(stopped, expectedBack);
}

TEST(PSPSlider, ABoxGivenItsRangeAfterTheSliderWidensTheSliderToItsClientArea)
{
    ControlDialog dialog(nullptr);
    HuxIntegerEditBox box;
    int boxWidth = 0, sliderWidth = 0;
    dialog.onInit = [&](ControlDialog& d) {
        RECT place{};
        d.other.GetWindowRect(&place);
        MapWindowPoints(nullptr, d.m_hWnd, reinterpret_cast<POINT*>(&place), 2);
        OffsetRect(&place, 0, place.bottom - place.top + 4);
        box.CreateEx(WS_EX_CLIENTEDGE, "EDIT", "", WS_CHILD | WS_VISIBLE, place, &d, 0);
        box.Slider().CreateEx(0, TRACKBAR_CLASSA, "", WS_CHILD | WS_VISIBLE, RECT{2, 3, 12, 3 + kSliderHeight}, &box,
                              0);
        box.SetRange(0, 10);
        RECT client{};
        box.GetClientRect(&client);
        boxWidth = client.right;
        RECT slider{};
        box.Slider().GetWindowRect(&slider);
        sliderWidth = slider.right - slider.left;
    };
    FrameworkTest::RunDialog(dialog, ClickOk, kCaption);
    EXPECT_GT(boxWidth, 12);
    EXPECT_EQ(sliderWidth, boxWidth);
}

TEST(PSPSlider, PaintsANegativeValueAsARedBarUpToZero)
{
    ControlDialog dialog(nullptr);
    dialog.onInit = [](ControlDialog& d) {
        d.number.SetRange(-10, 10);
        d.number.SetValue(-5);
    };
    SquelmHost::RgbImage shot;
    int width = 0;
    RunWithSlider(dialog, -10, 10, [&](const WindowAutomation&, intptr_t, intptr_t slider) {
        width = ClientWidth(slider);
        // -5 of -10..10 is at 25 %, zero at 50 %.
        shot = ShotOnceItShows(slider, RGB(255, 0, 0), width * 3 / 8);
    });
    ASSERT_FALSE(shot.Empty());
    ASSERT_EQ(shot.width, width);
    ASSERT_EQ(shot.height, kSliderHeight);
    const int mid = kSliderHeight / 2;
    const int valueX = MulDiv(25, width, 100);
    const int zeroX = MulDiv(50, width, 100);
    EXPECT_TRUE(IsPixel(shot, 0, 0, RGB(0, 0, 0)));
    EXPECT_TRUE(IsPixel(shot, width - 1, 0, RGB(0, 0, 0)));
    EXPECT_TRUE(IsPixel(shot, valueX - 1, mid, RGB(255, 255, 255)));
    EXPECT_TRUE(IsPixel(shot, valueX, mid, RGB(255, 0, 0)));
    EXPECT_TRUE(IsPixel(shot, zeroX - 1, mid, RGB(255, 0, 0)));
    EXPECT_TRUE(IsPixel(shot, zeroX, mid, RGB(255, 255, 255)));
    EXPECT_TRUE(IsPixel(shot, 0, kSliderHeight - 1, RGB(255, 255, 255)));
}

} // namespace
