// The options dialog's values against the real application: what it reads
// when it opens and what OK writes back.
#include "effect/EffectTestSupport.h"

#include "ui/PSPlimOptionsModel.h"

using namespace EffectTest;

namespace {

class OptionsModelTest : public ::testing::Test {
protected:
    OptionsModelTest() : host(Entry()) { host.SetImage(Gradient(60, 40)); }

    void InSession(std::function<void(CPSPlimPluginApp&)> body)
    {
        RunWith(host, [&](CPSPlimPluginApp& app) {
            app.SetPreviewSize(60, 40);
            body(app);
            return kHuxIdCancel;
        });
    }

    SquelmHost::TestHost host;
};

} // namespace

TEST_F(OptionsModelTest, DefaultsOpenWith50By50AndRepeatedEdges)
{
    InSession([](CPSPlimPluginApp& app) {
        const PSPlimOptionsValues values = PSPlimReadOptions(*app.Params(), app.Grid(), app.Document().kind);
        EXPECT_EQ(values.pointsAcross, 50);
        EXPECT_EQ(values.pointsDown, 50);
        EXPECT_EQ(values.edgeFillChoice, 0);
        EXPECT_EQ(values.interpolation, 1);
        EXPECT_EQ(values.knockout, 1);
        EXPECT_EQ(values.gridColour, 200u);
        EXPECT_EQ(values.toolRadiusColour, 0xC80000u);
        EXPECT_EQ(values.knockoutColour, 0xFFFFFFu);
        EXPECT_EQ(values.edgeColour, 0u);
    });
}

// Which stored mode each document opens with, and what choosing
// Transparent (the third button) stores there: only a layer whose
// transparency may change offers it.
TEST_F(OptionsModelTest, TransparentIsOfferedOnlyOnALayerWhoseTransparencyMayChange)
{
    using SquelmHost::Transparency;
    const struct {
        Transparency transparency;
        bool offered;
        int storedTransparentOpensAs;
        int32_t transparentStores;
    } cases[] = {
        {Transparency::None, false, 0, 0},
        {Transparency::Editable, true, 2, 4},
        {Transparency::Protected, false, 0, 0},
    };
    for (const auto& c : cases) {
        SquelmHost::HostImage layer(8, 6, SquelmHost::ColourSpace::RGB, 8, c.transparency);
        host.SetImage(layer);
        InSession([&c](CPSPlimPluginApp& app) {
            // Stored modes 0 to 4, and one out of range.
            const int expected[] = {0, 0, 0, 1, c.storedTransparentOpensAs, 0};
            for (int32_t mode = 0; mode <= 5; ++mode) {
                app.Params()->exposedAreaMode = mode;
                const PSPlimOptionsValues values = PSPlimReadOptions(*app.Params(), app.Grid(), app.Document().kind);
                EXPECT_EQ(values.offersTransparent, c.offered) << int(c.transparency);
                EXPECT_EQ(values.edgeFillChoice, expected[mode]) << int(c.transparency) << " mode " << mode;
            }
            PSPlimOptionsValues values = PSPlimReadOptions(*app.Params(), app.Grid(), app.Document().kind);
            values.edgeFillChoice = 2;
            PSPlimApplyOptions(app, values);
            EXPECT_EQ(app.Params()->exposedAreaMode, c.transparentStores) << int(c.transparency);
        });
    }
}

TEST_F(OptionsModelTest, OkWithTheSameCountsWritesTheValuesAndRecordsNoStep)
{
    InSession([](CPSPlimPluginApp& app) {
        PSPlimOptionsValues values = PSPlimReadOptions(*app.Params(), app.Grid(), app.Document().kind);
        values.gridColour = 0x123456;
        values.toolRadiusColour = 0x654321;
        values.knockout = 0;
        values.knockoutColour = 0x0000FF;
        values.interpolation = 5;
        values.edgeFillChoice = 1;
        values.edgeColour = 0x00FF00;
        PSPlimApplyOptions(app, values);
        const PSPlimParameters& p = *app.Params();
        EXPECT_EQ(p.gridColour, 0x123456u);
        EXPECT_EQ(p.toolRadiusColour, 0x654321u);
        EXPECT_EQ(p.knockout, 0);
        EXPECT_EQ(p.knockoutColour, 0x0000FFu);
        EXPECT_EQ(p.useInterpolation, 1); // any ticked value is stored as 1
        EXPECT_EQ(p.exposedAreaMode, 3);
        EXPECT_EQ(p.exposedAreaColour, 0x00FF00u);
        EXPECT_EQ(app.UndoList().Count(), 0);
        EXPECT_EQ(app.Grid().PointsAcross(), 52);
        // The preview was re-rendered with the new settings: the cache
        // now fills exposed areas with the colour.
        ASSERT_NE(app.TileCache(), nullptr);
        EXPECT_EQ(app.TileCache()->EdgeModeValue(), HuxPSTileCache::kFixedColour);
        EXPECT_EQ(app.TileCache()->EdgeColour(), 0x00FF00u);
    });
}

TEST_F(OptionsModelTest, NoEdgeChoiceRepeatsTheEdgePixels)
{
    InSession([](CPSPlimPluginApp& app) {
        app.Params()->exposedAreaMode = 3;
        PSPlimOptionsValues values = PSPlimReadOptions(*app.Params(), app.Grid(), app.Document().kind);
        values.edgeFillChoice = -1;
        PSPlimApplyOptions(app, values);
        EXPECT_EQ(app.Params()->exposedAreaMode, 0);
    });
}

TEST_F(OptionsModelTest, NewCountsRecordOneResizeStep)
{
    InSession([](CPSPlimPluginApp& app) {
        PSPlimOptionsValues values = PSPlimReadOptions(*app.Params(), app.Grid(), app.Document().kind);
        values.pointsDown = 20;
        PSPlimApplyOptions(app, values);
        ASSERT_EQ(app.UndoList().Count(), 1);
        EXPECT_EQ(app.UndoList().Entry(0).Name(), "Resize grid");
        EXPECT_EQ(app.Grid().PointsAcross(), 52);
        EXPECT_EQ(app.Grid().PointsDown(), 22);
        // Opening again shows the new counts; OK without change adds nothing.
        PSPlimApplyOptions(app, PSPlimReadOptions(*app.Params(), app.Grid(), app.Document().kind));
        EXPECT_EQ(app.UndoList().Count(), 1);
    });
}

TEST_F(OptionsModelTest, TypedCountsBeyondTheBoxesAreClampedByTheApplication)
{
    InSession([](CPSPlimPluginApp& app) {
        PSPlimOptionsValues values = PSPlimReadOptions(*app.Params(), app.Grid(), app.Document().kind);
        values.pointsAcross = 999;
        values.pointsDown = 2147483647;
        PSPlimApplyOptions(app, values);
        EXPECT_EQ(app.Grid().PointsAcross(), 152);
        EXPECT_EQ(app.Grid().PointsDown(), 152);
        EXPECT_EQ(PSPlimReadOptions(*app.Params(), app.Grid(), app.Document().kind).pointsAcross, 150);
        EXPECT_EQ(app.UndoList().Count(), 1);
    });
}
