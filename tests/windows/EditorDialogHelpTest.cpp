// Help from the editor dialog, run in-process inside a filter run so that
// every call to the help viewer is recorded: the Help button's topic, F1 on
// a control and "What's This?" over a label give that control's pop-up.
#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "HuxLib/HUXWIN/HuxHtmlHelp.h"
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
constexpr const char* kMenuClass = "#32768";
constexpr unsigned kVkDown = 0x28;
constexpr unsigned kVkReturn = 0x0D;

CPSPlimPluginApp* g_app = nullptr;

void PS_CALLBACK InProcessEntry(int16_t selector, void* record, intptr_t* data, int16_t* result)
{
    g_app->Dispatch(selector, record, data, result);
}

class EditorDialogHelp : public testing::Test {
protected:
    EditorDialogHelp()
    {
        app_ = std::make_unique<CPSPlimPluginApp>();
        app_->SetEditor(&editor_);
        g_app = app_.get();
        host_ = std::make_unique<SquelmHost::TestHost>(&InProcessEntry);
        host_->SetImage(SquelmHost::RgbImage(40, 30, 90));
        HuxSetHtmlHelpRecorder([this](const HuxHtmlHelpCall& call) { help_.push_back(call); });
    }
    ~EditorDialogHelp() override
    {
        HuxSetHtmlHelpRecorder({});
        g_app = nullptr;
    }

    HuxHtmlHelpCall CallOf(unsigned command) const
    {
        for (const HuxHtmlHelpCall& call : help_)
            if (call.command == command)
                return call;
        return {};
    }

    PSPlimWindowEditor editor_;
    std::vector<HuxHtmlHelpCall> help_;
    std::unique_ptr<CPSPlimPluginApp> app_;
    std::unique_ptr<SquelmHost::TestHost> host_;
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
        const intptr_t menu = automation.WaitForWindow(kMenuClass);
        menuShown = menu != 0;
        if (menu) {
            automation.Key(menu, kVkDown);
            automation.Key(menu, kVkReturn);
            automation.WaitForClose(menu);
        }
        ClickButton(automation, dialog, IDCANCEL);
        if (!automation.WaitForClose(dialog)) {
            PostMessageA(AsWindow(dialog), WM_CLOSE, 0, 0);
            throw std::runtime_error("the editor did not close");
        }
    });
    host_->RunFilter();
    user.Join();

    EXPECT_TRUE(menuShown);
    // One call of each kind; the key and the clicks reach the dialog
    // through different queues, so their order is not fixed.
    ASSERT_EQ(help_.size(), 3u);
    const std::string helpFile = app_->GetHelpFilePath();
    const std::string popups = helpFile + "::/Text/SquelmDialog.txt";
    const uintptr_t table = reinterpret_cast<uintptr_t>(kPSPlimDialogHelpIds.data());

    const HuxHtmlHelpCall topic = CallOf(kHuxHelpDisplayTopic);
    EXPECT_EQ(topic.window, 0);
    EXPECT_EQ(topic.path, helpFile + "::/Squelm/Welcome.htm");

    const HuxHtmlHelpCall f1 = CallOf(kHuxHelpWmHelp);
    EXPECT_EQ(f1.window, slider);
    EXPECT_EQ(f1.path, popups);
    EXPECT_EQ(f1.data, table);

    const HuxHtmlHelpCall whatsThis = CallOf(kHuxHelpContextMenu);
    EXPECT_EQ(whatsThis.window, sizeLabel);
    EXPECT_EQ(whatsThis.path, popups);
    EXPECT_EQ(whatsThis.data, table);
}

} // namespace
