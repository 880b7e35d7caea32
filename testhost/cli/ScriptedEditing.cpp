#include "testhost/cli/ScriptedEditing.h"

#include <ostream>

#include "testhost/TestHost.h"
#include "testhost/scripting/PSPlimStrokeScript.h"

#ifdef _WIN32

#include "testhost/win32/EditorDriver.h"
#include "testhost/win32/WindowAutomation.h"

namespace SquelmHostCli {

struct ScriptedEditing::Player {
    SquelmHost::EditorDriver driver;
    SquelmHost::AutomationThread thread;

    Player(PSPlimStrokeScript script, const HuxRect& filterRect)
        : driver(std::move(script), filterRect), thread([this] { driver.Play(); })
    {
    }
};

namespace {

HuxRect AsHuxRect(const SquelmHost::Rect32& rect) { return {rect.left, rect.top, rect.right, rect.bottom}; }

} // namespace

ScriptedEditing::ScriptedEditing(const std::string& scriptPath, const SquelmHost::TestHost& host)
    : player_(std::make_unique<Player>(PSPlimStrokeScript::Load(scriptPath), AsHuxRect(host.EffectiveFilterRect())))
{
}

ScriptedEditing::~ScriptedEditing() = default;

// A plug-in that failed before its editor opened ends the driver's wait.
void ScriptedEditing::Finish(std::ostream& out)
{
    player_->driver.RunEnded();
    player_->thread.Join();
    if (!player_->driver.EditorOpened())
        return;
    const HuxPointI size = player_->driver.PreviewSize();
    out << "editor: the script played the editor dialog; preview " << size.x << " " << size.y << "\n";
}

} // namespace SquelmHostCli

#else

#include "plugin/PluginMain.h"
#include "testhost/scripting/PSPlimScriptedEditor.h"

namespace SquelmHostCli {

struct ScriptedEditing::Player {
    PSPlimScriptedEditor editor;
};

ScriptedEditing::ScriptedEditing(const std::string& scriptPath, const SquelmHost::TestHost&)
    : player_(std::make_unique<Player>(Player{PSPlimScriptedEditor(PSPlimStrokeScript::Load(scriptPath))}))
{
    TheApp().SetEditor(&player_->editor);
}

ScriptedEditing::~ScriptedEditing() { TheApp().SetEditor(nullptr); }

void ScriptedEditing::Finish(std::ostream&) {}

} // namespace SquelmHostCli

#endif
