// Zoom levels, the view rectangle and scrolling of the preview.
#include "FakeHost.h"

#include "host/HuxPSZoom.h"

#include <gtest/gtest.h>

#include <optional>
#include <random>
#include <string>

using namespace FakeHostTest;

namespace {

using Updates = std::vector<std::pair<char, HuxRect>>;

Updates StripToAll(const HuxRect& strip) { return {{'S', strip}, {'D', strip}, {'M', strip}, {'O', strip}}; }

// Output preview with every column (or row) marked by its index.
void MarkColumns(HuxImage2& image)
{
    for (int32_t y = 0; y < image.AbsHeight(); ++y)
        for (int32_t x = 0; x < image.Width(); ++x)
            image.PixelAddress(x, y)[0] = uint8_t(x), image.PixelAddress(x, y)[1] = uint8_t(y);
}

struct ViewFixture : testing::Test {
    FakeHost host{1000, 600};
    RecordingFilter filter;

    int16_t Run(std::function<void()> body) { return RunInStart(filter, host, std::move(body)); }
};

} // namespace

TEST(Zoom, AxisFitLevels)
{
    EXPECT_EQ(HuxPSAxisFitLevel(200, 500), 0);  // 2:1
    EXPECT_EQ(HuxPSAxisFitLevel(100, 400), -2); // 4:1
    EXPECT_EQ(HuxPSAxisFitLevel(500, 500), 1);
    EXPECT_EQ(HuxPSAxisFitLevel(1000, 250), 4);
    EXPECT_EQ(HuxPSAxisFitLevel(1001, 250), 5);
    EXPECT_EQ(HuxPSAxisFitLevel(0, 250), 2 - 250);  // empty filter: one pixel
    EXPECT_EQ(HuxPSAxisFitLevel(250, 0), 250);      // empty area: one pixel
    EXPECT_EQ(HuxPSClosestLevel(0), -5);
    EXPECT_EQ(HuxPSClosestLevel(-9), -9);
    EXPECT_EQ(HuxPSScaleForLevel(-3), 1);
    EXPECT_EQ(HuxPSScaleForLevel(4), 4);
}

TEST(Zoom, ViewExtentPerLevel)
{
    EXPECT_EQ(HuxPSViewExtent(0, 500, 200), 200);   // 250 cut to the filter
    EXPECT_EQ(HuxPSViewExtent(-5, 500, 1000), 71);  // 500 / 7
    EXPECT_EQ(HuxPSViewExtent(1, 250, 1000), 250);
    EXPECT_EQ(HuxPSViewExtent(3, 250, 1000), 750);
    EXPECT_EQ(HuxPSViewExtent(3, 250, 600), 600);
}

TEST(View, SmallFilterMagnifiesAndCannotZoomOut)
{
    FakeHost host(200, 100);
    RecordingFilter filter;
    RunInStart(filter, host, [&] { filter.SetPreviewSize(500, 400); });
    EXPECT_EQ(filter.GetZoomLevel(), 0);
    EXPECT_EQ(filter.GetFitLevel(), 0);
    EXPECT_EQ(filter.GetClosestLevel(), -5);
    EXPECT_FALSE(filter.CanZoomOut());
    EXPECT_TRUE(filter.CanZoomIn());
    EXPECT_EQ(filter.GetViewRect(), (HuxRect{0, 0, 200, 100}));
    ASSERT_NE(filter.GetSourcePreview(), nullptr);
    EXPECT_EQ(filter.GetSourcePreview()->Width(), 200);
}

TEST(View, TinyFilterHasAClosestLevelBelowMinusFive)
{
    FakeHost host(10, 10);
    RecordingFilter filter;
    RunInStart(filter, host, [&] { filter.SetPreviewSize(500, 500); });
    EXPECT_EQ(filter.GetFitLevel(), -48);
    EXPECT_EQ(filter.GetClosestLevel(), -48);
    EXPECT_FALSE(filter.CanZoomIn());
    EXPECT_FALSE(filter.CanZoomOut());
}

TEST_F(ViewFixture, LargeFilterReducesAndZoomInKeepsTheCentre)
{
    Run([&] { filter.SetPreviewSize(250, 250); });
    EXPECT_EQ(filter.GetZoomLevel(), 4);
    EXPECT_EQ(filter.GetSourcePreview()->Width(), 250);
    EXPECT_EQ(filter.GetSourcePreview()->AbsHeight(), 150);
    EXPECT_EQ(host.requests.back().inputRate, 4 << 16);

    Run([&] { filter.ZoomIn(); });
    EXPECT_EQ(filter.GetZoomLevel(), 3);
    EXPECT_EQ(filter.GetViewRect(), (HuxRect{125, 0, 875, 600}));
    EXPECT_EQ(filter.ScaledViewRect(), (HuxRect{41, 0, 291, 200}));
    EXPECT_EQ(filter.GetSourcePreview()->Width(), 250);
    EXPECT_EQ(host.requests.back().inRect, (HuxRect{41, 0, 291, 200}));

    Run([&] { filter.ZoomOut(); });
    EXPECT_EQ(filter.GetZoomLevel(), 4);
    EXPECT_EQ(filter.GetViewRect(), (HuxRect{0, 0, 1000, 600}));
    Run([&] { filter.ZoomOut(); });
    EXPECT_EQ(filter.GetZoomLevel(), 4);
}

TEST_F(ViewFixture, ZoomStopsAtTheClosestLevel)
{
    Run([&] {
        filter.SetPreviewSize(250, 250);
        for (int i = 0; i < 20; ++i)
            filter.ZoomIn();
    });
    EXPECT_EQ(filter.GetZoomLevel(), -5);
    EXPECT_FALSE(filter.CanZoomIn());
    // 7:1 of a 250 area is 35 image pixels, centred on (500, 300).
    EXPECT_EQ(filter.GetViewRect(), (HuxRect{483, 283, 518, 318}));
}

TEST_F(ViewFixture, SetViewRectShiftsBackInsideRightBeforeLeftAndBottomBeforeTop)
{
    Run([&] {
        filter.SetPreviewSize(250, 250);
        filter.ZoomIn();
        filter.SetViewRect({900, -50, 901, -49});
    });
    EXPECT_EQ(filter.GetViewRect(), (HuxRect{250, 0, 1000, 600}));
    Run([&] { filter.SetViewRect({-40, 10, 0, 0}); });
    EXPECT_EQ(filter.GetViewRect(), (HuxRect{0, 0, 750, 600}));
}

TEST_F(ViewFixture, OffsetFilterRectangleBoundsTheView)
{
    host.SetFilterRect({100, 50, 900, 450});
    Run([&] {
        filter.SetPreviewSize(400, 400);
        filter.SetViewRect({0, 0, 10, 10});
    });
    EXPECT_EQ(filter.GetZoomLevel(), 2);
    EXPECT_EQ(filter.GetViewRect(), (HuxRect{100, 50, 900, 450}));
    Run([&] {
        filter.ZoomIn();
        filter.SetViewRect({2000, 2000, 0, 0});
    });
    EXPECT_EQ(filter.GetViewRect(), (HuxRect{500, 50, 900, 450}));
}

TEST_F(ViewFixture, ScrollAtLevelThreeMovesByWholePreviewPixels)
{
    Run([&] {
        filter.SetPreviewSize(250, 250);
        filter.ZoomIn(); // level 3, view {125, 0, 875, 600}
        MarkColumns(filter.ReplaceOutputPreview(250, 200));
        filter.updates.clear();
        filter.ScrollView(1, 0);
    });
    EXPECT_EQ(filter.GetViewRect(), (HuxRect{128, 0, 878, 600}));
    EXPECT_EQ(filter.updates, StripToAll({875, 0, 878, 600}));
    // One column: the content moved left; the last column kept its pixels.
    const HuxImage2& output = *filter.GetOutputPreview();
    EXPECT_EQ(output.PixelAddress(0, 7)[0], 1);
    EXPECT_EQ(output.PixelAddress(0, 7)[1], 7);
    EXPECT_EQ(output.PixelAddress(248, 7)[0], 249);
    EXPECT_EQ(output.PixelAddress(249, 7)[0], 249);
}

TEST_F(ViewFixture, ScrollIsCutAtTheFilterEdgeAndMovesByZeroThere)
{
    Run([&] {
        filter.SetPreviewSize(250, 250);
        filter.ZoomIn();
        MarkColumns(filter.ReplaceOutputPreview(250, 200));
        filter.updates.clear();
        filter.ScrollView(0, 5); // the view is as tall as the filter
    });
    EXPECT_EQ(filter.GetViewRect(), (HuxRect{125, 0, 875, 600}));
    ASSERT_EQ(filter.updates.size(), 4u);
    EXPECT_TRUE(filter.updates[0].second.IsEmpty());
    EXPECT_EQ(filter.GetOutputPreview()->PixelAddress(3, 3)[0], 3);

    Run([&] {
        filter.updates.clear();
        filter.ScrollView(-1000, 0); // 125 to the left edge
    });
    EXPECT_EQ(filter.GetViewRect(), (HuxRect{0, 0, 750, 600}));
    EXPECT_EQ(filter.updates, StripToAll({0, 0, 125, 600}));
    // The scaled view moved from 41 to 0: content moved right by 41.
    EXPECT_EQ(filter.GetOutputPreview()->PixelAddress(41, 0)[0], 0);
    EXPECT_EQ(filter.GetOutputPreview()->PixelAddress(249, 0)[0], 208);
}

TEST_F(ViewFixture, VerticalScrollShiftsRowsAndExposesTheBand)
{
    Run([&] {
        filter.SetPreviewSize(250, 250);
        for (int i = 0; i < 3; ++i)
            filter.ZoomIn(); // level 1, view 250 x 250 centred
        filter.ReplaceOutputPreview(250, 250);
    });
    ASSERT_EQ(filter.GetZoomLevel(), 1);
    const HuxRect before = filter.GetViewRect();
    EXPECT_EQ(before, (HuxRect{375, 175, 625, 425}));
    HuxImage2& output = *filter.GetOutputPreview();
    for (int32_t y = 0; y < 250; ++y)
        output.PixelAddress(0, y)[1] = uint8_t(y);

    Run([&] {
        filter.updates.clear();
        filter.ScrollView(0, 10);
    });
    EXPECT_EQ(filter.GetViewRect(), (HuxRect{375, 185, 625, 435}));
    EXPECT_EQ(filter.updates, StripToAll({375, 425, 625, 435}));
    EXPECT_EQ(filter.GetOutputPreview()->PixelAddress(0, 0)[1], 10);
    EXPECT_EQ(filter.GetOutputPreview()->PixelAddress(0, 239)[1], 249);

    Run([&] {
        filter.updates.clear();
        filter.ScrollView(0, -30);
    });
    EXPECT_EQ(filter.updates, StripToAll({375, 155, 625, 185}));
    EXPECT_EQ(filter.GetOutputPreview()->PixelAddress(0, 30)[1], 10);
}

TEST_F(ViewFixture, ScrollBothAxesRowsFirst)
{
    Run([&] {
        filter.SetPreviewSize(250, 250);
        for (int i = 0; i < 3; ++i)
            filter.ZoomIn();
        filter.updates.clear();
        filter.ScrollView(4, -2);
    });
    ASSERT_EQ(filter.updates.size(), 8u);
    EXPECT_EQ(filter.updates[0].second, (HuxRect{375, 173, 625, 175}));
    EXPECT_EQ(filter.updates[4].second, (HuxRect{625, 173, 629, 423}));
}

TEST(View, RandomNavigationKeepsTheViewInsideWithItsLevelsSize)
{
    const unsigned seed = 1208;
    std::mt19937 random(seed);
    FakeHost host(700, 500);
    host.SetFilterRect({30, 20, 650, 470});
    RecordingFilter filter;
    RunInStart(filter, host, [&] {
        filter.SetPreviewSize(180, 140);
        for (int step = 0; step < 400 && !testing::Test::HasFailure(); ++step) {
            SCOPED_TRACE("seed " + std::to_string(seed) + ", step " + std::to_string(step) +
                         " (replay: test_host --gtest_filter=View.RandomNavigation*)");
            const int action = int(random() % 4);
            const int32_t a = int32_t(random() % 1601) - 800, b = int32_t(random() % 1601) - 800;
            if (action == 0)
                filter.ZoomIn();
            else if (action == 1)
                filter.ZoomOut();
            else if (action == 2)
                filter.ScrollView(a, b);
            else
                filter.SetViewRect({a, b, a + 1, b + 1});

            const HuxRect view = filter.GetViewRect();
            const HuxRect filterRect = filter.FilterRect();
            const int level = filter.GetZoomLevel();
            ASSERT_GE(level, filter.GetClosestLevel());
            ASSERT_LE(level, filter.GetFitLevel());
            ASSERT_EQ(view.Width(), HuxPSViewExtent(level, 180, filterRect.Width()));
            ASSERT_EQ(view.Height(), HuxPSViewExtent(level, 140, filterRect.Height()));
            ASSERT_EQ(HuxRectIntersect(view, filterRect), view);
            const HuxImage2* source = filter.GetSourcePreview();
            ASSERT_NE(source, nullptr);
            ASSERT_EQ(source->Width(), filter.ScaledViewRect().Width());
            ASSERT_EQ(source->AbsHeight(), filter.ScaledViewRect().Height());
        }
    });
}

// A resized preview area: a whole view stays whole at the new fit level,
// another keeps its level (cut to the new fit) and its centre, shifted back
// inside the filter where it would leave it.
TEST_F(ViewFixture, AResizedPreviewKeepsTheViewCentredAtItsLevel)
{
    struct Case {
        int zoomIns;
        std::optional<HuxRect> moved;
        HuxPointI resized;
        int level;
        HuxRect view;
    };
    const Case cases[] = {
        {0, std::nullopt, {500, 500}, 2, {0, 0, 1000, 600}},
        {1, std::nullopt, {500, 300}, 2, {0, 0, 1000, 600}},
        {9, std::nullopt, {500, 500}, -5, {465, 265, 536, 336}},
        {3, HuxRect{750, 350, 1000, 600}, {400, 300}, 1, {600, 300, 1000, 600}},
        {3, std::nullopt, {250, 250}, 1, {375, 175, 625, 425}},
    };
    for (const Case& c : cases) {
        Run([&] {
            filter.SetPreviewSize(250, 250);
            for (int i = 0; i < c.zoomIns; ++i)
                filter.ZoomIn();
            if (c.moved)
                filter.SetViewRect(*c.moved);
            filter.ResizePreview(c.resized.x, c.resized.y);
        });
        SCOPED_TRACE(testing::Message() << c.zoomIns << " zoom-ins, resized to " << c.resized.x << "x" << c.resized.y);
        EXPECT_EQ(filter.GetPreviewSize(), c.resized);
        EXPECT_EQ(filter.GetZoomLevel(), c.level);
        EXPECT_EQ(filter.GetViewRect(), c.view);
        EXPECT_EQ(filter.GetSourcePreview()->Width(), filter.ScaledViewRect().Width());
    }
}
