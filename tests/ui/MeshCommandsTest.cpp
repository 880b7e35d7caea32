// The editor's mesh commands: a mesh saved in one run loads in the next as
// one undo step, a file that does not load is said and changes nothing, the
// grid of an OK comes back with Load Last Mesh, and the folder is kept.
#include "effect/EffectTestSupport.h"

#include "HuxLib/HUXUTIL/HuxFiles.h"
#include "HuxLib/HUXWIN/HuxMessageLog.h"
#include "grid/PSPlimMeshFile.h"
#include "ui/PSPlimDialogModel.h"
#include "ui/PSPlimMeshCommands.h"

#include <gmock/gmock.h>

#include <filesystem>

using namespace EffectTest;
using ::testing::HasSubstr;
using ::testing::StartsWith;

namespace {

namespace fs = std::filesystem;

constexpr PSPlimRedraw kLoaded{true, false, false, true};

struct MemoryStore : PSPlimMeshStore {
    std::string MeshFolder() const override { return folder; }
    void SetMeshFolder(const std::string& f) override { folder = f; }
    std::string LastMeshFile() const override { return lastMesh; }

    std::string folder;
    std::string lastMesh;
};

// The grid as its mesh file's bytes: equal bytes, equal grids.
std::string GridBytes(const CPSPlimPluginApp& app) { return PSPlimEncodeMesh(PSPlimMeshOf(app.Grid())); }

class MeshCommandsTest : public ::testing::Test {
protected:
    MeshCommandsTest() : dir_(fs::path(::testing::TempDir()) / "squelm-mesh-commands")
    {
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        store_.lastMesh = Path("last/LastMesh.sqmesh");
        fs::create_directories(dir_ / "last");
        HuxClearMessageLog();
    }
    ~MeshCommandsTest() override { fs::remove_all(dir_); }

    std::string Path(const char* name) const { return (dir_ / name).string(); }

    // A run on a width x height gradient with the mesh commands of the store.
    void Run(int width, int height, const std::function<void(CPSPlimPluginApp&, PSPlimMeshCommands&)>& body)
    {
        SquelmHost::TestHost host(Entry());
        host.SetImage(Gradient(width, height));
        bool finished = false;
        RunWith(host, [&](CPSPlimPluginApp& app) {
            app.SetPreviewSize(width, height);
            PSPlimMeshCommands meshes(app, store_);
            body(app, meshes);
            finished = true;
            return kHuxIdCancel;
        });
        // An exception would end the run as a failure of the filter.
        EXPECT_TRUE(finished);
    }

    PSPlimMeshQuestion Ask(const PSPlimMeshCommands& meshes, int command) const
    {
        const std::optional<PSPlimMeshQuestion> question = meshes.Question(command);
        EXPECT_TRUE(question.has_value()) << command;
        return question.value_or(PSPlimMeshQuestion{});
    }

    // A warp of another size and edge mode than the defaults, saved.
    std::string SaveAWarp(const std::string& path)
    {
        std::string saved;
        Run(600, 400, [&](CPSPlimPluginApp& app, PSPlimMeshCommands& meshes) {
            app.ResizeGrid(9, 7);
            app.ChangeEdgeMode(PSPlimEdgeMode::Free);
            Drag(app, PSPlimButton::Left, {{300, 200}, {340, 230}});
            EXPECT_EQ(meshes.Answer(Ask(meshes, PSPlimIds::kSaveMesh), path), PSPlimRedraw{});
            saved = GridBytes(app);
        });
        return saved;
    }

    fs::path dir_;
    MemoryStore store_;
};

} // namespace

TEST_F(MeshCommandsTest, AMeshSavedInOneRunLoadsInTheNextAsOneUndoStep)
{
    const std::string saved = SaveAWarp(Path("warp.sqmesh"));
    EXPECT_EQ(store_.folder, dir_.string());
    Run(600, 400, [&](CPSPlimPluginApp& app, PSPlimMeshCommands& meshes) {
        const std::string flat = GridBytes(app);
        const PSPlimMeshQuestion question = Ask(meshes, PSPlimIds::kLoadMesh);
        EXPECT_FALSE(question.save);
        EXPECT_EQ(question.folder, dir_.string());
        EXPECT_EQ(meshes.Answer(question, Path("warp.sqmesh")), kLoaded);
        EXPECT_EQ(GridBytes(app), saved);
        app.Undo();
        EXPECT_EQ(GridBytes(app), flat);
        EXPECT_FALSE(app.CanUndo());
        app.Redo();
        EXPECT_EQ(GridBytes(app), saved);
    });
    EXPECT_TRUE(HuxMessageLog().empty());
}

TEST_F(MeshCommandsTest, WhatDoesNotLoadOrSaveIsSaidAndChangesNothing)
{
    SaveAWarp(Path("good.sqmesh"));
    std::string damaged = HuxReadFile(Path("good.sqmesh"), 1 << 20, "mesh");
    damaged[60] ^= 1;
    HuxWriteFile(Path("damaged.sqmesh"), damaged, "mesh");
    HuxWriteFile(Path("text.sqmesh"), "not a mesh", "mesh");
    store_.folder = "kept";

    const struct Case {
        int command;
        std::string path, message, reason;
    } cases[] = {
        {PSPlimIds::kLoadMesh, Path("missing.sqmesh"), "The mesh was not loaded; the grid is as it was.", "no such file"},
        {PSPlimIds::kLoadMesh, Path("damaged.sqmesh"), "The mesh was not loaded; the grid is as it was.", "checksum"},
        {PSPlimIds::kLoadMesh, Path("text.sqmesh"), "The mesh was not loaded; the grid is as it was.", "not a Squelm mesh"},
        {PSPlimIds::kLoadMesh, "", "The mesh file's name has characters", ""},
        {PSPlimIds::kSaveMesh, dir_.string(), "The mesh was not saved.", "it is a directory"},
        {PSPlimIds::kSaveMesh, "", "The mesh file's name has characters", ""},
    };
    for (const Case& c : cases) {
        HuxClearMessageLog();
        Run(600, 400, [&](CPSPlimPluginApp& app, PSPlimMeshCommands& meshes) {
            const std::string before = GridBytes(app);
            EXPECT_EQ(meshes.Answer(Ask(meshes, c.command), c.path), PSPlimRedraw{}) << c.path;
            EXPECT_EQ(GridBytes(app), before) << c.path;
            EXPECT_FALSE(app.CanUndo()) << c.path;
        });
        ASSERT_EQ(HuxMessageLog().size(), 1u) << c.path;
        EXPECT_THAT(HuxMessageLog()[0].text, StartsWith(c.message));
        EXPECT_THAT(HuxMessageLog()[0].text, HasSubstr(c.reason));
        EXPECT_EQ(store_.folder, "kept") << c.path;
    }
}

TEST_F(MeshCommandsTest, TheGridOfAnOkComesBackInTheNextRun)
{
    std::string kept;
    Run(600, 400, [&](CPSPlimPluginApp& app, PSPlimMeshCommands& meshes) {
        EXPECT_FALSE(PSPlimToolbarCommandState(PSPlimIds::kLoadLastMesh, PSPlimEditorStateOf(app, meshes.HasLastMesh(), false)).enabled);
        EXPECT_EQ(meshes.LoadLast(), PSPlimRedraw{});
        Drag(app, PSPlimButton::Left, {{200, 100}, {260, 150}});
        meshes.KeepLastMesh();
        EXPECT_TRUE(meshes.HasLastMesh());
        kept = GridBytes(app);
    });
    Run(600, 400, [&](CPSPlimPluginApp& app, PSPlimMeshCommands& meshes) {
        EXPECT_TRUE(PSPlimToolbarCommandState(PSPlimIds::kLoadLastMesh, PSPlimEditorStateOf(app, meshes.HasLastMesh(), false)).enabled);
        EXPECT_EQ(meshes.LoadLast(), kLoaded);
        EXPECT_EQ(GridBytes(app), kept);
        EXPECT_TRUE(app.CanUndo());
    });
    // Without a place for it, nothing is kept.
    store_.lastMesh.clear();
    Run(600, 400, [&](CPSPlimPluginApp&, PSPlimMeshCommands& meshes) {
        meshes.KeepLastMesh();
        EXPECT_FALSE(meshes.HasLastMesh());
    });
    EXPECT_TRUE(HuxMessageLog().empty());
    EXPECT_EQ(store_.folder, "");
}

TEST_F(MeshCommandsTest, AMeshOfAnotherShapeIsStretchedAndSaysSo)
{
    SaveAWarp(Path("wide.sqmesh"));
    Run(400, 400, [&](CPSPlimPluginApp&, PSPlimMeshCommands& meshes) {
        EXPECT_EQ(meshes.Answer(Ask(meshes, PSPlimIds::kLoadMesh), Path("wide.sqmesh")), kLoaded);
    });
    ASSERT_EQ(HuxMessageLog().size(), 1u);
    EXPECT_EQ(HuxMessageLog()[0].text, "The mesh is loaded, but the mesh was made on an image 1.5 times as wide as "
                                       "high, this one is 1 times: the mesh is stretched to fit.");
}

TEST(MeshFolderTest, TheFolderOfAPathKeepsARootsSeparator)
{
    const std::pair<const char*, const char*> cases[] = {
        {"a/b/c.sqmesh", "a/b"}, {"C:\\m\\x.sqmesh", "C:\\m"}, {"C:\\x.sqmesh", "C:\\"},
        {"/x.sqmesh", "/"},      {"x.sqmesh", ""},
    };
    for (const auto& [path, folder] : cases)
        EXPECT_EQ(PSPlimFolderOf(path), folder) << path;
}
