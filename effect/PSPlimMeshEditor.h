// An editor without a window that puts a saved mesh on the grid in place of
// an editing session and confirms it: the warp of another run applied to
// this image, fitted to its shape (grid/PSPlimMesh.h).
#pragma once

#include "effect/PSPlimEditor.h"
#include "grid/PSPlimMesh.h"

class PSPlimMeshEditor : public PSPlimEditor {
public:
    explicit PSPlimMeshEditor(PSPlimMesh mesh) : mesh_(std::move(mesh)) {}

    // Fits the mesh to the grid the run was reset to and answers OK; a mesh
    // with a fault throws before the grid changes.
    int RunModal(CPSPlimPluginApp& app) override;

private:
    PSPlimMesh mesh_;
};
