// What the editor keeps of a user's meshes between runs: the folder the mesh
// file dialogs last used and the file holding the grid of the last OK. On
// Windows they are the user's own (ui/win32/PSPlimUserMeshStore.h); tests
// keep them in memory and a folder of their own.
#pragma once

#include <string>

class PSPlimMeshStore {
public:
    virtual ~PSPlimMeshStore() = default;

    // The folder last used to save or load a mesh; empty when none is kept.
    virtual std::string MeshFolder() const = 0;
    virtual void SetMeshFolder(const std::string& folder) = 0;
    // The file for the grid of the last OK, its folder made when missing;
    // empty when the user has no place for it.
    virtual std::string LastMeshFile() const = 0;
};
