// A window of the framework's own class inside the test dialog: attached
// from its creation on, with timers, mouse capture, default processing of
// what it leaves alone, and its commands routed to the parent.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "testhost/PollUntil.h"
#include "FrameworkTestDialog.h"

namespace {

using FrameworkTest::RunDialog;
using FrameworkTest::TestDialog;
using SquelmHost::WindowAutomation;

constexpr UINT kChildId = 1020;
constexpr UINT_PTR kTimerId = 7;
constexpr UINT kChildCommand = 0x77;

class TickingWindow : public CWnd {
public:
    std::atomic<int> ticks{0};
    bool createdAttached = false;
    bool captured = false;
    bool defaultPaintValidated = false;

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_CREATE)
            createdAttached = FromHandlePermanent(m_hWnd) == this;
        return CWnd::WindowProc(message, wParam, lParam);
    }

    void OnTimer(UINT_PTR id) override
    {
        if (id == kTimerId && ++ticks == 3)
            KillTimer(kTimerId);
    }

    void OnLButtonDown(UINT, POINT) override
    {
        SetCapture();
        captured = GetCapture() == m_hWnd;
    }

    void OnLButtonUp(UINT, POINT) override
    {
        ReleaseCapture();
        // Notifications go to the parent, as a control's do.
        ::SendMessageA(GetParent(), WM_COMMAND, MAKEWPARAM(kChildId, kChildCommand), reinterpret_cast<LPARAM>(m_hWnd));
    }

    void OnPaint() override
    {
        // Nothing drawn: the default processing validates the window.
        Default();
        defaultPaintValidated = GetUpdateRect(m_hWnd, nullptr, FALSE) == FALSE;
    }
};

class DialogWithChild : public TestDialog {
public:
    TickingWindow child;
    bool childCommand = false;
    bool captureGone = false;

    BOOL OnInitDialog() override
    {
        TestDialog::OnInitDialog();
        child.CreateEx(0, nullptr, "", WS_CHILD | WS_VISIBLE, RECT{180, 100, 220, 130}, this, kChildId);
        child.SetTimer(kTimerId, 10);
        return TRUE;
    }

    bool OnCommand(UINT id, UINT code, HWND control) override
    {
        if (id == kChildId && code == kChildCommand && control == child.m_hWnd) {
            childCommand = true;
            captureGone = GetCapture() == nullptr;
            return true;
        }
        return TestDialog::OnCommand(id, code, control);
    }
};

TEST(FrameworkWindow, OwnClassWindowGetsItsMessagesAndRoutesCommandsToItsParent)
{
    DialogWithChild dialog;
    int ticksSeen = 0;
    RunDialog(dialog, [&](const WindowAutomation& automation, intptr_t window) {
        SquelmHost::PollUntil([&] { return dialog.child.ticks >= 3; }, std::chrono::seconds(10));
        const intptr_t child = automation.Control(window, kChildId);
        InvalidateRect(reinterpret_cast<HWND>(child), nullptr, TRUE);
        automation.Click(child, 5, 5);
        FrameworkTest::Ask(child, WM_NULL);
        ticksSeen = dialog.child.ticks;
        automation.PressButton(window, IDCANCEL);
    });
    EXPECT_TRUE(dialog.child.createdAttached);
    EXPECT_EQ(ticksSeen, 3);
    EXPECT_EQ(dialog.child.ticks, 3); // the timer was killed
    EXPECT_TRUE(dialog.child.captured);
    EXPECT_TRUE(dialog.childCommand);
    EXPECT_TRUE(dialog.captureGone);
    EXPECT_TRUE(dialog.child.defaultPaintValidated);
    EXPECT_EQ(dialog.child.m_hWnd, nullptr); // destroyed with the dialog, detached
}

} // namespace
