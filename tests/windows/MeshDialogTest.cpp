// Meshes through the real editor of Squelm.8bf and the system's file
// dialogs: a mesh saved in a cancelled run and loaded in a new run gives the
// warp that the strokes' own OK gives, and so does Load Last Mesh after that
// OK. The stroke-script driver plays the strokes; at the closing command the
// test uses the toolbar and answers the file dialog as a user would.
#include <gtest/gtest.h>

#include <windows.h>
// after <windows.h>, which it needs
#include <commctrl.h>

#include <functional>
#include <string>

#include "PluginFile.h"
#include "resources/ResourceIds.h"
#include "testhost/ImageCompare.h"
#include "testhost/PngIO.h"
#include "testhost/PollUntil.h"
#include "testhost/TestHost.h"
#include "testhost/win32/EditorDriver.h"
#include "testhost/win32/PluginModule.h"
#include "testhost/win32/WindowAutomation.h"
#include "ui/win32/PSPlimUserMeshStore.h"

namespace {

using Kind = PSPlimScriptCommand::Kind;
using SquelmHost::RgbImage;
using SquelmHost::WindowAutomation;

const std::string kSamples = SquelmHost::WindowsPath(SQUELM_SAMPLES_DIR);
// Strokes of another grid size and edge mode than the defaults.
constexpr const char* kStrokes = "grid 9 7\nedge free\ntool left squelm\nsize 0.15\npower 0.6\n"
                                 "drag left 100,150 88,165 78,180 68,195 61,210 57,225 55,240\n"
                                 "tool right boggle\ndrag right 290,148 315,148 313,155 308,161\n";

intptr_t Toolbar(intptr_t editor)
{
    return reinterpret_cast<intptr_t>(GetDlgItem(reinterpret_cast<HWND>(editor), IDC_EDITOR_TOOLBAR));
}

bool ButtonEnabled(intptr_t editor, int command)
{
    DWORD_PTR enabled = 0;
    return SendMessageTimeoutA(reinterpret_cast<HWND>(Toolbar(editor)), TB_ISBUTTONENABLED, WPARAM(command), 0,
                               SMTO_NORMAL, 20000, &enabled) &&
           enabled != 0;
}

::testing::AssertionResult SameImage(const RgbImage& expected, const RgbImage& actual)
{
    const SquelmHost::ImageDifference d = SquelmHost::CompareImages(expected, actual);
    if (d.Identical())
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << d.Describe();
}

class MeshDialog : public testing::Test {
protected:
    static void SetUpTestSuite() { entry_ = SquelmHost::LoadPluginModule(PluginFile()).entry; }

    void SetUp() override
    {
        ASSERT_NE(entry_, nullptr);
        photo_ = SquelmHost::LoadRgbPng(kSamples + "\\coffee.png");
        char temp[MAX_PATH] = {};
        GetTempPathA(MAX_PATH, temp);
        mesh_ = std::string(temp) + "squelm-mesh-dialog.sqmesh";
        DeleteFileA(mesh_.c_str());
        DeleteFileA(PSPlimUserMeshStore().LastMeshFile().c_str());
    }
    void TearDown() override { DeleteFileA(mesh_.c_str()); }

    // A new run on the photograph: the script on the real editor, the
    // action before its closing command.
    SquelmHost::RunResult Play(const std::string& script, std::function<void(intptr_t editor)> beforeClosing)
    {
        host_ = std::make_unique<SquelmHost::TestHost>(entry_);
        host_->SetImage(photo_);
        const auto filter = host_->EffectiveFilterRect();
        SquelmHost::EditorDriver driver(PSPlimStrokeScript::Parse(script),
                                        {filter.left, filter.top, filter.right, filter.bottom});
        driver.SetObserver([&](const PSPlimScriptCommand& next, intptr_t editor) {
            if ((next.kind == Kind::Ok || next.kind == Kind::Cancel) && beforeClosing)
                beforeClosing(editor);
        });
        SquelmHost::AutomationThread player([&] { driver.Play(); });
        const SquelmHost::RunResult result = host_->RunFilter();
        driver.RunEnded();
        player.Join();
        return result;
    }

    // A mesh button that opens a file dialog, answered with the mesh's path.
    // On failure the dialogs left open are cancelled, so that the run ends.
    void AnswerWithTheMesh(intptr_t editor, int command, const std::string& caption)
    {
        const WindowAutomation automation;
        ASSERT_TRUE(automation.ClickToolbarButton(Toolbar(editor), command));
        if (automation.AnswerFileDialog(caption, mesh_))
            return;
        for (const SquelmHost::WindowState& window : automation.TopLevelWindows())
            if (window.visible && window.className == WindowAutomation::kDialogClass && window.text != "Squelm!")
                automation.PressButton(window.handle, IDCANCEL);
        ADD_FAILURE() << caption << " was not answered";
    }

    // A load is an undo step: the toolbar shows it once it is done.
    static void ExpectLoaded(intptr_t editor)
    {
        EXPECT_TRUE(SquelmHost::PollUntil([&] { return ButtonEnabled(editor, ID_EDIT_UNDO_STROKE); }));
    }

    static PS::PluginEntry entry_;
    std::unique_ptr<SquelmHost::TestHost> host_;
    RgbImage photo_;
    std::string mesh_;
};

PS::PluginEntry MeshDialog::entry_ = nullptr;

TEST_F(MeshDialog, SaveCancelThenLoadInANewRunAndLoadLastMeshGiveTheFirstRunsOk)
{
    const SquelmHost::RunResult cancelled = Play(std::string(kStrokes) + "cancel\n", [&](intptr_t editor) {
        EXPECT_FALSE(ButtonEnabled(editor, ID_MESH_LOAD_LAST));
        AnswerWithTheMesh(editor, ID_MESH_SAVE, "Save Mesh");
        EXPECT_TRUE(SquelmHost::PollUntil([&] { return GetFileAttributesA(mesh_.c_str()) != INVALID_FILE_ATTRIBUTES; }));
    });
    EXPECT_EQ(cancelled.result, PS::userCanceledErr);
    EXPECT_EQ(host_->Image().pixels, photo_.pixels);

    // The strokes' own OK: the warp to match, and the grid kept.
    ASSERT_TRUE(Play(std::string(kStrokes) + "ok\n", nullptr).Succeeded());
    const RgbImage warped = host_->Image();
    ASSERT_NE(warped.pixels, photo_.pixels);

    const SquelmHost::RunResult loaded = Play("ok\n", [&](intptr_t editor) {
        AnswerWithTheMesh(editor, ID_MESH_LOAD, "Load Mesh");
        ExpectLoaded(editor);
    });
    ASSERT_TRUE(loaded.Succeeded()) << loaded.result;
    EXPECT_TRUE(SameImage(warped, host_->Image()));

    const SquelmHost::RunResult last = Play("ok\n", [&](intptr_t editor) {
        ASSERT_TRUE(ButtonEnabled(editor, ID_MESH_LOAD_LAST));
        ASSERT_TRUE(WindowAutomation().ClickToolbarButton(Toolbar(editor), ID_MESH_LOAD_LAST));
        ExpectLoaded(editor);
    });
    ASSERT_TRUE(last.Succeeded()) << last.result;
    EXPECT_TRUE(SameImage(warped, host_->Image()));
}

} // namespace
