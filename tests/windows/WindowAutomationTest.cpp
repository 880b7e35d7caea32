// The automation thread against system message boxes shown on this thread
// through HuxMessageBox: reading a box, answering it by command, key and
// click, and the owner and task modality the box gets.
#include <gtest/gtest.h>

#include <chrono>
#include <stdexcept>
#include <string>
#include <vector>

#include "HuxLib/HUXWIN/HuxMessageBox.h"
#include "testhost/OwnerWindow.h"
#include "testhost/win32/WindowAutomation.h"

namespace {

using SquelmHost::AutomationThread;
using SquelmHost::WindowAutomation;
using SquelmHost::WindowState;

constexpr unsigned kVkReturn = 0x0D;
constexpr unsigned kVkEscape = 0x1B;
constexpr const char* kCaption = "Automation test";

// Shows an OK/Cancel box on this thread while `answer` runs on the
// automation thread with the box's handle; returns the box's answer.
template <class Answer>
int ShowAndAnswer(intptr_t owner, Answer answer)
{
    AutomationThread thread([answer] {
        const WindowAutomation automation;
        const intptr_t box = automation.WaitForWindow(WindowAutomation::kDialogClass, kCaption);
        if (!box)
            throw std::runtime_error("the message box did not appear");
        answer(automation, box);
        if (!automation.WaitForClose(box))
            throw std::runtime_error("the message box did not close");
    });
    const int result = HuxMessageBox(owner, "Proceed?", kCaption, kHuxMbOkCancel);
    thread.Join();
    return result;
}

TEST(WindowAutomation, ReadsTheBoxAndItsControls)
{
    std::vector<WindowState> children;
    WindowState box;
    const int result = ShowAndAnswer(0, [&](const WindowAutomation& automation, intptr_t handle) {
        box = automation.Describe(handle);
        children = automation.Children(handle);
        automation.PressButton(handle, kHuxIdOk);
    });
    EXPECT_EQ(result, kHuxIdOk);
    EXPECT_EQ(box.className, "#32770");
    EXPECT_EQ(box.text, kCaption);
    EXPECT_TRUE(box.visible);
    EXPECT_EQ(box.owner, 0);
    int buttons = 0;
    bool message = false;
    for (const WindowState& child : children) {
        if (child.className == "Button" && child.visible) {
            ++buttons;
            EXPECT_EQ(child.text, child.id == kHuxIdOk ? "OK" : "Cancel") << "button " << child.id;
            EXPECT_TRUE(child.enabled);
            EXPECT_EQ(child.checkState, 0);
        }
        message = message || (child.className == "Static" && child.text == "Proceed?");
    }
    EXPECT_EQ(buttons, 2);
    EXPECT_TRUE(message);
}

TEST(WindowAutomation, AnswersByCommandKeyAndClick)
{
    EXPECT_EQ(ShowAndAnswer(0, [](const WindowAutomation& a, intptr_t box) { a.PressButton(box, kHuxIdCancel); }),
              kHuxIdCancel);
    EXPECT_EQ(ShowAndAnswer(0, [](const WindowAutomation& a, intptr_t box) { a.Key(box, kVkEscape); }), kHuxIdCancel);
    EXPECT_EQ(ShowAndAnswer(0, [](const WindowAutomation& a, intptr_t box) { a.Key(box, kVkReturn); }), kHuxIdOk);
    EXPECT_EQ(ShowAndAnswer(0,
                            [](const WindowAutomation& a, intptr_t box) {
                                a.Click(a.Control(box, kHuxIdCancel), 4, 4);
                            }),
              kHuxIdCancel);
}

TEST(WindowAutomation, BoxWithAnOwnerIsOwnedAndDisablesIt)
{
    SquelmHost::OwnerWindow owner;
    WindowState box;
    WindowState ownerDuring;
    ShowAndAnswer(owner.Handle(), [&](const WindowAutomation& automation, intptr_t handle) {
        box = automation.Describe(handle);
        ownerDuring = automation.Describe(owner.Handle());
        automation.PressButton(handle, kHuxIdOk);
    });
    EXPECT_EQ(box.owner, owner.Handle());
    EXPECT_EQ(ownerDuring.className, "SquelmTestHostOwner");
    EXPECT_FALSE(ownerDuring.enabled);
    EXPECT_TRUE(WindowAutomation().Describe(owner.Handle()).enabled);
}

TEST(WindowAutomation, BoxWithoutAnOwnerIsModalToTheWholeTask)
{
    SquelmHost::OwnerWindow unrelated;
    WindowState during;
    ShowAndAnswer(0, [&](const WindowAutomation& automation, intptr_t handle) {
        during = automation.Describe(unrelated.Handle());
        automation.PressButton(handle, kHuxIdOk);
    });
    EXPECT_FALSE(during.enabled);
    EXPECT_TRUE(WindowAutomation().Describe(unrelated.Handle()).enabled);
}

TEST(WindowAutomation, ListsThisProcesssWindowsAndGivesUpWaitingAfterItsTimeout)
{
    SquelmHost::OwnerWindow owner;
    const WindowAutomation automation(std::chrono::milliseconds(50));
    bool listed = false;
    for (const WindowState& window : automation.TopLevelWindows())
        listed = listed || (window.handle == owner.Handle() && !window.visible);
    EXPECT_TRUE(listed);
    EXPECT_EQ(automation.WaitForWindow(WindowAutomation::kDialogClass, "No such window"), 0);
    EXPECT_EQ(automation.WaitForWindow("SquelmTestHostOwner"), 0); // hidden windows do not count
}

TEST(WindowAutomation, ThreadHandsItsFailureToJoin)
{
    AutomationThread thread([] { throw std::runtime_error("script failed"); });
    try {
        thread.Join();
        FAIL() << "Join did not rethrow";
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), "script failed");
    }
}

} // namespace
