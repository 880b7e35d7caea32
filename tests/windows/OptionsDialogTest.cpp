// The options dialog inside a filter run of the in-process application,
// driven as a user would: what it shows on opening, typing into the point
// boxes, the spin arrows, the edge colour through the host's picker, the
// radio buttons and check boxes, OK and Cancel, and context help.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "InProcessPlugin.h"
#include "FrameworkTestDialog.h"
#include "HelpCalls.h"
#include "support/HelpRecorder.h"
#include "UserActions.h"
#include "effect/CPSPlimPluginApp.h"
#include "effect/PSPlimEditor.h"
#include "resources/ResourceIds.h"
#include "testhost/TestHost.h"
#include "testhost/win32/WindowCapture.h"
#include "ui/PSPlimDialogModel.h"
#include "ui/PSPlimEditorCommands.h"
#include "ui/win32/PSPlimOptionsDialog.h"

namespace {

using SquelmHost::WindowAutomation;
using namespace UserActions;

constexpr const char* kCaption = "Squelm! Options";
constexpr unsigned kVkReturn = 0x0D;

// The editor of the run: the options dialog alone, with what the
// application held before it opened and after it closed.
class OptionsEditor : public PSPlimEditor {
public:
    INT_PTR result = 0;
    PSPlimParameters before{};
    PSPlimParameters after{};
    std::vector<std::string> stepsAdded;
    int pointsAcross = 0;
    int pointsDown = 0;

    int RunModal(CPSPlimPluginApp& app) override
    {
        before = *app.Params();
        const int32_t steps = app.UndoList().Count();
        PSPlimEditorCommands commands(app);
        PSPlimOptionsDialog dialog(commands, nullptr);
        result = dialog.DoModal();
        after = *app.Params();
        for (int32_t i = steps; i < app.UndoList().Count(); ++i)
            stepsAdded.push_back(app.UndoList().Entry(i).Name());
        pointsAcross = app.Grid().PointsAcross();
        pointsDown = app.Grid().PointsDown();
        return 0; // the run itself is not wanted
    }
};


using Script = std::function<void(const WindowAutomation&, intptr_t dialog)>;

class OptionsDialog : public testing::Test {
protected:
    OptionsDialog()
    {
        plugin_ = std::make_unique<InProcessPlugin>(&editor_);
        app_ = &plugin_->App();
        host_ = &plugin_->Host();
        host_->SetImage(SquelmHost::RgbImage(8, 6, 90));
        SetHelpRecorder([this](const HuxHtmlHelpCall& call) { help_.push_back(call); });
    }
    ~OptionsDialog() override
    {
        SetHelpRecorder({});
    }

    // A filter run whose editor is the options dialog; `script` acts on it
    // and must end it.
    void Run(const Script& script)
    {
        SquelmHost::AutomationThread thread([script] {
            const WindowAutomation automation;
            const intptr_t window = automation.WaitForWindow(WindowAutomation::kDialogClass, kCaption);
            if (!window)
                throw std::runtime_error("the options dialog did not appear");
            try {
                script(automation, window);
            } catch (...) {
                PostMessageA(AsWindow(window), WM_CLOSE, 0, 0);
                throw;
            }
            if (!automation.WaitForClose(window))
                throw std::runtime_error("the options dialog did not close");
        });
        host_->RunFilter();
        thread.Join();
    }

    void AnswerPickerWith(uint16_t red, uint16_t green, uint16_t blue)
    {
        SquelmHost::ColourAnswer& answer = host_->Options().colour;
        answer.red = red;
        answer.green = green;
        answer.blue = blue;
    }

    bool ParametersUnchanged() const
    {
        return std::memcmp(&editor_.before, &editor_.after, sizeof(PSPlimParameters)) == 0;
    }

    OptionsEditor editor_;
    std::vector<HuxHtmlHelpCall> help_;
    std::unique_ptr<InProcessPlugin> plugin_;
    CPSPlimPluginApp* app_ = nullptr;
    SquelmHost::TestHost* host_ = nullptr;
};

// ---- Acting as the user --------------------------------------------------------

// The spin button whose buddy is the box.
intptr_t SpinOf(const WindowAutomation& automation, intptr_t dialog, intptr_t box)
{
    for (const SquelmHost::WindowState& child : automation.Children(dialog))
        if (child.className == UPDOWN_CLASSA &&
            FrameworkTest::Ask(child.handle, UDM_GETBUDDY) == static_cast<LRESULT>(box))
            return child.handle;
    throw std::runtime_error("the box has no spin");
}

// ---- What it shows -------------------------------------------------------------

TEST_F(OptionsDialog, OpensWithTheDefaultParametersAndCancelChangesNothing)
{
    std::vector<SquelmHost::WindowState> shown;
    bool gridRed = false, toolBlue = false, knockoutWhite = false;
    Run([&](const WindowAutomation& automation, intptr_t dialog) {
        for (const int id : {IDC_POINTS_ACROSS, IDC_POINTS_DOWN, IDC_REPEAT_EDGE_PIXELS, IDC_USE_EDGE_COLOUR,
                             IDC_INTERPOLATION, IDC_KNOCKOUT})
            shown.push_back(automation.Describe(automation.Control(dialog, id)));
        gridRed = ShowsColour(automation.Control(dialog, IDC_GRID_COLOUR), RGB(200, 0, 0));
        toolBlue = ShowsColour(automation.Control(dialog, IDC_TOOL_COLOUR), RGB(0, 0, 200));
        knockoutWhite = ShowsColour(automation.Control(dialog, IDC_KNOCKOUT_COLOUR), RGB(255, 255, 255));
        SquelmHost::SaveWindowPng(dialog, "options-dialog.png");
        ClickButton(automation, dialog, IDCANCEL);
    });
    ASSERT_EQ(shown.size(), 6u);
    EXPECT_EQ(shown[0].text, "50");
    EXPECT_EQ(shown[1].text, "50");
    EXPECT_EQ(shown[2].checkState, 1) << "Repeat edge pixels";
    EXPECT_EQ(shown[3].checkState, 0) << "Use this colour";
    EXPECT_EQ(shown[4].checkState, 1) << "Use interpolation";
    EXPECT_EQ(shown[5].checkState, 1) << "Knockout non-selected areas";
    EXPECT_TRUE(gridRed);
    EXPECT_TRUE(toolBlue);
    EXPECT_TRUE(knockoutWhite);

    EXPECT_EQ(editor_.result, IDCANCEL);
    EXPECT_TRUE(ParametersUnchanged());
    EXPECT_TRUE(editor_.stepsAdded.empty());
    EXPECT_EQ(editor_.pointsAcross, 52);
    EXPECT_EQ(editor_.pointsDown, 52);
}

// ---- Grid size -------------------------------------------------------------------

TEST_F(OptionsDialog, OkWithTheSameCountsRecordsNoStep)
{
    Run([](const WindowAutomation& automation, intptr_t dialog) {
        // Typed, but the same number.
        TypeInto(automation, automation.Control(dialog, IDC_POINTS_DOWN), "50");
        ClickButton(automation, dialog, IDOK);
    });
    EXPECT_EQ(editor_.result, IDOK);
    EXPECT_TRUE(editor_.stepsAdded.empty());
    EXPECT_EQ(editor_.pointsAcross, 52);
    EXPECT_EQ(editor_.pointsDown, 52);
}

TEST_F(OptionsDialog, ChangedCountsResizeTheGridInOneStep)
{
    Run([](const WindowAutomation& automation, intptr_t dialog) {
        TypeInto(automation, automation.Control(dialog, IDC_POINTS_ACROSS), "12");
        TypeInto(automation, automation.Control(dialog, IDC_POINTS_DOWN), "7");
        ClickButton(automation, dialog, IDOK);
    });
    EXPECT_EQ(editor_.result, IDOK);
    EXPECT_EQ(editor_.stepsAdded, std::vector<std::string>{"Resize grid"});
    EXPECT_EQ(editor_.pointsAcross, 14);
    EXPECT_EQ(editor_.pointsDown, 9);
}

TEST_F(OptionsDialog, TooLargeACountEnteredWithEnterIsClampedByTheResize)
{
    Run([](const WindowAutomation& automation, intptr_t dialog) {
        const intptr_t across = automation.Control(dialog, IDC_POINTS_ACROSS);
        TypeInto(automation, across, "999");
        automation.Key(across, kVkReturn);
    });
    EXPECT_EQ(editor_.result, IDOK);
    EXPECT_EQ(editor_.stepsAdded, std::vector<std::string>{"Resize grid"});
    EXPECT_EQ(editor_.pointsAcross, 152);
    EXPECT_EQ(editor_.pointsDown, 52);
}

TEST_F(OptionsDialog, SpinArrowsStepTheBoxAndAnEmptiedBoxStepsToTheMinimum)
{
    std::string stepped, fromEmpty;
    Run([&](const WindowAutomation& automation, intptr_t dialog) {
        const intptr_t across = automation.Control(dialog, IDC_POINTS_ACROSS);
        const intptr_t down = automation.Control(dialog, IDC_POINTS_DOWN);
        // Each box has a spin of its own: the down arrow of Across's.
        const intptr_t acrossSpin = SpinOf(automation, dialog, across);
        RECT client{};
        GetClientRect(AsWindow(acrossSpin), &client);
        automation.Click(acrossSpin, client.right / 2, client.bottom * 3 / 4);
        stepped = TextOnceItReads(automation, across, "49");

        TypeInto(automation, down, "\b");
        const intptr_t downSpin = SpinOf(automation, dialog, down);
        automation.Click(downSpin, client.right / 2, client.bottom / 4);
        fromEmpty = TextOnceItReads(automation, down, "3");
        ClickButton(automation, dialog, IDOK);
    });
    EXPECT_EQ(stepped, "49");
    EXPECT_EQ(fromEmpty, "3");
    EXPECT_EQ(editor_.stepsAdded, std::vector<std::string>{"Resize grid"});
    EXPECT_EQ(editor_.pointsAcross, 51);
    EXPECT_EQ(editor_.pointsDown, 5);
}

// ---- Colours and choices ---------------------------------------------------------

TEST_F(OptionsDialog, APickedEdgeColourIsShownButCancelKeepsTheParameters)
{
    AnswerPickerWith(0x10, 0x80, 0xF0);
    bool shown = false;
    Run([&](const WindowAutomation& automation, intptr_t dialog) {
        const intptr_t edge = automation.Control(dialog, IDC_EDGE_COLOUR);
        ClickCentre(automation, edge);
        shown = ShowsColour(edge, RGB(0x10, 0x80, 0xF0));
        ClickButton(automation, dialog, IDCANCEL);
    });
    EXPECT_TRUE(shown);
    EXPECT_EQ(editor_.result, IDCANCEL);
    EXPECT_TRUE(ParametersUnchanged());
}

TEST_F(OptionsDialog, OkStoresTheColourTheChoicesAndTheTicks)
{
    AnswerPickerWith(0x10, 0x80, 0xF0);
    Run([&](const WindowAutomation& automation, intptr_t dialog) {
        const intptr_t edge = automation.Control(dialog, IDC_EDGE_COLOUR);
        ClickCentre(automation, edge);
        if (!ShowsColour(edge, RGB(0x10, 0x80, 0xF0)))
            throw std::runtime_error("the picked colour did not show");
        ClickButton(automation, dialog, IDC_USE_EDGE_COLOUR);
        ClickButton(automation, dialog, IDC_INTERPOLATION);
        ClickButton(automation, dialog, IDOK);
    });
    EXPECT_EQ(editor_.result, IDOK);
    const PSPlimParameters& after = editor_.after;
    EXPECT_EQ(after.exposedAreaColour, RGB(0x10, 0x80, 0xF0));
    EXPECT_EQ(after.exposedAreaMode, 3);
    EXPECT_EQ(after.useInterpolation, 0);
    EXPECT_EQ(after.knockout, 1);
    EXPECT_EQ(after.gridColour, editor_.before.gridColour);
    EXPECT_EQ(after.toolRadiusColour, editor_.before.toolRadiusColour);
    EXPECT_EQ(after.knockoutColour, editor_.before.knockoutColour);
    EXPECT_TRUE(editor_.stepsAdded.empty());
}

// Transparent is offered, and stored as 4, only on a layer whose
// transparency may change; elsewhere its button is hidden and a stored
// Transparent opens as Repeat edge pixels. Each run keeps the last one's
// record.
TEST_F(OptionsDialog, TransparentIsOfferedOnlyOnALayerWhoseTransparencyMayChange)
{
    using SquelmHost::Transparency;
    const struct {
        Transparency transparency;
        int opensWith; // the checked button: 0 repeat edge pixels, 2 transparent
    } runs[] = {{Transparency::None, 0}, {Transparency::Editable, 0}, {Transparency::Editable, 2},
                {Transparency::Protected, 0}};
    for (const auto& run : runs) {
        host_->SetImage(SquelmHost::HostImage(8, 6, SquelmHost::ColourSpace::RGB, 8, run.transparency));
        bool offered = false;
        int opensWith = -1;
        Run([&](const WindowAutomation& automation, intptr_t dialog) {
            const SquelmHost::WindowState transparent = automation.Describe(automation.Control(dialog, IDC_TRANSPARENT_EDGE));
            offered = transparent.visible;
            opensWith = transparent.checkState == 1                                                             ? 2
                        : automation.Describe(automation.Control(dialog, IDC_REPEAT_EDGE_PIXELS)).checkState == 1 ? 0
                                                                                                                 : -1;
            if (offered)
                ClickButton(automation, dialog, IDC_TRANSPARENT_EDGE);
            ClickButton(automation, dialog, IDOK);
        });
        const bool editable = run.transparency == Transparency::Editable;
        EXPECT_EQ(offered, editable) << int(run.transparency);
        EXPECT_EQ(opensWith, run.opensWith) << int(run.transparency);
        EXPECT_EQ(editor_.after.exposedAreaMode, editable ? 4 : 0) << int(run.transparency);
    }
}

// ---- Help ------------------------------------------------------------------------

TEST_F(OptionsDialog, HelpButtonF1AndWhatsThisShowThisDialogsTopics)
{
    intptr_t across = 0, downLabel = 0;
    bool menuShown = false;
    Run([&](const WindowAutomation& automation, intptr_t dialog) {
        ClickButton(automation, dialog, IDC_HELP_BUTTON);

        across = automation.Control(dialog, IDC_POINTS_ACROSS);
        automation.Click(across, 3, 3);
        PressF1On(across);

        downLabel = automation.Control(dialog, IDC_POINTS_DOWN_LABEL);
        ClickCentre(automation, downLabel, SquelmHost::MouseButton::Right);
        menuShown = HelpCalls::ChooseWhatsThis(automation);
        ClickButton(automation, dialog, IDCANCEL);
    });
    EXPECT_TRUE(menuShown);
    HelpCalls::ExpectDialogHelp(help_,
                                {app_->GetHelpFilePath(), kPSPlimOptionsWelcomeTopic, kPSPlimOptionsPopupFile,
                                 kPSPlimOptionsHelpIds.data()},
                                across, downLabel);
}

} // namespace
