// The real editor of Squelm.8bf on the bundled photograph, played by the
// stroke-script driver, photographed from the screen at the moments a user
// would look: just opened, after the demo's strokes with the grid shown (also
// in a large editor and at the screen's resolution), zoomed in with the
// locator open, and the options dialog. The pictures go
// to screenshots/ of the build directory (scripts/screenshots copies them
// for the README); the checks are what those pictures must show.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <stdexcept>
#include <string>

#include "PluginFile.h"
#include "RememberedEditorSettings.h"
#include "resources/ResourceIds.h"
#include "testhost/PngIO.h"
#include "testhost/TestHost.h"
#include "testhost/win32/EditorDriver.h"
#include "testhost/win32/PluginModule.h"
#include "testhost/win32/WindowAutomation.h"
#include "testhost/win32/WindowCapture.h"

namespace {

using Kind = PSPlimScriptCommand::Kind;
using SquelmHost::RgbImage;

const std::string kSamples = SquelmHost::WindowsPath(SQUELM_SAMPLES_DIR);
// The grid's default colour.
constexpr uint8_t kGridRed = 200;

HWND AsWindow(intptr_t handle) { return reinterpret_cast<HWND>(handle); }

int GridColouredPixels(const RgbImage& image)
{
    int count = 0;
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x) {
            const uint8_t* p = image.At(x, y);
            count += p[0] == kGridRed && p[1] == 0 && p[2] == 0;
        }
    return count;
}

RgbImage SaveScreenshot(const RgbImage& image, const std::string& name)
{
    CreateDirectoryA("screenshots", nullptr);
    SquelmHost::SavePng("screenshots/" + name, image);
    return image;
}

// Once the window has painted all its controls.
RgbImage Screenshot(intptr_t window, const std::string& name)
{
    if (!SquelmHost::WindowAutomation().WaitUntilPainted(window))
        throw std::runtime_error("the window to photograph did not paint");
    return SaveScreenshot(SquelmHost::CaptureWindow(window), name);
}

LRESULT SendWaiting(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutA(window, message, wParam, lParam, SMTO_NORMAL, 20000, &result))
        throw std::runtime_error("the editor did not answer");
    return LRESULT(result);
}

LPARAM At(POINT p) { return MAKELPARAM(p.x, p.y); }

POINT Middle(HWND window)
{
    RECT client{};
    GetClientRect(window, &client);
    return {client.right / 2, client.bottom / 2};
}

class EditorScreenshots : public testing::Test {
protected:
    static void SetUpTestSuite() { entry_ = SquelmHost::LoadPluginModule(PluginFile()).entry; }

    void SetUp() override
    {
        ASSERT_NE(entry_, nullptr);
        host_ = std::make_unique<SquelmHost::TestHost>(entry_);
        photo_ = SquelmHost::LoadRgbPng(kSamples + "\\coffee.png");
        host_->SetImage(photo_);
    }

    // Plays the script on the real editor, with the observer looking on.
    SquelmHost::RunResult Play(const std::string& script, SquelmHost::EditorDriver::Observer observer)
    {
        const auto filter = host_->EffectiveFilterRect();
        SquelmHost::EditorDriver driver(PSPlimStrokeScript::Parse(script),
                                        {filter.left, filter.top, filter.right, filter.bottom});
        driver.SetObserver(std::move(observer));
        SquelmHost::AutomationThread player([&] { driver.Play(); });
        const SquelmHost::RunResult result = host_->RunFilter();
        driver.RunEnded();
        player.Join();
        return result;
    }

    static PS::PluginEntry entry_;
    std::unique_ptr<SquelmHost::TestHost> host_;
    RgbImage photo_;
};

PS::PluginEntry EditorScreenshots::entry_ = nullptr;

// The demo's strokes, with the grid shown.
std::string DemoScript()
{
    std::string demo = "toggle grid\n";
    for (const std::string& line : {std::string("tool right boggle\nsize 0.14\npower 1.0\n"),
                                    std::string("drag right 290,148 315,148 313,155 308,161 300,165 290,166 280,165 "
                                                "272,161 267,155 265,148 267,141 272,135 280,131 290,130 300,131 "
                                                "308,135 313,141 315,148\n"),
                                    std::string("edge free\ntool left squelm\nsize 0.15\npower 0.6\n"),
                                    std::string("drag left 100,150 88,165 78,180 68,195 61,210 57,225 55,240 57,255 "
                                                "61,270 68,285 78,300 88,315 100,330\n")})
        demo += line;
    return demo;
}

TEST_F(EditorScreenshots, OpenedAndAfterTheDemoStrokesWithTheGridShown)
{
    RgbImage opened, edited;
    const SquelmHost::RunResult result = Play(DemoScript(), [&](const PSPlimScriptCommand& next, intptr_t editor) {
        if (opened.Empty())
            opened = Screenshot(editor, "editor-opened.png");
        else if (next.kind == Kind::Ok)
            edited = Screenshot(editor, "editor-demo.png");
    });
    ASSERT_TRUE(result.Succeeded()) << result.result;
    ASSERT_FALSE(opened.Empty());
    ASSERT_FALSE(edited.Empty());
    // The grid is hidden when the editor opens and shown in its colour once
    // toggled; the warp reached the document.
    EXPECT_EQ(GridColouredPixels(opened), 0);
    EXPECT_GT(GridColouredPixels(edited), 1000);
    EXPECT_NE(host_->Image().pixels, photo_.pixels);
}

// The editor left at 1600 x 1000 (or the screen's work area, if smaller)
// in an earlier run: the preview takes the room.
TEST_F(EditorScreenshots, LargeAfterTheDemoStrokes)
{
    RECT area{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    const LONG width = std::min<LONG>(1600, area.right - area.left);
    const LONG height = std::min<LONG>(1000, area.bottom - area.top);
    const std::string placement = std::to_string(area.left) + "," + std::to_string(area.top) + "," +
                                  std::to_string(area.left + width) + "," + std::to_string(area.top + height) + ",0";
    RememberedEditorSettings::SetPlacement(placement.c_str());
    RgbImage large;
    const SquelmHost::RunResult result = Play(DemoScript(), [&](const PSPlimScriptCommand& next, intptr_t editor) {
        if (next.kind == Kind::Ok)
            large = Screenshot(editor, "editor-large.png");
    });
    RememberedEditorSettings::Forget();
    ASSERT_TRUE(result.Succeeded()) << result.result;
    EXPECT_EQ(large.width, width);
    EXPECT_EQ(large.height, height);
    EXPECT_GT(GridColouredPixels(large), 3000);
}

// At the screen's resolution (scripts/screenshots and the gui_144dpi run
// set 144 dpi): editor-<dpi>dpi.png.
TEST_F(EditorScreenshots, AtTheScreensResolutionAfterTheDemoStrokes)
{
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    RgbImage shot;
    const SquelmHost::RunResult result = Play(DemoScript(), [&](const PSPlimScriptCommand& next, intptr_t editor) {
        if (next.kind == Kind::Ok)
            shot = Screenshot(editor, "editor-" + std::to_string(dpi) + "dpi.png");
    });
    ASSERT_TRUE(result.Succeeded()) << result.result;
    EXPECT_GT(GridColouredPixels(shot), 1000);
}

TEST_F(EditorScreenshots, ZoomedInWithTheLocatorOpenAndTheOptionsDialog)
{
    RgbImage locator, options;
    const SquelmHost::RunResult result =
        Play("zoom in\nzoom in\nlocate 330,160\ncancel\n", [&](const PSPlimScriptCommand& next, intptr_t editor) {
            if (next.kind != Kind::Cancel)
                return;
            const SquelmHost::WindowAutomation automation;
            // The locator pressed and held: the popup over the editor.
            const HWND button = GetDlgItem(AsWindow(editor), IDC_ZOOM_LOCATOR);
            SendWaiting(button, WM_LBUTTONDOWN, MK_LBUTTON, At(Middle(button)));
            const HWND popup = AsWindow(automation.WaitForWindow("HuxWnd", "Preview Locator"));
            ASSERT_NE(popup, nullptr);
            RECT dialogRect{}, popupRect{}, both{};
            GetWindowRect(AsWindow(editor), &dialogRect);
            GetWindowRect(popup, &popupRect);
            UnionRect(&both, &dialogRect, &popupRect);
            locator = SaveScreenshot(SquelmHost::CaptureScreen(both.left, both.top, both.right, both.bottom),
                                     "editor-locator.png");
            SendWaiting(popup, WM_LBUTTONUP, 0, At(Middle(popup)));
            automation.WaitForClose(reinterpret_cast<intptr_t>(popup));

            // Options from the toolbar; the dialog runs modally, so the
            // click is posted.
            const intptr_t toolbar = automation.Control(editor, IDC_EDITOR_TOOLBAR);
            ASSERT_TRUE(automation.ClickToolbarButton(toolbar, ID_EDIT_OPTIONS));
            const intptr_t dialog = automation.WaitForWindow(SquelmHost::WindowAutomation::kDialogClass,
                                                             "Squelm! Options");
            ASSERT_NE(dialog, 0);
            options = Screenshot(dialog, "options-dialog.png");
            automation.Click(automation.Control(dialog, IDCANCEL), 5, 5);
            automation.WaitForClose(dialog);
        });
    EXPECT_EQ(result.result, PS::userCanceledErr);
    EXPECT_FALSE(locator.Empty());
    EXPECT_FALSE(options.Empty());
    EXPECT_EQ(host_->Image().pixels, photo_.pixels);
}

} // namespace
