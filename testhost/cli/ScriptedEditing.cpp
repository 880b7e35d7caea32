#include "testhost/cli/ScriptedEditing.h"

#include <ostream>

#include "testhost/TestHost.h"
#include "ui/PSPlimStrokeScript.h"

#ifdef _WIN32

#include "testhost/win32/EditorDriver.h"
#include "testhost/win32/WindowAutomation.h"

namespace SquelmHostCli {

struct ScriptedEditing::Player {
    SquelmHost::EditorDriver driver;
    SquelmHost::AutomationThread thread;

    explicit Player(SquelmHost::EditorDriver played) : driver(std::move(played)), thread([this] { driver.Play(); }) {}
};

namespace {

HuxRect AsHuxRect(const SquelmHost::Rect32& rect) { return {rect.left, rect.top, rect.right, rect.bottom}; }

} // namespace

ScriptedEditing::ScriptedEditing(const std::string& scriptPath, const SquelmHost::TestHost& host)
    : player_(std::make_unique<Player>(
          SquelmHost::EditorDriver(PSPlimStrokeScript::Load(scriptPath), AsHuxRect(host.EffectiveFilterRect()))))
{
}

ScriptedEditing::~ScriptedEditing() = default;

void ScriptedEditing::Finish(std::ostream& out)
{
    player_->thread.Join();
    const HuxPointI size = player_->driver.PreviewSize();
    out << "editor: the script played the editor dialog; preview " << size.x << " " << size.y << "\n";
}

} // namespace SquelmHostCli

#else

#include "plugin/PluginMain.h"
#include "ui/PSPlimScriptedEditor.h"

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
