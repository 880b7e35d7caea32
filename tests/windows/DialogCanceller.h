// Runs a plug-in call while a second thread cancels every dialog that opens,
// so that a run never waits for a user.
#pragma once

#include <atomic>
#include <chrono>

#include "testhost/win32/WindowAutomation.h"

template <class Call>
void WithDialogsCancelled(Call call)
{
    constexpr int kIdCancel = 2;
    std::atomic<bool> done{false};
    SquelmHost::AutomationThread canceller([&done] {
        const SquelmHost::WindowAutomation automation(std::chrono::milliseconds(100));
        while (!done) {
            if (intptr_t dialog = automation.WaitForWindow(SquelmHost::WindowAutomation::kDialogClass))
                automation.PressButton(dialog, kIdCancel);
        }
    });
    call();
    done = true;
    canceller.Join();
}
