// Help from the editor dialog, run in-process inside a filter run so that
// every call to the help viewer is recorded: the Help button's topic, F1 on
// a control and "What's This?" over a label give that control's pop-up.
#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "InProcessPlugin.h"
#include "HuxLib/HUXWIN/HuxHtmlHelp.h"
#include "support/HelpRecorder.h"
#include "HelpCalls.h"
#include "UserActions.h"
#include "effect/CPSPlimPluginApp.h"
#include "resources/ResourceIds.h"
#include "testhost/TestHost.h"
#include "ui/PSPlimDialogModel.h"
#include "ui/win32/PSPlimWindowEditor.h"

namespace {

using SquelmHost::WindowAutomation;
using namespace UserActions;

constexpr const char* kCaption = "Squelm!";


class EditorDialogHelp : public testing::Test {
protected:
    EditorDialogHelp()
    {
        plugin_ = std::make_unique<InProcessPlugin>(&editor_);
        app_ = &plugin_->App();
        host_ = &plugin_->Host();
        host_->SetImage(SquelmHost::RgbImage(40, 30, 90));
        SetHelpRecorder([this](const HuxHtmlHelpCall& call) { help_.push_back(call); });
    }
    ~EditorDialogHelp() override
    {
        SetHelpRecorder({});
    }

    PSPlimWindowEditor editor_;
    std::vector<HuxHtmlHelpCall> help_;
    std::unique_ptr<InProcessPlugin> plugin_;
    CPSPlimPluginApp* app_ = nullptr;
    SquelmHost::TestHost* host_ = nullptr;
};

TEST_F(EditorDialogHelp, HelpButtonF1AndWhatsThisShowTheEditorsTopics)
{
    intptr_t slider = 0, sizeLabel = 0;
    bool menuShown = false;
    SquelmHost::AutomationThread user([&] {
        const WindowAutomation automation;
        const intptr_t dialog = automation.WaitForWindow(WindowAutomation::kDialogClass, kCaption);
        if (!dialog)
            throw std::runtime_error("the editor did not open");
        ClickButton(automation, dialog, IDC_HELP_BUTTON);

        slider = automation.Control(dialog, IDC_TOOL_SIZE);
        PressF1On(slider);

        sizeLabel = automation.Control(dialog, IDC_TOOL_SIZE_LABEL);
        ClickCentre(automation, sizeLabel, SquelmHost::MouseButton::Right);
        menuShown = HelpCalls::ChooseWhatsThis(automation);
        ClickButton(automation, dialog, IDCANCEL);
        if (!automation.WaitForClose(dialog)) {
            PostMessageA(AsWindow(dialog), WM_CLOSE, 0, 0);
            throw std::runtime_error("the editor did not close");
        }
    });
    host_->RunFilter();
    user.Join();

    EXPECT_TRUE(menuShown);
    HelpCalls::ExpectDialogHelp(help_,
                                {app_->GetHelpFilePath(), kPSPlimDialogWelcomeTopic, kPSPlimDialogPopupFile,
                                 kPSPlimDialogHelpIds.data()},
                                slider, sizeLabel);
}

} // namespace
