// The grid editor control's paint decisions: where the preview goes, where
// the image lies on screen, the grid's polylines, the tool circle, the
// timer, and the timing line.
#include "grid/PSPlimGrid.h"
#include "ui/PSPlimControlLayout.h"
#include "ui/PSPlimTimingLine.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

// How many of the rectangles hold the pixel.
int Coverage(const std::array<HuxRect, 4>& bands, const HuxRect& destination, int x, int y)
{
    auto holds = [&](const HuxRect& r) { return x >= r.left && x < r.right && y >= r.top && y < r.bottom; };
    int count = holds(destination);
    for (const HuxRect& band : bands)
        count += holds(band);
    return count;
}

// A 300 x 300 image area at (10, 20) over a square image's grid.
PSPlimClientMapping SquareImageShown300Wide()
{
    return {{10, 20, 310, 320}, 1.0 / std::sqrt(2.0), 1.0 / std::sqrt(2.0)};
}

PSPlimPointerState Idle(HuxPointI cursor)
{
    PSPlimPointerState pointer;
    pointer.showToolRadius = true;
    pointer.cursor = cursor;
    pointer.client = {0, 0, 320, 340};
    return pointer;
}

} // namespace

TEST(ControlLayoutTest, TheDestinationKeepsTheImagesAspectRatioAndIsCentred)
{
    // Wider image than the client: the width fills, the height is fitted.
    EXPECT_EQ(PSPlimDestinationRect({0, 0, 400, 300}, 600, 400), (HuxRect{0, 17, 400, 283}));
    // Taller image: the height fills.
    EXPECT_EQ(PSPlimDestinationRect({0, 0, 400, 300}, 100, 300), (HuxRect{150, 0, 250, 300}));
    // Integer halving of the odd remainder, relative to the client's corner.
    EXPECT_EQ(PSPlimDestinationRect({10, 20, 111, 70}, 2, 1), (HuxRect{10, 20, 110, 70}));
    // The same ratio fills the client exactly.
    EXPECT_EQ(PSPlimDestinationRect({0, 0, 640, 480}, 320, 240), (HuxRect{0, 0, 640, 480}));
}

TEST(ControlLayoutTest, TheBandsAndTheDestinationCoverTheClientOnce)
{
    const HuxRect client{3, 5, 40, 31};
    for (const HuxRect destination : {PSPlimDestinationRect(client, 600, 400), PSPlimDestinationRect(client, 10, 50),
                                      HuxRect{3, 5, 40, 31}}) {
        const auto bands = PSPlimBands(client, destination);
        for (int y = client.top; y < client.bottom; ++y)
            for (int x = client.left; x < client.right; ++x)
                ASSERT_EQ(Coverage(bands, destination, x, y), 1) << "pixel " << x << "," << y;
    }
}

TEST(ControlLayoutTest, TheImageRectCarriesTheFilterThroughTheView)
{
    const HuxRect filter{0, 0, 1000, 800};
    // The whole image shown: the image rectangle is the destination.
    EXPECT_EQ(PSPlimImageRect(filter, filter, {0, 17, 400, 337}), (HuxRect{0, 17, 400, 337}));
    // Zoomed in: it reaches beyond the destination on every side.
    EXPECT_EQ(PSPlimImageRect(filter, {200, 100, 600, 400}, {0, 0, 400, 300}), (HuxRect{-200, -100, 800, 700}));
    // Integer division truncates towards zero on both sides.
    EXPECT_EQ(PSPlimImageRect({0, 0, 10, 10}, {1, 1, 4, 4}, {0, 0, 100, 100}), (HuxRect{-33, -33, 300, 300}));
}

TEST(ControlLayoutTest, NoOutputPreviewMeansNoLayout)
{
    EXPECT_FALSE(PSPlimLayOutControl({0, 0, 100, 100}, nullptr, {0, 0, 10, 10}, {0, 0, 10, 10}));
    HuxImage2 preview;
    preview.Create(300, -200, 24, nullptr);
    const auto layout = PSPlimLayOutControl({0, 0, 400, 400}, &preview, {0, 0, 600, 400}, {0, 0, 600, 400});
    ASSERT_TRUE(layout);
    EXPECT_EQ(layout->destination, (HuxRect{0, 67, 400, 333}));
    EXPECT_EQ(layout->imageRect, layout->destination);
    EXPECT_EQ(layout->bands[0], (HuxRect{0, 0, 400, 67}));
}

TEST(ControlLayoutTest, GridPolylinesAreTheInnerRowsThenTheInnerColumns)
{
    PSPlimGrid grid;
    grid.Reset(1.0, 0.5, 6, 5); // 4 by 3 visible points
    // A marker on one inner point, so that a swapped row or column shows.
    grid.At(2, 1) = {0.75, 0.125};
    const PSPlimClientMapping mapping{{0, 0, 200, 100}, 1.0, 0.5};
    PSPlimPolylines lines;
    PSPlimGridPolylines(grid, mapping, lines);
    ASSERT_EQ(lines.counts, (std::vector<uint32_t>{4, 4, 4, 3, 3, 3, 3}));
    ASSERT_EQ(lines.points.size(), 24u);
    // Row 1 starts at the top-left visible point, which lies on the image's corner.
    EXPECT_EQ(lines.points[0], (HuxPointI{0, 0}));
    EXPECT_EQ(lines.points[1], (HuxPointI{150, 25})); // the marker: (2, 1)
    EXPECT_EQ(lines.points[3], (HuxPointI{200, 0}));  // row 1 ends on the right edge
    EXPECT_EQ(lines.points[8], (HuxPointI{0, 100}));  // row 3 starts at the bottom-left
    // Column 2 (the second column line) starts with the marker.
    EXPECT_EQ(lines.points[12 + 3], (HuxPointI{150, 25}));
    // ... and ends on the bottom row, a third of the way across (truncated).
    EXPECT_EQ(lines.points[12 + 3 + 2], (HuxPointI{66, 100}));
    // A second paint reuses the buffers and gives the same lines.
    const PSPlimPolylines first = lines;
    PSPlimGridPolylines(grid, mapping, lines);
    EXPECT_EQ(lines.points, first.points);
    EXPECT_EQ(lines.counts, first.counts);
}

TEST(ControlLayoutTest, TheToolCircleOfTheDefaultSizeOnASquareImage300Wide)
{
    const PSPlimToolCircle circle = PSPlimToolCircleFor(Idle({100, 120}), 0.1, SquareImageShown300Wide());
    EXPECT_TRUE(circle.shown);
    EXPECT_EQ(circle.centre, (HuxPointI{100, 120}));
    EXPECT_EQ(circle.radius, 42);
}

TEST(ControlLayoutTest, TheToolCircleShowsWhereTheUserExpectsIt)
{
    const PSPlimClientMapping mapping = SquareImageShown300Wide();
    PSPlimPointerState outside = Idle({-5, 100});
    EXPECT_FALSE(PSPlimToolCircleFor(outside, 0.1, mapping).shown);
    // The right and bottom edges are outside the client rectangle.
    EXPECT_FALSE(PSPlimToolCircleFor(Idle({320, 100}), 0.1, mapping).shown);
    EXPECT_TRUE(PSPlimToolCircleFor(Idle({319, 339}), 0.1, mapping).shown);

    // A stroke that leaves the control keeps its circle at the cursor.
    outside.stroking = true;
    PSPlimToolCircle circle = PSPlimToolCircleFor(outside, 0.1, mapping);
    EXPECT_TRUE(circle.shown);
    EXPECT_EQ(circle.centre, (HuxPointI{-5, 100}));

    // Dragging the size slider: centred while the cursor is away, even
    // with the radius switched off.
    PSPlimPointerState tracking = Idle({-5, 100});
    tracking.showToolRadius = false;
    tracking.sizeTracking = true;
    circle = PSPlimToolCircleFor(tracking, 0.25, mapping);
    EXPECT_TRUE(circle.shown);
    EXPECT_EQ(circle.centre, (HuxPointI{160, 170}));
    EXPECT_EQ(circle.radius, 106);
    tracking.cursor = {30, 40};
    EXPECT_EQ(PSPlimToolCircleFor(tracking, 0.25, mapping).centre, (HuxPointI{30, 40}));

    // No circle during a pan, nor with the radius switched off.
    PSPlimPointerState panning = Idle({100, 100});
    panning.panning = true;
    EXPECT_FALSE(PSPlimToolCircleFor(panning, 0.1, mapping).shown);
    PSPlimPointerState hidden = Idle({100, 100});
    hidden.showToolRadius = false;
    EXPECT_FALSE(PSPlimToolCircleFor(hidden, 0.1, mapping).shown);
}

TEST(ControlLayoutTest, TheTimerRemovesOnlyACircleLeftBehindOutsideTheControl)
{
    const PSPlimPointerState away = Idle({400, 100});
    EXPECT_TRUE(PSPlimTimerRepaints(away, true));
    EXPECT_FALSE(PSPlimTimerRepaints(away, false));
    EXPECT_FALSE(PSPlimTimerRepaints(Idle({100, 100}), true));
    for (bool PSPlimPointerState::*gesture :
         {&PSPlimPointerState::stroking, &PSPlimPointerState::panning, &PSPlimPointerState::sizeTracking}) {
        PSPlimPointerState busy = away;
        busy.*gesture = true;
        EXPECT_FALSE(PSPlimTimerRepaints(busy, true));
    }
    PSPlimPointerState hidden = away;
    hidden.showToolRadius = false;
    EXPECT_FALSE(PSPlimTimerRepaints(hidden, true));
}

TEST(ControlLayoutTest, TheTimingLineShowsTheFailedTestsPerLookup)
{
    EXPECT_EQ(PSPlimTimingLine(17, 3, 12), "Update took 17ms. Invert 3/12 (0.25)");
    EXPECT_EQ(PSPlimTimingLine(0, 1, 3), "Update took 0ms. Invert 1/3 (0.333333)");
    // With no lookups the ratio reads 0 rather than dividing by zero.
    EXPECT_EQ(PSPlimTimingLine(5, 0, 0), "Update took 5ms. Invert 0/0 (0)");
    EXPECT_EQ(PSPlimTimingLine(5, 2, 0), "Update took 5ms. Invert 2/0 (0)");
}
