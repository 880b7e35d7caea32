// The user's own mesh store: the mesh folder as the value MeshFolder of
// HKCU\Software\Squelm, and the grid of the last OK as LastMesh.sqmesh in
// Squelm's folder of the user's application data. Paths are in the ANSI code
// page, as the file functions take them.
#pragma once

#include "ui/PSPlimMeshStore.h"

class PSPlimUserMeshStore : public PSPlimMeshStore {
public:
    std::string MeshFolder() const override;
    void SetMeshFolder(const std::string& folder) override;
    std::string LastMeshFile() const override;
};
