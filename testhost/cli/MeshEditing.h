// --mesh and --save-mesh: a saved mesh applied in place of an editing
// session, and the mesh a run made saved. Natively the plug-in is built in:
// an editor that puts the mesh on the grid is installed on its application,
// and the grid a run confirmed is read back from it. On Windows the host
// loads Squelm.8bf, whose grid it reaches as any host does, through the
// scripting descriptors of its actions: the mesh is played as a recorded
// step, silently, and the mesh saved is the one the run recorded.
#pragma once

#include <memory>
#include <string>

#include "grid/PSPlimMesh.h"

namespace SquelmHost {
class TestHost;
}

namespace SquelmHostCli {

class MeshEditing {
public:
    // Applies `mesh` in the host's runs while this lives. Throws
    // std::runtime_error where the host's options leave the plug-in's grid
    // out of reach (no descriptors on Windows).
    MeshEditing(const PSPlimMesh& mesh, SquelmHost::TestHost& host);
    ~MeshEditing();
    MeshEditing(const MeshEditing&) = delete;
    MeshEditing& operator=(const MeshEditing&) = delete;

private:
    struct Installed;
    std::unique_ptr<Installed> installed_;
};

// Saves the grid that the host's last run confirmed; throws
// std::runtime_error for a file that cannot be written, or where the grid
// is out of reach.
void SaveRunMesh(const std::string& path, const SquelmHost::TestHost& host);

} // namespace SquelmHostCli
