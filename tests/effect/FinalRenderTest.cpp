// Start and the final render as the host sees them: tiles requested, progress
// reported, cancel and host errors, and what a run leaves behind.
#include "EffectTestSupport.h"

#include "ui/PSPlimStroke.h"

#include <cstring>
#include <stdexcept>

using namespace EffectTest;
using SquelmHost::EventKind;
using SquelmHost::HostEvent;
using SquelmHost::Rect32;

namespace {

// The output requests of a run: advanceState calls with an output rectangle.
std::vector<Rect32> OutputRequests(const SquelmHost::TestHost& host)
{
    std::vector<Rect32> rects;
    for (const HostEvent& e : host.Log().OfKind(EventKind::AdvanceState))
        if (!e.outRect.Empty())
            rects.push_back(e.outRect);
    return rects;
}

std::vector<std::pair<int64_t, int64_t>> ProgressReports(const SquelmHost::TestHost& host)
{
    std::vector<std::pair<int64_t, int64_t>> reports;
    for (const HostEvent& e : host.Log().OfKind(EventKind::Progress))
        reports.emplace_back(e.value, e.value2);
    return reports;
}

PSPlimParameters StoredParameters(const SquelmHost::TestHost& host)
{
    PSPlimParameters p{};
    const std::vector<uint8_t> bytes = host.ParameterBytes();
    EXPECT_EQ(bytes.size(), sizeof p);
    std::memcpy(&p, bytes.data(), std::min(bytes.size(), sizeof p));
    return p;
}

int Confirm(CPSPlimPluginApp&) { return kHuxIdOk; }

} // namespace

TEST(FinalRenderTest, A200By300RectangleIsSixTilesRowByRow)
{
    SquelmHost::TestHost host(Entry());
    host.SetImage(Gradient(200, 300));
    const RunOutcome run = RunWith(host, Confirm);
    ASSERT_TRUE(run.result.Succeeded()) << run.result.result << " " << run.result.hostError;
    const std::vector<Rect32> expected = {{0, 0, 128, 128},   {128, 0, 200, 128},   {0, 128, 128, 256},
                                          {128, 128, 200, 256}, {0, 256, 128, 300}, {128, 256, 200, 300}};
    EXPECT_EQ(OutputRequests(host), expected);
    EXPECT_EQ(ProgressReports(host), (std::vector<std::pair<int64_t, int64_t>>{
                                         {0, 6}, {1, 6}, {2, 6}, {3, 6}, {4, 6}, {5, 6}}));
    for (const HostEvent& e : host.Log().OfKind(EventKind::AdvanceState)) {
        if (e.outRect.Empty())
            continue;
        EXPECT_TRUE(e.inRect.Empty());
        EXPECT_EQ(e.outLoPlane, 0);
        EXPECT_EQ(e.outHiPlane, 2);
        EXPECT_EQ(e.inputRate, 0x10000);
    }
    EXPECT_EQ(run.result.continueCalls, 1);
}

TEST(FinalRenderTest, AFilterRectangleInsideTheImageIsTiledFromItsCorner)
{
    SquelmHost::TestHost host(Entry());
    host.SetImage(Gradient(300, 200));
    host.Options().filterRect = Rect32{10, 20, 150, 160};
    RunWith(host, Confirm);
    const std::vector<Rect32> expected = {{10, 20, 138, 148}, {138, 20, 150, 148}, {10, 148, 138, 160},
                                          {138, 148, 150, 160}};
    EXPECT_EQ(OutputRequests(host), expected);
}

TEST(FinalRenderTest, A128SquareIsOneTileAndOneReport)
{
    SquelmHost::TestHost host(Entry());
    host.SetImage(Gradient(128, 128));
    RunWith(host, Confirm);
    EXPECT_EQ(OutputRequests(host), (std::vector<Rect32>{{0, 0, 128, 128}}));
    EXPECT_EQ(ProgressReports(host), (std::vector<std::pair<int64_t, int64_t>>{{0, 1}}));
}

TEST(FinalRenderTest, AnUndeformedGridWithoutInterpolationGivesTheSourceBack)
{
    SquelmHost::TestHost host(Entry());
    const SquelmHost::RgbImage source = Gradient(150, 140);
    host.SetImage(source);
    const RunOutcome run = RunWith(host, [](CPSPlimPluginApp& app) {
        app.Params()->useInterpolation = 0;
        return kHuxIdOk;
    });
    ASSERT_TRUE(run.result.Succeeded());
    EXPECT_TRUE(SameImage(source, run.image));
}

TEST(FinalRenderTest, CancelDuringTheRenderStopsAfterTheCurrentTile)
{
    SquelmHost::TestHost host(Entry());
    host.SetImage(Gradient(300, 300));
    host.Options().cancelAtAbortPoll = 2;
    host.Options().revertOnFailure = false;
    const RunOutcome run = RunWith(host, Confirm);
    EXPECT_EQ(run.result.result, PS::userCanceledErr);
    EXPECT_EQ(OutputRequests(host).size(), 2u);
    EXPECT_EQ(ProgressReports(host).size(), 1u);
    EXPECT_EQ(host.Log().Count(EventKind::AbortPoll), 2u);
}

TEST(FinalRenderTest, AHostErrorFromAdvanceStateEndsTheRunWithItsCode)
{
    SquelmHost::TestHost host(Entry());
    host.SetImage(Gradient(300, 300));
    host.Options().failAdvanceStateAt = 4;
    host.Options().advanceStateError = -4321;
    const RunOutcome run = RunWith(host, Confirm);
    EXPECT_EQ(run.result.result, -4321);
    EXPECT_EQ(host.CallsAfterAdvanceStateError(), 0);
    EXPECT_EQ(host.Log().Count(EventKind::AdvanceState), 4u);
}

TEST(FinalRenderTest, CancelInTheEditorLeavesTheImageAndKeepsTheSettings)
{
    SquelmHost::TestHost host(Entry());
    const SquelmHost::RgbImage source = Gradient(120, 90);
    host.SetImage(source);
    host.Options().revertOnFailure = false;
    const RunOutcome run = RunWith(host, [](CPSPlimPluginApp& app) {
        app.SetPreviewSize(100, 80);
        PSPlimStroke stroke(app);
        stroke.SetImageRect(app.FilterRect());
        stroke.ButtonDown(PSPlimButton::Left, {60, 45});
        stroke.MouseMove({70, 50});
        stroke.ButtonUp(PSPlimButton::Left);
        app.Params()->toolSize = 0.2;
        app.Params()->rightButtonTool = PSPlimStored(PSPlimTool::Nibble);
        return kHuxIdCancel;
    });
    EXPECT_EQ(run.result.result, PS::userCanceledErr);
    EXPECT_TRUE(SameImage(source, run.image));
    EXPECT_TRUE(OutputRequests(host).empty());
    const PSPlimParameters stored = StoredParameters(host);
    EXPECT_EQ(stored.toolSize, 0.2);
    EXPECT_EQ(stored.rightButtonTool, PSPlimStored(PSPlimTool::Nibble));
}

TEST(FinalRenderTest, WithoutAnEditorStartEndsAsCancelled)
{
    SquelmHost::TestHost host(Entry());
    host.SetImage(Gradient(40, 30));
    TheApp().SetEditor(nullptr);
    const SquelmHost::RunResult result = host.RunFilter();
    EXPECT_EQ(result.result, PS::userCanceledErr);
}

TEST(FinalRenderTest, OkWritesTheGridSizeAndEdgeModeBack)
{
    SquelmHost::TestHost host(Entry());
    host.SetImage(Gradient(64, 48));
    const RunOutcome run = RunWith(host, [](CPSPlimPluginApp& app) {
        app.ResizeGrid(20, 30);
        app.ChangeEdgeMode(PSPlimEdgeMode::Free);
        return kHuxIdOk;
    });
    ASSERT_TRUE(run.result.Succeeded());
    PSPlimParameters stored = StoredParameters(host);
    EXPECT_EQ(stored.pointsAcross, 20);
    EXPECT_EQ(stored.pointsDown, 30);
    EXPECT_EQ(stored.gridEdgeMode, PSPlimStored(PSPlimEdgeMode::Free));

    // The next run starts from the stored size and mode, undeformed.
    RunWith(host, [](CPSPlimPluginApp& app) {
        EXPECT_EQ(app.Grid().PointsAcross(), 20);
        EXPECT_EQ(app.Grid().PointsDown(), 30);
        EXPECT_EQ(app.Grid().EdgeMode(), PSPlimEdgeMode::Free);
        EXPECT_DOUBLE_EQ(app.Grid().Width(), 0.8);
        EXPECT_DOUBLE_EQ(app.Grid().Height(), 0.6);
        return kHuxIdCancel;
    });
}

TEST(FinalRenderTest, EachStartBeginsWithAnEmptyUndoList)
{
    SquelmHost::TestHost host(Entry());
    host.SetImage(Gradient(64, 48));
    RunWith(host, [](CPSPlimPluginApp& app) {
        app.ChangeEdgeMode(PSPlimEdgeMode::Free);
        app.ChangeEdgeMode(PSPlimEdgeMode::Locked);
        app.Undo();
        EXPECT_EQ(app.UndoList().Count(), 2);
        return kHuxIdCancel;
    });
    int countAtStart = -1;
    RunWith(host, [&](CPSPlimPluginApp& app) {
        countAtStart = app.UndoList().Count();
        EXPECT_FALSE(app.CanUndo());
        EXPECT_FALSE(app.CanRedo());
        return kHuxIdCancel;
    });
    EXPECT_EQ(countAtStart, 0);
}

TEST(FinalRenderTest, TheOpenEditorIsForgottenWhenItsRunThrows)
{
    SquelmHost::TestHost host(Entry());
    host.SetImage(Gradient(64, 48));
    PSPlimEditor* seen = nullptr;
    const RunOutcome run = RunWith(host, [&](CPSPlimPluginApp& app) -> int {
        seen = app.OpenEditor();
        throw std::runtime_error("editor failed");
    });
    EXPECT_NE(seen, nullptr);
    EXPECT_EQ(run.result.result, -1);
    EXPECT_EQ(TheApp().OpenEditor(), nullptr);
}
