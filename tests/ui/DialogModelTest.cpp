// The editor dialog's decisions: tool boxes, sliders, toolbar and zoom
// button states, tooltips and help tables.
#include "effect/EffectTestSupport.h"

#include "EditorStrings.h"
#include "ui/PSPlimDialogModel.h"
#include "ui/PSPlimStroke.h"

#include <map>

using namespace EffectTest;

namespace {

// The string resources, as Editor.rc writes them.
std::string FromTable(int id)
{
    for (const auto& [stringId, text] : kEditorStrings)
        if (stringId == id)
            return text;
    return {};
}

PSPlimTooltip TipFor(int id)
{
    return PSPlimTooltipFor(id, FromTable);
}

} // namespace

TEST(DialogModelTest, ToolBoxesListTheToolsInTheirOrderAndFindEachTool)
{
    const std::vector<std::string> names = {"Squelm", "Boggle", "Nibble", "Stabilise", "Mellow", "Revert"};
    for (size_t i = 0; i < names.size(); ++i)
        EXPECT_EQ(kPSPlimToolTable[i].name, names[i]);
    // The defaults select Squelm on the left and Mellow on the right.
    EXPECT_EQ(PSPlimToolBoxIndex(PSPlimStored(PSPlimTool::Squelm)), 0);
    EXPECT_EQ(PSPlimToolBoxIndex(PSPlimStored(PSPlimTool::Mellow)), 4);
    EXPECT_EQ(PSPlimToolBoxIndex(PSPlimStored(PSPlimTool::Nibble)), 2);
    EXPECT_EQ(PSPlimToolBoxIndex(PSPlimStored(PSPlimTool::Revert)), 5);
    // Each row's image and string belong to its tool.
    EXPECT_EQ(kPSPlimToolTable[1].toolId, PSPlimStored(PSPlimTool::Boggle));
    EXPECT_EQ(kPSPlimToolTable[1].stringId, 102);
    EXPECT_EQ(kPSPlimToolTable[5].imageIndex, 4);
    // A stored id that matches no row selects nothing.
    EXPECT_FALSE(PSPlimToolBoxIndex(6));
    EXPECT_FALSE(PSPlimToolBoxIndex(-1));
}

TEST(DialogModelTest, SlidersShowTheDefaultsAt37And15)
{
    EXPECT_EQ(PSPlimSizeSliderPosition(0.1), 37);
    EXPECT_EQ(PSPlimPowerSliderPosition(0.2), 15);
    EXPECT_EQ(PSPlimSizeSliderPosition(0.01), 0);
    EXPECT_EQ(PSPlimSizeSliderPosition(0.25), 100);
    EXPECT_EQ(PSPlimPowerSliderPosition(1.0), 100);
    // A value beyond the range stays on the slider.
    EXPECT_EQ(PSPlimSizeSliderPosition(0.5), 100);
    EXPECT_EQ(PSPlimPowerSliderPosition(0.0), 0);
}

TEST(DialogModelTest, AValueASliderWroteReopensAtItsOwnStep)
{
    for (int position = 0; position <= kPSPlimSliderSteps; ++position) {
        EXPECT_EQ(PSPlimSizeSliderPosition(PSPlimToolSizeAt(position)), position);
        EXPECT_EQ(PSPlimPowerSliderPosition(PSPlimToolPowerAt(position)), position);
    }
    // Between steps the thumb still goes to the step below.
    EXPECT_EQ(PSPlimSizeSliderPosition(PSPlimToolSizeAt(6) - 1e-9), 5);
    EXPECT_EQ(PSPlimPowerSliderPosition(PSPlimToolPowerAt(24) + 1e-9), 24);
}

TEST(DialogModelTest, EverySliderMessageWritesBothValues)
{
    PSPlimParameters params{};
    PSPlimSetDefaultParameters(params);
    PSPlimApplySliders(params, 50, 50);
    EXPECT_NEAR(params.toolSize, 0.13, 1e-15);
    EXPECT_NEAR(params.toolPower, 0.525, 1e-15);
    PSPlimApplySliders(params, 100, 0);
    EXPECT_EQ(params.toolSize, 0.25);
    EXPECT_EQ(params.toolPower, 0.05);
    // Moving the power slider rewrites the default size from its position.
    PSPlimSetDefaultParameters(params);
    PSPlimApplySliders(params, PSPlimSizeSliderPosition(params.toolSize), 60);
    EXPECT_NEAR(params.toolSize, 0.0988, 1e-15);
    EXPECT_NEAR(params.toolPower, 0.62, 1e-15);
}

TEST(DialogModelTest, OnlyTheSizeSlidersThumbDragTracksTheSize)
{
    EXPECT_EQ(PSPlimSizeTrackingFor(PSPlimIds::kSizeSlider, 5), true);
    EXPECT_EQ(PSPlimSizeTrackingFor(PSPlimIds::kSizeSlider, 8), false);
    EXPECT_FALSE(PSPlimSizeTrackingFor(PSPlimIds::kSizeSlider, 1));
    EXPECT_FALSE(PSPlimSizeTrackingFor(PSPlimIds::kPowerSlider, 5));
}

TEST(DialogModelTest, ToolbarButtonsFollowTheEditorsState)
{
    PSPlimEditorState state;
    state.canRedo = true;
    state.showGrid = true;
    state.pressureControlsPower = true;
    state.edgeMode = PSPlimEdgeMode::Locked;
    const std::map<int, PSPlimCommandState> expected = {
        {PSPlimIds::kUndo, {false, false}},       {PSPlimIds::kRedo, {true, false}},
        {PSPlimIds::kToggleGrid, {true, true}},   {PSPlimIds::kShowToolRadius, {true, false}},
        {PSPlimIds::kPressureControlsPower, {true, true}},
        {PSPlimIds::kFixedEdge, {true, false}},   {PSPlimIds::kLockedEdge, {true, true}},
        {PSPlimIds::kFreeEdge, {true, false}},    {PSPlimIds::kOptions, {true, false}},
        {PSPlimIds::kSaveMesh, {true, false}},    {PSPlimIds::kLoadMesh, {true, false}},
        {PSPlimIds::kLoadLastMesh, {false, false}},
    };
    for (int command : kPSPlimToolbarLayout) {
        if (command != 0) {
            EXPECT_EQ(PSPlimToolbarCommandState(command, state), expected.at(command)) << command;
        }
    }
    // A button without a handler is disabled.
    EXPECT_EQ(PSPlimToolbarCommandState(32777, state), (PSPlimCommandState{false, false}));
}

TEST(DialogModelTest, TheToolbarStateIsReadFromTheApplication)
{
    SquelmHost::TestHost host(Entry());
    host.SetImage(Gradient(60, 40));
    RunWith(host, [](CPSPlimPluginApp& app) {
        app.SetPreviewSize(60, 40);
        PSPlimEditorState state = PSPlimEditorStateOf(app, false, false);
        EXPECT_FALSE(state.canUndo);
        EXPECT_FALSE(state.showGrid);
        EXPECT_TRUE(state.showToolRadius);
        EXPECT_EQ(state.edgeMode, PSPlimEdgeMode::Fixed);
        app.ChangeEdgeMode(PSPlimEdgeMode::Free);
        app.Params()->showGrid = 7;
        state = PSPlimEditorStateOf(app, false, false);
        EXPECT_TRUE(state.showGrid);
        EXPECT_EQ(PSPlimToolbarCommandState(PSPlimIds::kFreeEdge, state), (PSPlimCommandState{true, true}));
        EXPECT_EQ(PSPlimToolbarCommandState(PSPlimIds::kUndo, state).enabled, app.CanUndo());
        return kHuxIdCancel;
    });
}

TEST(DialogModelTest, ZoomButtonsFollowTheZoomLimits)
{
    EXPECT_EQ(PSPlimZoomButtonsFor(true, false), (PSPlimZoomButtons{true, false, false}));
    EXPECT_EQ(PSPlimZoomButtonsFor(false, true), (PSPlimZoomButtons{false, true, true}));
}

TEST(DialogModelTest, TooltipsShowTheTipAfterTheNewline)
{
    PSPlimTooltip tip = TipFor(PSPlimIds::kUndo);
    EXPECT_EQ(tip.kind, PSPlimTooltip::Kind::Text);
    EXPECT_EQ(tip.text, "Undo Stroke (Ctrl+Z)");
    EXPECT_EQ(TipFor(PSPlimIds::kOptions).text, "Options");
    EXPECT_EQ(TipFor(PSPlimIds::kFixedEdge).text, "Fixed Edge");
    // Controls without strings get none.
    EXPECT_EQ(TipFor(9011).kind, PSPlimTooltip::Kind::None);
    // A string without a newline gives no tooltip.
    const auto noNewline = [](int) { return std::string("Just a prompt"); };
    EXPECT_EQ(PSPlimTooltipFor(PSPlimIds::kRedo, noNewline).kind, PSPlimTooltip::Kind::None);
    // Only the first newline splits; the buffer holds 79 characters.
    const auto longTip = [](int) { return "a\nb\n" + std::string(100, 'x'); };
    tip = PSPlimTooltipFor(PSPlimIds::kRedo, longTip);
    EXPECT_EQ(tip.text.size(), 79u);
    EXPECT_EQ(tip.text.substr(0, 3), "b\nx");
}

TEST(DialogModelTest, ZoomButtonsAnswerWithTheirWholeString)
{
    PSPlimTooltip tip = TipFor(PSPlimIds::kZoomOut);
    EXPECT_EQ(tip.kind, PSPlimTooltip::Kind::StringId);
    EXPECT_EQ(tip.stringId, PSPlimIds::kZoomOutString);
    EXPECT_EQ(TipFor(PSPlimIds::kLocator).stringId, 150);
    EXPECT_EQ(TipFor(PSPlimIds::kZoomIn).stringId, 151);
    EXPECT_EQ(FromTable(151), "Zoom In (Ctrl+=)");
}

TEST(DialogModelTest, HelpTablesGiveEachControlItsTopic)
{
    EXPECT_EQ(PSPlimHelpTopic(kPSPlimDialogHelpIds.data(), 9013), 9004u); // the "Tool Size:" label
    EXPECT_EQ(PSPlimHelpTopic(kPSPlimDialogHelpIds.data(), 9004), 9004u);
    EXPECT_EQ(PSPlimHelpTopic(kPSPlimDialogHelpIds.data(), PSPlimIds::kEditorControl), 9003u);
    EXPECT_FALSE(PSPlimHelpTopic(kPSPlimDialogHelpIds.data(), 9002));
    EXPECT_EQ(PSPlimHelpTopic(kPSPlimOptionsHelpIds.data(), 9029), 9015u); // "Points &Across:"
    EXPECT_EQ(PSPlimHelpTopic(kPSPlimOptionsHelpIds.data(), 9011), 9011u);
    EXPECT_FALSE(PSPlimHelpTopic(kPSPlimOptionsHelpIds.data(), 9007));
    // Both tables end with the pair of zeros that HTML Help looks for.
    EXPECT_EQ(kPSPlimDialogHelpIds.back().control + kPSPlimDialogHelpIds.back().topic, 0u);
    EXPECT_EQ(kPSPlimOptionsHelpIds.back().control + kPSPlimOptionsHelpIds.back().topic, 0u);
    EXPECT_STREQ(kPSPlimDialogWelcomeTopic, "::/Squelm/Welcome.htm");
    EXPECT_STREQ(kPSPlimOptionsPopupFile, "::/Text/SquelmOptionsDialog.txt");
}
