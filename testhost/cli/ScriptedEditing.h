// --script: a stroke script plays the editor of the built-in plug-in, so
// that a whole editing session runs without a window.
#pragma once

#include <memory>
#include <string>

class PSPlimEditor;

namespace SquelmHostCli {

class ScriptedEditing {
public:
    // Reads the script and installs its editor; throws std::runtime_error
    // for an unreadable or malformed script, and where the plug-in is
    // loaded from a file rather than built in.
    explicit ScriptedEditing(const std::string& scriptPath);
    ~ScriptedEditing();
    ScriptedEditing(const ScriptedEditing&) = delete;
    ScriptedEditing& operator=(const ScriptedEditing&) = delete;

private:
    std::unique_ptr<PSPlimEditor> editor_;
};

} // namespace SquelmHostCli
