// The editor's mesh commands: Save Mesh and Load Mesh through the system's
// file dialogs, Load Last Mesh, and keeping the grid of an OK for it. The
// window asks the question this names, passes the chosen file back and
// redraws what the answer names; every message is shown here, owned by the
// editor. Loading is one undo step; a file that does not load leaves the
// grid as it was.
#pragma once

#include "ui/PSPlimEditorCommands.h"
#include "ui/PSPlimMeshStore.h"

#include <optional>
#include <string>

// The file dialog a mesh command opens.
struct PSPlimMeshQuestion {
    bool save = false;
    std::string title;
    // The folder it opens in; empty leaves the choice to the system.
    std::string folder;
};

class PSPlimMeshCommands {
public:
    static constexpr const char* kFilterName = "Squelm meshes (*.sqmesh)";
    static constexpr const char* kExtension = "sqmesh";

    // Looks once whether a grid of an earlier OK is kept.
    PSPlimMeshCommands(CPSPlimPluginApp& app, PSPlimMeshStore& store);

    // Load Last Mesh is possible only with a kept grid.
    bool HasLastMesh() const { return hasLastMesh_; }

    // The dialog of Save Mesh or Load Mesh; none for any other command.
    std::optional<PSPlimMeshQuestion> Question(int commandId) const;
    // The file chosen in the question's dialog; an empty path stands for a
    // name the system's file functions cannot take.
    PSPlimRedraw Answer(const PSPlimMeshQuestion& question, const std::string& path);
    PSPlimRedraw LoadLast();
    // OK: the grid is kept for Load Last Mesh. A failure is said and does
    // not stop the warp.
    void KeepLastMesh();

private:
    PSPlimRedraw Save(const std::string& path);
    PSPlimRedraw Load(const std::string& path, bool remember);
    void Say(const std::string& text) const;

    CPSPlimPluginApp& app_;
    PSPlimMeshStore& store_;
    bool hasLastMesh_ = false;
};

// The folder part of a path, separators of either kind; empty for a bare name.
std::string PSPlimFolderOf(const std::string& path);
