// --mesh and --save-mesh: a saved mesh applied in place of an editing
// session, and the mesh a run made saved. Natively the plug-in is built in:
// an editor that puts the mesh on the grid is installed on its application,
// and the grid a run confirmed is read back from it. On Windows the host
// loads Squelm.8bf, which is handed nothing but its parameters block until
// it reads and writes scripting descriptors; the only way a mesh could
// reach its grid is such a descriptor, so both options are refused there.
#pragma once

#include <memory>
#include <string>

#include "grid/PSPlimMesh.h"

namespace SquelmHostCli {

class MeshEditing {
public:
    // The editor that applies `mesh`, installed for the runs while this
    // lives. Throws std::runtime_error where the plug-in's grid is out of
    // the host's reach.
    explicit MeshEditing(const PSPlimMesh& mesh);
    ~MeshEditing();
    MeshEditing(const MeshEditing&) = delete;
    MeshEditing& operator=(const MeshEditing&) = delete;

private:
    struct Installed;
    std::unique_ptr<Installed> installed_;
};

// Saves the grid that the last run confirmed; throws std::runtime_error for
// a file that cannot be written, or where the grid is out of reach.
void SaveRunMesh(const std::string& path);

} // namespace SquelmHostCli
