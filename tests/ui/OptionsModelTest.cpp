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
        const PSPlimOptionsValues values = PSPlimReadOptions(*app.Params(), app.Grid());
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

TEST_F(OptionsModelTest, OnlyTheFixedColourModeChoosesTheColour)
{
    InSession([](CPSPlimPluginApp& app) {
        for (int32_t mode : {0, 1, 2, 3}) {
            app.Params()->exposedAreaMode = mode;
            EXPECT_EQ(PSPlimReadOptions(*app.Params(), app.Grid()).edgeFillChoice, mode == 3 ? 1 : 0) << mode;
        }
    });
}

TEST_F(OptionsModelTest, OkWithTheSameCountsWritesTheValuesAndRecordsNoStep)
{
    InSession([](CPSPlimPluginApp& app) {
        PSPlimOptionsValues values = PSPlimReadOptions(*app.Params(), app.Grid());
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
        PSPlimOptionsValues values = PSPlimReadOptions(*app.Params(), app.Grid());
        values.edgeFillChoice = -1;
        PSPlimApplyOptions(app, values);
        EXPECT_EQ(app.Params()->exposedAreaMode, 0);
    });
}

TEST_F(OptionsModelTest, NewCountsRecordOneResizeStep)
{
    InSession([](CPSPlimPluginApp& app) {
        PSPlimOptionsValues values = PSPlimReadOptions(*app.Params(), app.Grid());
        values.pointsDown = 20;
        PSPlimApplyOptions(app, values);
        ASSERT_EQ(app.UndoList().Count(), 1);
        EXPECT_EQ(app.UndoList().Entry(0).Name(), "Resize grid");
        EXPECT_EQ(app.Grid().PointsAcross(), 52);
        EXPECT_EQ(app.Grid().PointsDown(), 22);
        // Opening again shows the new counts; OK without change adds nothing.
        PSPlimApplyOptions(app, PSPlimReadOptions(*app.Params(), app.Grid()));
        EXPECT_EQ(app.UndoList().Count(), 1);
    });
}

TEST_F(OptionsModelTest, TypedCountsBeyondTheBoxesAreClampedByTheApplication)
{
    InSession([](CPSPlimPluginApp& app) {
        PSPlimOptionsValues values = PSPlimReadOptions(*app.Params(), app.Grid());
        values.pointsAcross = 999;
        values.pointsDown = 2147483647;
        PSPlimApplyOptions(app, values);
        EXPECT_EQ(app.Grid().PointsAcross(), 152);
        EXPECT_EQ(app.Grid().PointsDown(), 152);
        EXPECT_EQ(PSPlimReadOptions(*app.Params(), app.Grid()).pointsAcross, 150);
        EXPECT_EQ(app.UndoList().Count(), 1);
    });
}
