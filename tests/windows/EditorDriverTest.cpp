// The driver of the real editor dialog ends its wait for the editor when the
// run ends without one (the plug-in failed before opening it).
#include <gtest/gtest.h>

#include "PluginFile.h"
#include "testhost/TestHost.h"
#include "testhost/win32/EditorDriver.h"
#include "testhost/win32/PluginModule.h"
#include "testhost/win32/WindowAutomation.h"

TEST(EditorDriver, ARunThatFailsBeforeTheEditorOpensEndsTheWait)
{
    const PS::PluginEntry entry = SquelmHost::LoadPluginModule(PluginFile()).entry;
    ASSERT_NE(entry, nullptr);
    SquelmHost::TestHost host(entry);
    host.SetImage(SquelmHost::RgbImage(64, 48));
    host.Options().failAdvanceStateAt = 1;
    // A wait that ran out would throw from Play, and Join would rethrow it.
    SquelmHost::EditorDriver driver(PSPlimStrokeScript::Parse("drag left 1,1 5,5\n"), {0, 0, 64, 48});
    SquelmHost::AutomationThread player([&] { driver.Play(); });
    EXPECT_FALSE(host.RunFilter().Succeeded());
    driver.RunEnded();
    EXPECT_NO_THROW(player.Join());
    EXPECT_FALSE(driver.EditorOpened());
}
