// The output preview while the editor is open: size and scale, the three
// render variants, partial updates after edits, and the tile cache rule.
#include "EffectTestSupport.h"

#include "ui/PSPlimStroke.h"

#include <vector>

using namespace EffectTest;
using HuxGeometry::HuxPoint2D;

namespace {

// Where two previews differ first, for the failure message.
::testing::AssertionResult SamePreview(const std::vector<uint8_t>& expected, const std::vector<uint8_t>& actual,
                                       int width)
{
    if (expected.size() != actual.size())
        return ::testing::AssertionFailure() << "sizes " << expected.size() << " and " << actual.size();
    long differing = 0;
    size_t first = 0;
    for (size_t i = 0; i < expected.size(); ++i)
        if (expected[i] != actual[i] && differing++ == 0)
            first = i;
    if (differing == 0)
        return ::testing::AssertionSuccess();
    const size_t pixel = first / 3;
    return ::testing::AssertionFailure() << differing << " bytes differ, first at (" << pixel % size_t(width) << ", "
                                         << pixel / size_t(width) << ")";
}

// What the full rebuild of the current preview gives.
std::vector<uint8_t> Rebuilt(CPSPlimPluginApp& app)
{
    app.BuildOutputPreview();
    return PreviewBytes(app);
}

} // namespace

TEST(OutputPreviewTest, AnUndeformedPreviewAtOneToOneIsTheSourceInDisplayOrder)
{
    SquelmHost::TestHost host(Entry());
    const SquelmHost::RgbImage source = Gradient(120, 80);
    host.SetImage(source);
    RunWith(host, [&](CPSPlimPluginApp& app) {
        app.Params()->useInterpolation = 0;
        app.SetPreviewSize(640, 480); // magnifying fit level: read at 1:1
        HuxImage2* preview = app.GetOutputPreview();
        EXPECT_NE(preview, nullptr);
        if (!preview)
            return kHuxIdCancel;
        EXPECT_EQ(preview->Width(), 120);
        EXPECT_EQ(preview->AbsHeight(), 80);
        long wrong = 0;
        for (int y = 0; y < 80; ++y)
            for (int x = 0; x < 120; ++x) {
                const uint8_t* p = preview->PixelAddress(x, y);
                const uint8_t* s = source.At(x, y);
                wrong += p[0] != s[2] || p[1] != s[1] || p[2] != s[0];
            }
        EXPECT_EQ(wrong, 0);
        EXPECT_EQ(app.TileCache()->Scale(), 1);
        EXPECT_EQ(app.TileCache()->ChannelOrderValue(), HuxPSTileCache::kSwappedOrder);
        return kHuxIdCancel;
    });
}

TEST(OutputPreviewTest, AReducedPreviewHasTheScaledViewsSize)
{
    SquelmHost::TestHost host(Entry());
    host.SetImage(Photo());
    RunWith(host, [&](CPSPlimPluginApp& app) {
        app.SetPreviewSize(320, 240); // 600 x 400 fits at 1:2
        EXPECT_EQ(app.GetZoomLevel(), 2);
        EXPECT_EQ(app.GetOutputPreview()->Width(), 300);
        EXPECT_EQ(app.GetOutputPreview()->AbsHeight(), 200);
        EXPECT_EQ(app.TileCache()->Scale(), 2);
        // Zooming in renders a new preview of the new view.
        app.ZoomIn();
        EXPECT_EQ(app.GetOutputPreview()->Width(), 320);
        EXPECT_EQ(app.GetOutputPreview()->AbsHeight(), 240);
        EXPECT_EQ(app.TileCache()->Scale(), 1);
        return kHuxIdCancel;
    });
}

TEST(OutputPreviewTest, UpdatesAfterEditsMatchAFullRebuild)
{
    SquelmHost::TestHost host(Entry());
    host.SetImage(Photo());
    RunWith(host, [&](CPSPlimPluginApp& app) {
        for (int level : {2, 1}) {
            app.SetPreviewSize(600 / level, 400 / level);
            EXPECT_EQ(app.GetZoomLevel(), level);
            const int width = app.GetOutputPreview()->Width();
            app.Params()->leftButtonTool = PSPlimStored(PSPlimTool::Squelm);
            Drag(app, PSPlimButton::Left, {{300, 200}, {320, 210}, {345, 215}, {360, 230}});
            EXPECT_TRUE(SamePreview(Rebuilt(app), PreviewBytes(app), width)) << "push at level " << level;
            app.Params()->leftButtonTool = PSPlimStored(PSPlimTool::Boggle);
            Drag(app, PSPlimButton::Left, {{100, 100}, {110, 100}, {110, 110}, {100, 110}});
            EXPECT_TRUE(SamePreview(Rebuilt(app), PreviewBytes(app), width)) << "bulge at level " << level;
            app.ChangeEdgeMode(PSPlimEdgeMode::Free);
            app.Params()->leftButtonTool = PSPlimStored(PSPlimTool::Squelm);
            Drag(app, PSPlimButton::Left, {{590, 390}, {560, 370}});
            EXPECT_TRUE(SamePreview(Rebuilt(app), PreviewBytes(app), width)) << "free edge at level " << level;
            app.Undo();
            EXPECT_TRUE(SamePreview(Rebuilt(app), PreviewBytes(app), width)) << "undo at level " << level;
        }
        return kHuxIdCancel;
    });
}

TEST(OutputPreviewTest, ScrollingRendersOnlyTheExposedStripAndMatchesARebuild)
{
    SquelmHost::TestHost host(Entry());
    host.SetImage(Photo());
    RunWith(host, [&](CPSPlimPluginApp& app) {
        app.SetPreviewSize(300, 200);
        Drag(app, PSPlimButton::Left, {{300, 200}, {330, 220}});
        app.ZoomIn();
        app.ZoomIn();
        const int width = app.GetOutputPreview()->Width();
        app.ScrollView(37, -23);
        EXPECT_TRUE(SamePreview(Rebuilt(app), PreviewBytes(app), width));
        app.ScrollView(-80, 60);
        EXPECT_TRUE(SamePreview(Rebuilt(app), PreviewBytes(app), width));
        return kHuxIdCancel;
    });
}

TEST(OutputPreviewTest, UnselectedPixelsAreCopiedOrKnockedOut)
{
    SquelmHost::TestHost host(Entry());
    const SquelmHost::RgbImage source = Gradient(64, 48);
    host.SetImage(source);
    // Two selected bands at the sides, so that the selection's bounds (the
    // filter rectangle) are the whole image and its middle is unselected.
    SquelmHost::GreyImage mask(64, 48, 0);
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 64; ++x)
            mask.At(x, y) = x < 20 || x >= 44 ? 255 : 0;
    host.SetMask(mask);
    RunWith(host, [&](CPSPlimPluginApp& app) {
        app.Params()->useInterpolation = 0;
        app.Params()->knockoutColour = 0x00FF8040; // red 0x40, green 0x80, blue 0xFF
        for (bool knockout : {true, false}) {
            app.Params()->knockout = knockout;
            app.SetPreviewSize(64, 48);
            // Push everything right so that selected pixels change.
            app.Params()->toolSize = 0.25;
            app.Params()->toolPower = 1.0;
            Drag(app, PSPlimButton::Left, {{10, 24}, {30, 24}});
            HuxImage2* preview = app.GetOutputPreview();
            EXPECT_EQ(preview->Width(), 64);
            EXPECT_EQ(preview->AbsHeight(), 48);
            if (preview->Width() != 64 || preview->AbsHeight() != 48)
                return kHuxIdCancel;
            long wrongUnselected = 0;
            long changedSelected = 0;
            for (int y = 0; y < 48; ++y)
                for (int x = 0; x < 64; ++x) {
                    const uint8_t* p = preview->PixelAddress(x, y);
                    const uint8_t* s = source.At(x, y);
                    if (mask.At(x, y)) {
                        changedSelected += p[0] != s[2] || p[1] != s[1] || p[2] != s[0];
                        continue;
                    }
                    const uint8_t expected[3] = {
                        uint8_t(knockout ? (0xFF + s[2]) >> 1 : s[2]), uint8_t(knockout ? (0x80 + s[1]) >> 1 : s[1]),
                        uint8_t(knockout ? (0x40 + s[0]) >> 1 : s[0])};
                    wrongUnselected += p[0] != expected[0] || p[1] != expected[1] || p[2] != expected[2];
                }
            EXPECT_EQ(wrongUnselected, 0) << "knockout " << knockout;
            EXPECT_GT(changedSelected, 0) << "knockout " << knockout;
            app.Undo();
        }
        return kHuxIdCancel;
    });
}

TEST(OutputPreviewTest, TheTileCacheIsKeptUntilItsSettingsChange)
{
    SquelmHost::TestHost host(Entry());
    host.SetImage(Gradient(200, 150));
    RunWith(host, [&](CPSPlimPluginApp& app) {
        app.SetPreviewSize(200, 150);
        const int64_t loads = app.TileCache()->LoadCount();
        EXPECT_GT(loads, 0);
        app.BuildOutputPreview();
        EXPECT_EQ(app.TileCache()->LoadCount(), loads);
        // The exposed-area colour matters only for the fixed-colour mode.
        app.Params()->exposedAreaColour = 0x123456;
        app.BuildOutputPreview();
        EXPECT_EQ(app.TileCache()->LoadCount(), loads);
        app.Params()->exposedAreaMode = HuxPSTileCache::kFixedColour;
        app.BuildOutputPreview();
        EXPECT_EQ(app.TileCache()->EdgeModeValue(), HuxPSTileCache::kFixedColour);
        EXPECT_EQ(app.TileCache()->EdgeColour(), 0x123456u);
        EXPECT_EQ(app.TileCache()->LoadCount(), loads);
        const int64_t fixedLoads = app.TileCache()->LoadCount();
        app.Params()->exposedAreaColour = 0x654321;
        app.BuildOutputPreview();
        EXPECT_EQ(app.TileCache()->EdgeColour(), 0x654321u);
        EXPECT_EQ(app.TileCache()->LoadCount(), fixedLoads);
        return kHuxIdOk;
    });
    // The final render reads at full size in the host's channel order.
    EXPECT_EQ(TheApp().TileCache()->Scale(), 1);
    EXPECT_EQ(TheApp().TileCache()->ChannelOrderValue(), HuxPSTileCache::kHostOrder);
}

TEST(OutputPreviewTest, APreviewFromAnEarlierRunIsNotReusedForAnotherImage)
{
    SquelmHost::TestHost first(Entry());
    first.SetImage(Gradient(100, 80));
    RunWith(first, [](CPSPlimPluginApp& app) {
        app.SetPreviewSize(100, 80);
        return kHuxIdCancel;
    });
    SquelmHost::TestHost second(Entry());
    SquelmHost::RgbImage other(100, 80, 0);
    other.Set(99, 79, 10, 20, 30);
    second.SetImage(other);
    RunWith(second, [](CPSPlimPluginApp& app) {
        app.Params()->useInterpolation = 0;
        app.SetPreviewSize(100, 80);
        const uint8_t* corner = app.GetOutputPreview()->PixelAddress(99, 79);
        EXPECT_EQ(corner[0], 30);
        EXPECT_EQ(corner[2], 10);
        EXPECT_EQ(app.GetOutputPreview()->PixelAddress(0, 0)[1], 0);
        return kHuxIdCancel;
    });
}

TEST(OutputPreviewTest, EveryMoveOfAStrokeLeavesThePreviewAsAFullRebuildWouldShowIt)
{
    SquelmHost::TestHost host(Entry());
    host.SetImage(Photo());
    RunWith(host, [&](CPSPlimPluginApp& app) {
        app.SetPreviewSize(300, 200);
        const int width = app.GetOutputPreview()->Width();
        const struct {
            PSPlimTool tool;
            double power;
        } tools[] = {{PSPlimTool::Squelm, 1.0}, {PSPlimTool::Boggle, 1.0}, {PSPlimTool::Nibble, 1.0}, {PSPlimTool::Mellow, 1.0}};
        for (const auto& t : tools) {
            app.Params()->leftButtonTool = PSPlimStored(t.tool);
            app.Params()->toolPower = t.power;
            app.Params()->toolSize = 0.05;
            PSPlimStroke stroke(app);
            stroke.SetImageRect(app.FilterRect());
            stroke.ButtonDown(PSPlimButton::Left, {200, 150});
            for (int i = 1; i <= 6; ++i) {
                stroke.MouseMove({200.0 + 9 * i, 150.0 + 4 * i});
                const std::vector<uint8_t> partial = PreviewBytes(app);
                EXPECT_TRUE(SamePreview(Rebuilt(app), partial, width)) << "tool " << PSPlimStored(t.tool) << ", move " << i;
            }
            stroke.ButtonUp(PSPlimButton::Left);
        }
        return kHuxIdCancel;
    });
}
