#include "ui/PSPlimMeshCommands.h"

#include "HuxLib/HUXWIN/HuxMessageBox.h"
#include "effect/CPSPlimPluginApp.h"
#include "grid/PSPlimMeshFile.h"

#include <filesystem>
#include <stdexcept>
#include <system_error>

namespace {

constexpr PSPlimRedraw kLoaded{true, false, false, true};
constexpr const char* kUnusableName =
    "The mesh file's name has characters this system cannot use in a file name here; choose another name.";

} // namespace

PSPlimMeshCommands::PSPlimMeshCommands(CPSPlimPluginApp& app, PSPlimMeshStore& store) : app_(app), store_(store)
{
    const std::string last = store_.LastMeshFile();
    std::error_code error;
    hasLastMesh_ = !last.empty() && std::filesystem::is_regular_file(last, error);
}

std::optional<PSPlimMeshQuestion> PSPlimMeshCommands::Question(int commandId) const
{
    if (commandId == PSPlimIds::kSaveMesh)
        return PSPlimMeshQuestion{true, "Save Mesh", store_.MeshFolder()};
    if (commandId == PSPlimIds::kLoadMesh)
        return PSPlimMeshQuestion{false, "Load Mesh", store_.MeshFolder()};
    return std::nullopt;
}

PSPlimRedraw PSPlimMeshCommands::Answer(const PSPlimMeshQuestion& question, const std::string& path)
{
    if (path.empty()) {
        Say(kUnusableName);
        return {};
    }
    return question.save ? Save(path) : Load(path, true);
}

PSPlimRedraw PSPlimMeshCommands::LoadLast()
{
    // The button is disabled without a kept grid; a click that raced the
    // update finds nothing to do.
    const std::string last = store_.LastMeshFile();
    return hasLastMesh_ && !last.empty() ? Load(last, false) : PSPlimRedraw{};
}

void PSPlimMeshCommands::KeepLastMesh()
{
    const std::string last = store_.LastMeshFile();
    if (last.empty())
        return;
    try {
        PSPlimSaveMeshFile(last, PSPlimMeshOf(app_.Grid()));
        hasLastMesh_ = true;
    } catch (const std::exception& e) {
        Say(std::string("The grid could not be kept for Load Last Mesh; the warp is applied all the same.\n\n") +
            e.what());
    }
}

PSPlimRedraw PSPlimMeshCommands::Save(const std::string& path)
{
    try {
        PSPlimSaveMeshFile(path, PSPlimMeshOf(app_.Grid()));
    } catch (const std::exception& e) {
        Say(std::string("The mesh was not saved.\n\n") + e.what());
        return {};
    }
    store_.SetMeshFolder(PSPlimFolderOf(path));
    return {};
}

PSPlimRedraw PSPlimMeshCommands::Load(const std::string& path, bool remember)
{
    const HuxRect& image = app_.FilterRect();
    std::string note;
    try {
        const PSPlimMesh mesh = PSPlimLoadMeshFile(path);
        note = PSPlimMeshShapeNote(mesh, image.Width(), image.Height());
        app_.LoadMesh(mesh);
    } catch (const std::exception& e) {
        Say(std::string("The mesh was not loaded; the grid is as it was.\n\n") + e.what());
        return {};
    }
    if (remember)
        store_.SetMeshFolder(PSPlimFolderOf(path));
    if (!note.empty())
        Say("The mesh is loaded, but " + note + ".");
    return kLoaded;
}

void PSPlimMeshCommands::Say(const std::string& text) const
{
    HuxMessageBox(app_.MessageOwner(), text.c_str(), app_.m_pszAppName, kHuxMbOk);
}

std::string PSPlimFolderOf(const std::string& path)
{
    const size_t separator = path.find_last_of("/\\");
    if (separator == std::string::npos)
        return {};
    // A root keeps its separator: "/" and "C:\" are folders, "C:" is not.
    const bool root = separator == 0 || (separator == 2 && path[1] == ':');
    return path.substr(0, root ? separator + 1 : separator);
}
