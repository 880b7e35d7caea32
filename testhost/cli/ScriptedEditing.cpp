#include "testhost/cli/ScriptedEditing.h"

#include <stdexcept>

#ifdef _WIN32

#include "effect/PSPlimEditor.h"

namespace SquelmHostCli {

ScriptedEditing::ScriptedEditing(const std::string&)
{
    throw std::runtime_error("--script needs the built-in plug-in of the native host");
}

ScriptedEditing::~ScriptedEditing() = default;

} // namespace SquelmHostCli

#else

#include "host/entry/PluginMain.h"
#include "ui/PSPlimScriptedEditor.h"

namespace SquelmHostCli {

ScriptedEditing::ScriptedEditing(const std::string& scriptPath)
    : editor_(std::make_unique<PSPlimScriptedEditor>(PSPlimStrokeScript::Load(scriptPath)))
{
    TheApp().SetEditor(editor_.get());
}

ScriptedEditing::~ScriptedEditing() { TheApp().SetEditor(nullptr); }

} // namespace SquelmHostCli

#endif
