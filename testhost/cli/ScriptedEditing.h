// --script: a stroke script plays the editor. Natively the plug-in is built
// in and its editor is replaced by the scripted one, which plays the script
// without a window; on Windows the loaded plug-in opens its real editor
// dialog and a second thread plays the script on it as a user's hand would.
#pragma once

#include <iosfwd>
#include <memory>
#include <string>

namespace SquelmHost {
class TestHost;
}

namespace SquelmHostCli {

class ScriptedEditing {
public:
    // Reads the script and gets its player ready for the host's next run;
    // throws std::runtime_error for an unreadable or malformed script.
    ScriptedEditing(const std::string& scriptPath, const SquelmHost::TestHost& host);
    ~ScriptedEditing();
    ScriptedEditing(const ScriptedEditing&) = delete;
    ScriptedEditing& operator=(const ScriptedEditing&) = delete;

    // After the run: rethrows what went wrong in playing the script, and
    // says how it was played.
    void Finish(std::ostream& out);

private:
    struct Player;
    std::unique_ptr<Player> player_;
};

} // namespace SquelmHostCli
