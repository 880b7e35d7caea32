// The integer box with range 3 to 150 and its spin, driven as a user would:
// characters typed into the box, Tab to leave it, clicks on the spin's
// arrows, and the box moved by its dialog.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "testhost/PollUntil.h"
#include "ControlLibraryTestDialog.h"
#include "FrameworkTestDialog.h"
#include "testhost/win32/WindowCapture.h"

namespace {

using namespace ControlLibraryTest;
using SquelmHost::WindowAutomation;

constexpr unsigned kVkTab = 0x09;

HWND AsWindow(intptr_t window) { return reinterpret_cast<HWND>(window); }

// The dialog's up-down control (the box's spin, created at run time).
HWND SpinOf(const WindowAutomation& automation, intptr_t dialog)
{
    for (const SquelmHost::WindowState& child : automation.Children(dialog))
        if (child.className == UPDOWN_CLASSA)
            return AsWindow(child.handle);
    throw std::runtime_error("the box has no spin");
}

void Type(intptr_t box, const std::string& text)
{
    for (const char c : text)
        PostMessageA(AsWindow(box), WM_CHAR, static_cast<unsigned char>(c), 1);
}

// Runs the dialog; `act` works on the number box, then OK ends it.
template <class Act>
void RunWithBox(ControlDialog& dialog, Act act)
{
    FrameworkTest::RunDialog(
        dialog,
        [act](const WindowAutomation& automation, intptr_t window) {
            act(automation, window, automation.Control(window, IDC_NUMBER));
            automation.PressButton(window, IDOK);
            if (!automation.WaitForClose(window))
                throw std::runtime_error("the dialog did not close");
        },
        kCaption);
}

// Types into the emptied box, then leaves it with Tab.
std::string TypeAndLeave(const std::string& typed)
{
    ControlDialog dialog(nullptr);
    dialog.emptyBox = true;
    RunWithBox(dialog, [typed](const WindowAutomation& automation, intptr_t, intptr_t box) {
        automation.Click(box, 3, 3);
        Type(box, typed);
        automation.Key(box, kVkTab);
    });
    return dialog.numberText;
}

TEST(IntegerEditBox, TypingKeepsDigitsAndDropsLettersAndMinus)
{
    ControlDialog dialog(nullptr);
    dialog.emptyBox = true;
    RunWithBox(dialog, [](const WindowAutomation& automation, intptr_t, intptr_t box) {
        automation.Click(box, 3, 3);
        Type(box, "a-1Z2");
    });
    EXPECT_EQ(dialog.numberText, "12");
    // Each accepted character changed the text while the box had the focus:
    // the hook ran for each and the dialog still heard of each.
    EXPECT_EQ(dialog.number.valueChanges, 2);
    int changes = 0;
    for (const Command& command : dialog.CommandsFrom(IDC_NUMBER))
        changes += command.code == EN_CHANGE;
    EXPECT_EQ(changes, 2);
}

TEST(IntegerEditBox, LeavingTheBoxClampsIntoTheRange)
{
    EXPECT_EQ(TypeAndLeave("0"), "3");
    EXPECT_EQ(TypeAndLeave("999"), "150");
    EXPECT_EQ(TypeAndLeave("77"), "77");
}

// Clicks the spin's up (delta > 0) or down arrow `times` times.
void ClickSpin(const WindowAutomation& automation, intptr_t dialog, int delta, int times)
{
    const HWND spin = SpinOf(automation, dialog);
    RECT client{};
    GetClientRect(spin, &client);
    const int y = delta > 0 ? client.bottom / 4 : client.bottom * 3 / 4;
    for (int i = 0; i < times; ++i)
        automation.Click(reinterpret_cast<intptr_t>(spin), client.right / 2, y);
}

std::string AfterSpinClicks(int32_t initial, bool empty, int delta, int times)
{
    ControlDialog dialog(nullptr);
    dialog.initialValue = initial;
    dialog.emptyBox = empty;
    RunWithBox(dialog, [delta, times](const WindowAutomation& automation, intptr_t window, intptr_t) {
        ClickSpin(automation, window, delta, times);
    });
    return dialog.numberText;
}

TEST(IntegerEditBox, SpinArrowsStepWithinTheRange)
{
    EXPECT_EQ(AfterSpinClicks(50, false, +1, 2), "52");
    EXPECT_EQ(AfterSpinClicks(50, false, -1, 3), "47");
    EXPECT_EQ(AfterSpinClicks(150, false, +1, 1), "150");
    EXPECT_EQ(AfterSpinClicks(3, false, -1, 2), "3");
    EXPECT_EQ(AfterSpinClicks(50, true, +1, 1), "3");
}

struct Placement {
    RECT box;
    RECT spin;
};

Placement PlacementOf(HWND box, HWND spin)
{
    Placement placement{};
    GetWindowRect(box, &placement.box);
    GetWindowRect(spin, &placement.spin);
    return placement;
}

void ExpectSpinAtTheSameEdge(const Placement& before, const Placement& after)
{
    EXPECT_EQ(after.box.right - after.box.left, before.box.right - before.box.left) << "the box changed width";
    EXPECT_EQ(after.box.bottom - after.box.top, before.box.bottom - before.box.top);
    EXPECT_EQ(after.spin.left - after.box.right, before.spin.left - before.box.right);
    EXPECT_EQ(after.spin.top - after.box.top, before.spin.top - before.box.top);
    EXPECT_EQ(after.spin.right - after.spin.left, before.spin.right - before.spin.left);
    EXPECT_EQ(after.spin.bottom - after.spin.top, before.spin.bottom - before.spin.top);
}

TEST(IntegerEditBox, TheSpinStaysAtTheBoxsRightEdgeWhenTheBoxOrTheDialogMoves)
{
    ControlDialog dialog(nullptr);
    Placement initial{}, boxMoved{}, boxMovedAgain{}, dialogMoved{};
    RunWithBox(dialog, [&](const WindowAutomation& automation, intptr_t window, intptr_t boxHandle) {
        const HWND box = AsWindow(boxHandle);
        const HWND spin = SpinOf(automation, window);
        initial = PlacementOf(box, spin);
        POINT corner{initial.box.left, initial.box.top};
        ScreenToClient(AsWindow(window), &corner);
        const int width = initial.box.right - initial.box.left;
        const int height = initial.box.bottom - initial.box.top;
        SetWindowPos(box, nullptr, corner.x + 11, corner.y + 40, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
        boxMoved = PlacementOf(box, spin);
        SetWindowPos(box, nullptr, corner.x - 5, corner.y + 20, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
        boxMovedAgain = PlacementOf(box, spin);
        RECT frame{};
        GetWindowRect(AsWindow(window), &frame);
        SetWindowPos(AsWindow(window), nullptr, frame.left + 30, frame.top + 17, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        dialogMoved = PlacementOf(box, spin);
    });
    EXPECT_EQ(boxMoved.box.top - initial.box.top, 40);
    ExpectSpinAtTheSameEdge(initial, boxMoved);
    ExpectSpinAtTheSameEdge(initial, boxMovedAgain);
    EXPECT_EQ(dialogMoved.box.left - boxMovedAgain.box.left, 30);
    ExpectSpinAtTheSameEdge(initial, dialogMoved);
}

} // namespace

namespace {

TEST(IntegerEditBox, AnEnabledBoxShowsItsOwnColours)
{
    constexpr HuxColourRef kBackground = RGB(250, 240, 10);
    ControlDialog dialog(nullptr);
    dialog.onInit = [](ControlDialog& self) { self.number.SetColours(RGB(0, 0, 160), kBackground); };
    SquelmHost::RgbImage shot;
    RunWithBox(dialog, [&](const WindowAutomation&, intptr_t, intptr_t box) {
        // Inside the border, right of the text "50".
        SquelmHost::PollUntil([&] {
            shot = SquelmHost::CaptureWindow(box);
            return !shot.Empty() && IsPixel(shot, shot.width - 4, shot.height / 2, kBackground);
        });
    });
    ASSERT_FALSE(shot.Empty());
    EXPECT_TRUE(IsPixel(shot, shot.width - 4, shot.height / 2, kBackground));
}

} // namespace
