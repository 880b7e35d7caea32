// The real help viewer, in a program of its own: the other test programs
// link a recorder in its place.
#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <string>

#include "HuxLib/HUXWIN/HuxHtmlHelp.h"
#include "testhost/win32/WindowAutomation.h"

using SquelmHost::WindowAutomation;

TEST(HelpViewer, ARealCallLoadsTheViewerFromHhctrl)
{
    // A file that does not exist: the viewer finds nothing to show.
    const std::string missing = "C:\\no such directory\\Squelm.chm";
    std::atomic<bool> done{false};
    SquelmHost::AutomationThread closer([&done] {
        // Should the viewer complain in a box, answer it.
        const WindowAutomation automation(std::chrono::milliseconds(200));
        while (!done) {
            if (intptr_t box = automation.WaitForWindow(WindowAutomation::kDialogClass))
                PostMessageA(reinterpret_cast<HWND>(box), WM_CLOSE, 0, 0);
        }
    });
    HuxHtmlHelp(0, missing, "::/Squelm/Welcome.htm", kHuxHelpDisplayTopic, 0);
    done = true;
    closer.Join();
    EXPECT_NE(GetModuleHandleA("hhctrl.ocx"), nullptr);
}

