// Preview navigation: the zoom ratio label's text and the preview locator's
// placement, mappings and frame.
#include "effect/EffectTestSupport.h"

#include "ui/HuxPSPreviewLocator.h"
#include "ui/HuxPSZoomRatio.h"

using namespace EffectTest;

namespace {

const HuxRect kFilter{0, 0, 1000, 800};
const HuxRect kPopup{0, 0, 150, 120};

} // namespace

TEST(PreviewNavigationTest, TheZoomLabelNamesEachLevel)
{
    const HuxPointI view{400, 300};
    const HuxPointI window{400, 300};
    EXPECT_EQ(HuxPSZoomRatioText(-2, true, true, view, window), "Zoom 4:1");
    EXPECT_EQ(HuxPSZoomRatioText(-1, true, true, view, window), "Zoom 3:1");
    EXPECT_EQ(HuxPSZoomRatioText(0, true, true, view, window), "Zoom 2:1");
    EXPECT_EQ(HuxPSZoomRatioText(1, true, true, view, window), "Zoom 1:1");
    EXPECT_EQ(HuxPSZoomRatioText(2, true, true, view, window), "Zoom 1:2");
    // At the fit level: the exact reduction, the larger of the two ratios.
    EXPECT_EQ(HuxPSZoomRatioText(3, false, true, {1000, 800}, window), "Zoom 1:2.7");
    EXPECT_EQ(HuxPSZoomRatioText(3, false, true, {1000, 400}, window), "Zoom 1:2.5");
    // Without the fit ratio the level itself.
    EXPECT_EQ(HuxPSZoomRatioText(3, false, false, {1000, 800}, window), "Zoom 1:3");
    // A window without extent does not divide by zero.
    EXPECT_EQ(HuxPSZoomRatioText(3, false, true, {10, 8}, {0, 0}), "Zoom 1:10.0");
}

TEST(PreviewNavigationTest, TheZoomLabelFollowsTheFramework)
{
    SquelmHost::TestHost host(Entry());
    host.SetImage(Gradient(1000, 800));
    RunWith(host, [](CPSPlimPluginApp& app) {
        app.SetPreviewSize(400, 300);
        EXPECT_EQ(HuxPSZoomRatioText(app, true), "Zoom 1:2.7");
        EXPECT_EQ(HuxPSZoomRatioText(app, false), "Zoom 1:3");
        app.ZoomIn();
        app.ZoomIn();
        EXPECT_EQ(HuxPSZoomRatioText(app, true), "Zoom 1:1");
        app.ZoomIn();
        EXPECT_EQ(HuxPSZoomRatioText(app, true), "Zoom 2:1");
        return kHuxIdCancel;
    });
}

TEST(PreviewNavigationTest, ThePopupIsCentredOnThePressPoint)
{
    EXPECT_EQ(HuxPSLocatorWindowRect({500, 400}, {150, 100}, {3, 3}), (HuxRect{422, 347, 578, 453}));
    // Odd sizes halve downwards; the window keeps its full size.
    EXPECT_EQ(HuxPSLocatorWindowRect({500, 400}, {151, 99}, {3, 2}), (HuxRect{422, 349, 579, 452}));
}

TEST(PreviewNavigationTest, ImageAndPopupCoordinatesMapWithTruncation)
{
    EXPECT_EQ(HuxPSImageToPopup(HuxPointI{333, 500}, kFilter, kPopup), (HuxPointI{49, 75}));
    EXPECT_EQ(HuxPSPopupToImage(HuxPointI{49, 75}, kFilter, kPopup), (HuxPointI{326, 500}));
    // Towards zero on the negative side.
    EXPECT_EQ(HuxPSImageToPopup(HuxPointI{-10, -10}, kFilter, kPopup), (HuxPointI{-1, -1}));
    // A filter rectangle that does not start at the origin.
    EXPECT_EQ(HuxPSImageToPopup(HuxPointI{600, 300}, HuxRect{100, 200, 1100, 1000}, kPopup), (HuxPointI{75, 15}));
    EXPECT_EQ(HuxPSPopupToImage(HuxPointI{75, 15}, HuxRect{100, 200, 1100, 1000}, kPopup), (HuxPointI{600, 300}));
    EXPECT_EQ(HuxPSImageToPopup(HuxRect{200, 100, 600, 400}, kFilter, kPopup), (HuxRect{30, 15, 90, 60}));
}

TEST(PreviewNavigationTest, APressAndReleaseWithoutMovingKeepsTheView)
{
    // A view that does not sit on a thumbnail pixel.
    const HuxRect view{101, 37, 501, 337};
    HuxPSLocatorFrame frame(kFilter, view, kPopup);
    EXPECT_EQ(frame.FrameRect(), (HuxRect{15, 5, 75, 50}));
    EXPECT_EQ(frame.StartCursor(), (HuxPointI{45, 27}));
    frame.MoveTo(frame.StartCursor());
    EXPECT_EQ(frame.ViewRect(), view);
}

TEST(PreviewNavigationTest, TheFrameFollowsTheCursorAndStopsAtTheEdges)
{
    const HuxRect view{200, 100, 600, 400};
    HuxPSLocatorFrame frame(kFilter, view, kPopup);
    // 15 thumbnail pixels across are 100 image pixels.
    frame.MoveTo({frame.StartCursor().x + 15, frame.StartCursor().y - 3});
    EXPECT_EQ(frame.ViewRect(), (HuxRect{300, 80, 700, 380}));
    EXPECT_EQ(frame.FrameRect(), (HuxRect{45, 12, 105, 57}));
    frame.MoveTo({-500, -500});
    EXPECT_EQ(frame.ViewRect(), (HuxRect{0, 0, 400, 300}));
    frame.MoveTo({1000, 1000});
    EXPECT_EQ(frame.ViewRect(), (HuxRect{600, 500, 1000, 800}));
    EXPECT_EQ(frame.FrameRect(), (HuxRect{90, 75, 150, 120}));
}

TEST(PreviewNavigationTest, AViewLargerThanTheImageIsCutToIt)
{
    HuxPSLocatorFrame frame(kFilter, {0, 0, 1200, 900}, kPopup);
    frame.MoveTo({10, 10});
    EXPECT_EQ(frame.ViewRect(), kFilter);
}

TEST(PreviewNavigationTest, ADegenerateThumbnailDoesNotDivideByZero)
{
    HuxPSLocatorFrame frame({0, 0, 1, 3000}, {0, 0, 1, 300}, {0, 0, 0, 150});
    frame.MoveTo({0, 75});
    EXPECT_EQ(frame.ViewRect(), (HuxRect{0, 1360, 1, 1660}));
}
