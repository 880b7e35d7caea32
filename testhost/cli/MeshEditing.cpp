#include "testhost/cli/MeshEditing.h"

#include <stdexcept>

#ifdef _WIN32

namespace SquelmHostCli {

namespace {

[[noreturn]] void OutOfReach(const char* option)
{
    throw std::runtime_error(std::string(option) +
                             ": the loaded plug-in's grid can be reached only through a scripting descriptor, "
                             "which this plug-in does not read or write yet");
}

} // namespace

struct MeshEditing::Installed {};

MeshEditing::MeshEditing(const PSPlimMesh&) { OutOfReach("--mesh"); }

MeshEditing::~MeshEditing() = default;

void SaveRunMesh(const std::string&) { OutOfReach("--save-mesh"); }

} // namespace SquelmHostCli

#else

#include "effect/PSPlimMeshEditor.h"
#include "grid/PSPlimMeshFile.h"
#include "plugin/PluginMain.h"

namespace SquelmHostCli {

struct MeshEditing::Installed {
    PSPlimMeshEditor editor;
};

MeshEditing::MeshEditing(const PSPlimMesh& mesh) : installed_(std::make_unique<Installed>(Installed{PSPlimMeshEditor(mesh)}))
{
    TheApp().SetEditor(&installed_->editor);
}

MeshEditing::~MeshEditing() { TheApp().SetEditor(nullptr); }

void SaveRunMesh(const std::string& path) { PSPlimSaveMeshFile(path, PSPlimMeshOf(TheApp().Grid())); }

} // namespace SquelmHostCli

#endif
