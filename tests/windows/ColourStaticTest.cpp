// The colour swatch in a filter run: a click goes through the application's
// PickColour to the test host's colour picker; a confirmed pick repaints
// the swatch and tells the dialog, a cancelled one changes nothing.
#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>

#include "testhost/PollUntil.h"
#include "InProcessPlugin.h"
#include "ControlLibraryTestDialog.h"
#include "FrameworkTestDialog.h"
#include "effect/CPSPlimPluginApp.h"
#include "effect/PSPlimEditor.h"
#include "testhost/TestHost.h"
#include "testhost/win32/WindowCapture.h"

namespace {

using namespace ControlLibraryTest;
using SquelmHost::WindowAutomation;

constexpr HuxColourRef kBefore = RGB(10, 20, 30);

class SwatchEditor : public PSPlimEditor {
public:
    std::unique_ptr<ControlDialog> dialog;
    int RunModal(CPSPlimPluginApp& app) override
    {
        dialog = std::make_unique<ControlDialog>(&app, reinterpret_cast<HWND>(app.OwnerWindow()));
        dialog->initialColour = kBefore;
        return static_cast<int>(dialog->DoModal());
    }
};


class ColourStatic : public testing::Test {
protected:
    ColourStatic()
    {
        plugin_ = std::make_unique<InProcessPlugin>(&editor_);
        app_ = &plugin_->App();
        host_ = &plugin_->Host();
        host_->SetImage(SquelmHost::RgbImage(6, 4, 90));
    }

    // A filter run in which the user clicks the swatch, waits to see it
    // show `expected` (at most a few seconds) and then clicks OK.
    void ClickSwatchInARun(HuxColourRef expected)
    {
        SquelmHost::AutomationThread thread([this, expected] {
            const WindowAutomation automation;
            const intptr_t window = automation.WaitForWindow(WindowAutomation::kDialogClass, kCaption);
            if (!window)
                throw std::runtime_error("the dialog did not appear");
            const intptr_t swatch = automation.Control(window, IDC_SWATCH);
            automation.Click(swatch, 5, 5);
            SquelmHost::PollUntil([&] {
                shot_ = SquelmHost::CaptureWindow(swatch);
                return !shot_.Empty() && IsPixel(shot_, shot_.width / 2, shot_.height / 2, expected);
            });
            automation.PressButton(window, IDOK);
            if (!automation.WaitForClose(window))
                throw std::runtime_error("the dialog did not close");
        });
        host_->RunFilter();
        thread.Join();
        ASSERT_TRUE(editor_.dialog);
        ASSERT_FALSE(shot_.Empty());
    }

    SquelmHost::RgbImage shot_; // the swatch on the screen

    SwatchEditor editor_;
    std::unique_ptr<InProcessPlugin> plugin_;
    CPSPlimPluginApp* app_ = nullptr;
    SquelmHost::TestHost* host_ = nullptr;
};

TEST_F(ColourStatic, AConfirmedPickTellsTheDialogOnceAndShowsTheNewColour)
{
    SquelmHost::ColourAnswer& answer = host_->Options().colour;
    answer.red = 200;
    answer.green = 100;
    answer.blue = 5;
    const HuxColourRef picked = RGB(200, 100, 5);
    ClickSwatchInARun(picked);
    const ControlDialog& dialog = *editor_.dialog;
    EXPECT_EQ(dialog.swatchColour, picked);
    // Exactly the pick's notification: the press itself reports nothing.
    const std::vector<Command> fromSwatch = dialog.CommandsFrom(IDC_SWATCH);
    ASSERT_EQ(fromSwatch.size(), 1u);
    EXPECT_EQ(fromSwatch[0].code, 0u);
    EXPECT_EQ(fromSwatch[0].control, dialog.swatchWindow);
    const SquelmHost::RgbImage& shot = shot_;
    for (const auto& [x, y] : {std::pair{0, 0}, {shot.width / 2, shot.height / 2}, {shot.width - 1, shot.height - 1}})
        EXPECT_TRUE(IsPixel(shot, x, y, picked)) << "at " << x << ", " << y;
}

TEST_F(ColourStatic, ACancelledPickSendsNothingAndKeepsTheColour)
{
    host_->Options().colour.refuse = true;
    ClickSwatchInARun(kBefore);
    const ControlDialog& dialog = *editor_.dialog;
    EXPECT_EQ(dialog.swatchColour, kBefore);
    EXPECT_TRUE(dialog.CommandsFrom(IDC_SWATCH).empty());
    const SquelmHost::RgbImage& shot = shot_;
    EXPECT_TRUE(IsPixel(shot, shot.width / 2, shot.height / 2, kBefore));
}

TEST(ColourStaticWithoutChooser, IgnoresClicks)
{
    ControlDialog dialog(nullptr);
    dialog.initialColour = kBefore;
    FrameworkTest::RunDialog(
        dialog,
        [](const WindowAutomation& automation, intptr_t window) {
            automation.Click(automation.Control(window, IDC_SWATCH), 5, 5);
            automation.PressButton(window, IDOK);
            automation.WaitForClose(window);
        },
        kCaption);
    EXPECT_TRUE(dialog.CommandsFrom(IDC_SWATCH).empty());
    EXPECT_EQ(dialog.swatchColour, kBefore);
}

} // namespace
