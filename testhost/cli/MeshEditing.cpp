#include "testhost/cli/MeshEditing.h"

#include <stdexcept>

#include "grid/PSPlimMeshFile.h"
#include "testhost/TestHost.h"

#ifdef _WIN32

#include "effect/PSPlimDescriptorKeys.h"
#include "testhost/DescriptorSession.h"

namespace SquelmHostCli {

struct MeshEditing::Installed {
    SquelmHost::TestHost& host;
    ~Installed() { host.Descriptors().StopPlaying(); }
};

MeshEditing::MeshEditing(const PSPlimMesh& mesh, SquelmHost::TestHost& host)
{
    if (host.Options().descriptors != SquelmHost::DescriptorOffer::Offered)
        throw std::runtime_error("--mesh reaches the loaded plug-in's grid only through the scripting descriptors "
                                 "that --no-descriptors and --null-descriptor-procs take away");
    host.Descriptors().Play({SquelmHost::TextValue(kPSPlimKeyMesh, PSPlimEncodeMeshText(mesh))}, PS::playSilent);
    installed_ = std::make_unique<Installed>(Installed{host});
}

MeshEditing::~MeshEditing() = default;

void SaveRunMesh(const std::string& path, const SquelmHost::TestHost& host)
{
    if (const std::optional<SquelmHost::Descriptor>& step = host.Descriptors().Recorded()) {
        for (const SquelmHost::DescriptorValue& value : *step)
            if (value.key == kPSPlimKeyMesh)
                return PSPlimSaveMeshFile(path, PSPlimDecodeMeshText(value.bytes));
    }
    throw std::runtime_error("--save-mesh: the plug-in recorded no mesh in the host's actions");
}

} // namespace SquelmHostCli

#else

#include "effect/PSPlimMeshEditor.h"
#include "plugin/PluginMain.h"

namespace SquelmHostCli {

struct MeshEditing::Installed {
    PSPlimMeshEditor editor;
};

MeshEditing::MeshEditing(const PSPlimMesh& mesh, SquelmHost::TestHost&)
    : installed_(std::make_unique<Installed>(Installed{PSPlimMeshEditor(mesh)}))
{
    TheApp().SetEditor(&installed_->editor);
}

MeshEditing::~MeshEditing() { TheApp().SetEditor(nullptr); }

void SaveRunMesh(const std::string& path, const SquelmHost::TestHost&)
{
    PSPlimSaveMeshFile(path, PSPlimMeshOf(TheApp().Grid()));
}

} // namespace SquelmHostCli

#endif
