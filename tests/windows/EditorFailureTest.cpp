// A host call that fails inside the real editor's message handler: the
// handler's failure ends the dialog, and Start reports the host's error
// instead of taking the host down; the next run opens the editor again.
#include <gtest/gtest.h>

#include <windows.h>

#include "DialogCanceller.h"
#include "PluginFile.h"
#include "resources/ResourceIds.h"
#include "testhost/CallLog.h"
#include "testhost/TestHost.h"
#include "testhost/win32/PluginModule.h"
#include "testhost/win32/WindowAutomation.h"

namespace {

using SquelmHost::AutomationThread;
using SquelmHost::WindowAutomation;

// Larger than the editor's preview, so that it can zoom in.
SquelmHost::RgbImage Gradient()
{
    SquelmHost::RgbImage image(1200, 800);
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x)
            image.Set(x, y, uint8_t(x), uint8_t(y), uint8_t(x + y));
    return image;
}

TEST(EditorFailure, AHostErrorInsideTheZoomButtonsHandlerEndsTheEditorAndStartReportsIt)
{
    const PS::PluginEntry entry = SquelmHost::LoadPluginModule(PluginFile()).entry;
    ASSERT_NE(entry, nullptr);
    SquelmHost::TestHost host(entry);
    host.SetImage(Gradient());

    // How many times the host is asked for pixels before the editor opens.
    WithDialogsCancelled([&] { host.RunFilter(); });
    const size_t beforeEditor = host.Log().Count(SquelmHost::EventKind::AdvanceState);
    ASSERT_GT(beforeEditor, 0u);

    // Zooming in reads the image again: the first read after the editor
    // opened fails.
    host.ClearLog();
    host.Options().failAdvanceStateAt = int(beforeEditor) + 1;
    host.Options().advanceStateError = PS::memFullErr;
    bool closed = false;
    AutomationThread user([&] {
        const WindowAutomation automation;
        const intptr_t editor = automation.WaitForWindow(WindowAutomation::kDialogClass, "Squelm!");
        if (!editor)
            return;
        automation.Click(automation.Control(editor, IDC_ZOOM_IN), 5, 5);
        closed = automation.WaitForClose(editor);
        if (!closed) // the run must end either way
            automation.Click(automation.Control(editor, IDCANCEL), 5, 5);
    });
    const SquelmHost::RunResult failed = host.RunFilter();
    user.Join();
    EXPECT_TRUE(closed);
    EXPECT_EQ(failed.result, PS::memFullErr);
    EXPECT_EQ(failed.failedSelector, PS::filterSelectorStart);
    EXPECT_EQ(host.Image().pixels, Gradient().pixels);

    // The thread is clean: the editor opens again and cancels normally.
    host.Options().failAdvanceStateAt = 0;
    SquelmHost::RunResult again;
    WithDialogsCancelled([&] { again = host.RunFilter(); });
    EXPECT_EQ(again.result, PS::userCanceledErr);
    EXPECT_EQ(again.failedSelector, PS::filterSelectorStart);
}

} // namespace
