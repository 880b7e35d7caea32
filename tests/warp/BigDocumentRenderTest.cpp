// Documents beyond the 16-bit coordinates, end to end through the plug-in:
// a big-document host gets the warp of the whole image, tile for tile the
// same as the plain reference, and a host without 32-bit fields gets a clear
// message and an untouched document.
#include "support/FakeEditor.h"
#include "host/HuxPSRequest.h"
#include "ui/PSPlimStroke.h"
#include "warp/PSPlimGridMapping.h"
#include "warp/ReferenceWarp.h"
#include "warp/WarpHarness.h"

#include <gtest/gtest.h>

#include <sstream>

using EffectTest::EditorInstallation;
using EffectTest::FakeEditor;
using HuxGeometry::HuxPoint2D;
using SquelmHost::EventKind;
using SquelmHost::GreyImage;
using SquelmHost::HostEvent;
using SquelmHost::Rect32;
using SquelmHost::RgbImage;
using SquelmHost::TestHost;

namespace {

constexpr int kLong = 40000;
constexpr int kShort = 16;

// Packed pixels of `rect` of an image.
std::vector<uint8_t> Cut(const RgbImage& image, const HuxRect& rect)
{
    std::vector<uint8_t> out;
    for (int y = rect.top; y < rect.bottom; ++y)
        out.insert(out.end(), image.At(rect.left, y), image.At(rect.left, y) + 3 * size_t(rect.Width()));
    return out;
}

std::string FirstDifference(const std::vector<uint8_t>& expected, const std::vector<uint8_t>& actual,
                            const HuxRect& rect)
{
    if (expected.size() != actual.size())
        return "sizes differ";
    for (size_t i = 0; i < expected.size(); ++i) {
        if (expected[i] == actual[i])
            continue;
        const size_t pixel = i / 3;
        std::ostringstream out;
        out << "first difference at (" << rect.left + long(pixel % size_t(rect.Width())) << ", "
            << rect.top + long(pixel / size_t(rect.Width())) << ") channel " << i % 3 << ": expected "
            << int(expected[i]) << ", got " << int(actual[i]);
        return out.str();
    }
    return {};
}

// What one run of the plug-in saw and left.
struct BigRun {
    SquelmHost::RunResult result;
    PSPlimGrid grid;               // the grid as the user left it
    std::vector<uint8_t> preview;  // the output preview, packed
    HuxRect scaledView;
    int previewScale = 0;
};

// Runs the filter with one stroke from `from` to `to` (image pixels) and
// a preview of 100 by 100 pixels.
void RunStroke(TestHost& host, HuxPoint2D from, HuxPoint2D to, BigRun& run)
{
    FakeEditor editor([&](CPSPlimPluginApp& app) {
        app.SetPreviewSize(100, 100);
        PSPlimStroke stroke(app);
        stroke.SetImageRect(app.FilterRect());
        stroke.ButtonDown(PSPlimButton::Left, from);
        stroke.MouseMove(to);
        stroke.ButtonUp(PSPlimButton::Left);
        // CopyFrom takes the points only: the extent comes from a reset.
        const PSPlimGrid& grid = app.Grid();
        run.grid.Reset(grid.Width(), grid.Height(), grid.PointsAcross(), grid.PointsDown());
        run.grid.CopyFrom(grid);
        run.previewScale = app.PreviewScale();
        run.scaledView = app.ScaledViewRect();
        const HuxImage2* preview = app.GetOutputPreview();
        for (int y = 0; preview && y < preview->AbsHeight(); ++y)
            run.preview.insert(run.preview.end(), preview->PixelAddress(0, y),
                               preview->PixelAddress(0, y) + 3 * preview->Width());
        return kHuxIdOk;
    });
    EditorInstallation installed(editor);
    run.result = host.RunFilter();
}

// The plain reference of the final render over `band` of the filter rectangle.
std::vector<uint8_t> ReferenceBand(BigRun& run, const RgbImage& source, const HuxRect& filter, const HuxRect& band)
{
    PSPlimGridMapping mapping(run.grid);
    mapping.SetRectangle(filter);
    WarpTest::ReferenceSource reference;
    reference.image = &source;
    reference.scaled = filter;
    return WarpTest::ReferenceTile(reference, {0, 0.9, 1.0}, band,
                                   [&](HuxPoint2D p) { return mapping.MapPoint(p); });
}

std::vector<Rect32> OutputRequests(const TestHost& host)
{
    std::vector<Rect32> rects;
    for (const HostEvent& e : host.Log().OfKind(EventKind::AdvanceState))
        if (!e.outRect.Empty())
            rects.push_back(e.outRect);
    return rects;
}

// Every 128-pixel tile of a rectangle, row by row.
std::vector<Rect32> TilesOf(const Rect32& r)
{
    std::vector<Rect32> tiles;
    for (int y = r.top; y < r.bottom; y += 128)
        for (int x = r.left; x < r.right; x += 128)
            tiles.push_back({x, y, std::min(x + 128, r.right), std::min(y + 128, r.bottom)});
    return tiles;
}

bool AllRequestsWide(const TestHost& host, bool wide)
{
    for (const HostEvent& e : host.Log().OfKind(EventKind::AdvanceState))
        if (e.wideCoordinates != wide)
            return false;
    return host.Log().Count(EventKind::AdvanceState) > 0;
}

struct Shape {
    int width, height;
    HuxPoint2D from, to;
    std::vector<HuxRect> bands; // compared against the reference
};

class BigDocumentRender : public ::testing::TestWithParam<int> {};

// A stroke beyond pixel 32767 pushes pixels across it; bands on both sides
// of the boundary, at the far end and at the near end must all match.
TEST_P(BigDocumentRender, TheWholeImageIsWarpedAsTheReferenceDoes)
{
    const Shape wide{kLong, kShort, {36000, 8}, {36300, 10},
                     {{0, 0, 256, kShort}, {32640, 0, 33024, kShort}, {35900, 0, 36400, kShort},
                      {kLong - 256, 0, kLong, kShort}}};
    const Shape tall{kShort, kLong, {8, 36000}, {10, 36040},
                     {{0, 0, kShort, 256}, {0, 32640, kShort, 33024}, {0, 35900, kShort, 36400},
                      {0, kLong - 256, kShort, kLong}}};
    const Shape& shape = GetParam() == 0 ? wide : tall;

    const RgbImage source = WarpTest::NoiseImage(shape.width, shape.height, 77);
    TestHost host(EffectTest::Entry());
    host.SetImage(source);
    BigRun run;
    RunStroke(host, shape.from, shape.to, run);
    ASSERT_TRUE(run.result.Succeeded()) << run.result.result << " " << run.result.errorText << " "
                                        << run.result.hostError;

    const HuxRect filter{0, 0, shape.width, shape.height};
    for (const HuxRect& band : shape.bands) {
        const std::vector<uint8_t> expected = ReferenceBand(run, source, filter, band);
        EXPECT_EQ(FirstDifference(expected, Cut(host.Image(), band), band), "") << "band from " << band.left << ","
                                                                                << band.top;
    }
    // The stroke moved something beyond the 16-bit range.
    const HuxRect moved = shape.bands[2];
    EXPECT_NE(Cut(source, moved), Cut(host.Image(), moved));

    EXPECT_TRUE(AllRequestsWide(host, true));
    EXPECT_EQ(OutputRequests(host), TilesOf({0, 0, shape.width, shape.height}));
}

INSTANTIATE_TEST_SUITE_P(WideAndTall, BigDocumentRender, ::testing::Values(0, 1));

// The final render writes the whole selection's bounds (the host blends by
// the mask); the preview knocks out the unselected part through mask tiles
// read beyond the 16-bit range.
TEST(BigDocumentMask, ASelectionFarDownATallImageRendersAndPreviewsThroughTheMask)
{
    constexpr int kWidth = 240;
    const RgbImage source = WarpTest::NoiseImage(kWidth, kLong, 78);
    GreyImage mask(kWidth, kLong, 0);
    for (int y = 33000; y < 36000; ++y)
        for (int x = 10; x < 230; ++x)
            mask.At(x, y) = x < 120 ? 255 : uint8_t(y % 7 == 0 ? 0 : 128);
    TestHost host(EffectTest::Entry());
    host.SetImage(source);
    host.SetMask(mask);
    host.Options().honourAutoMask = false;
    BigRun run;
    RunStroke(host, {120, 34500}, {130, 34700}, run);
    ASSERT_TRUE(run.result.Succeeded()) << run.result.result << " " << run.result.errorText;

    const HuxRect filter{10, 33000, 230, 36000};
    for (const HuxRect& band : {HuxRect{10, 33000, 230, 33064}, HuxRect{10, 34400, 230, 34600},
                                HuxRect{10, 35950, 230, 36000}}) {
        EXPECT_EQ(FirstDifference(ReferenceBand(run, source, filter, band), Cut(host.Image(), band), band), "")
            << "band from " << band.top;
    }
    // Outside the filter rectangle nothing was written.
    EXPECT_EQ(Cut(host.Image(), {0, 32990, kWidth, 33000}), Cut(source, {0, 32990, kWidth, 33000}));
    EXPECT_EQ(Cut(host.Image(), {0, 33000, 10, 36000}), Cut(source, {0, 33000, 10, 36000}));

    // The preview at its fitting scale (3000 rows in 100), knocked out in
    // the default white where the mask is clear.
    ASSERT_EQ(run.previewScale, 30);
    const HuxRect scaledFilter = HuxRectDivide(filter, 30);
    ASSERT_EQ(run.scaledView, scaledFilter);
    PSPlimGridMapping mapping(run.grid);
    mapping.SetRectangle(scaledFilter);
    WarpTest::ReferenceSource reference;
    reference.image = &source;
    reference.mask = &mask;
    reference.scale = 30;
    reference.scaled = scaledFilter;
    reference.swapped = true;
    const auto expected = WarpTest::ReferenceTile(reference, {0, 0.9, 1.0}, scaledFilter,
                                                  [&](HuxPoint2D p) { return mapping.MapPoint(p); },
                                                  0xFFFFFF);
    EXPECT_EQ(FirstDifference(expected, run.preview, scaledFilter), "");
}

TEST(BigDocumentHost, AnImageTooLargeForAnOldHostIsRefusedWithAMessageAndLeftAlone)
{
    const RgbImage source = WarpTest::NoiseImage(kLong, 20, 79);
    TestHost host(EffectTest::Entry());
    host.SetImage(source);
    host.Options().bigDocument = false;
    host.Options().revertOnFailure = false;
    BigRun run;
    RunStroke(host, {100, 10}, {200, 10}, run);
    EXPECT_EQ(run.result.result, PS::errReportString);
    EXPECT_EQ(run.result.failedSelector, PS::filterSelectorPrepare);
    EXPECT_EQ(run.result.errorText, kHuxPSImageTooLarge);
    EXPECT_FALSE(run.result.startCalled);
    EXPECT_EQ(host.Log().Count(EventKind::AdvanceState), 0u);
    EXPECT_TRUE(host.Image().pixels == source.pixels);
}

// The same small document through both kinds of host: the same tiles, read
// from the fields each host honours.
TEST(BigDocumentHost, RequestsAreTheSameRectanglesInEitherFieldWidth)
{
    const RgbImage source = WarpTest::NoiseImage(300, 200, 80);
    std::vector<uint8_t> results[2];
    for (bool big : {false, true}) {
        TestHost host(EffectTest::Entry());
        host.SetImage(source);
        host.Options().bigDocument = big;
        host.Options().filterRect = Rect32{10, 20, 290, 180};
        BigRun run;
    RunStroke(host, {150, 100}, {170, 110}, run);
        ASSERT_TRUE(run.result.Succeeded()) << run.result.result;
        EXPECT_TRUE(AllRequestsWide(host, big)) << "big document " << big;
        EXPECT_EQ(OutputRequests(host), TilesOf({10, 20, 290, 180})) << "big document " << big;
        // The preview's source tiles: scale 3 for 280 by 160 in 100 by 100.
        std::vector<Rect32> sourceTiles;
        for (const HostEvent& e : host.Log().OfKind(EventKind::AdvanceState))
            if (!e.inRect.Empty())
                sourceTiles.push_back(e.inRect);
        ASSERT_FALSE(sourceTiles.empty());
        EXPECT_EQ(sourceTiles.front(), (Rect32{3, 6, 96, 60})) << "big document " << big;
        results[big] = host.Image().pixels;
    }
    EXPECT_TRUE(results[0] == results[1]);
}

// Every call tells a big-document host again that the 32-bit fields are in
// use (hosts may clear the flag between calls).
TEST(BigDocumentHost, EverySelectorSetsThe32BitFlag)
{
    TestHost host(EffectTest::Entry());
    host.SetImage(WarpTest::NoiseImage(150, 100, 81));
    FakeEditor editor([](CPSPlimPluginApp&) { return kHuxIdOk; });
    EditorInstallation installed(editor);
    host.BuildRecord();
    PS::BigDocumentStruct* big = host.Record().bigDocumentData;
    ASSERT_TRUE(big != nullptr);
    for (int16_t selector : {PS::filterSelectorParameters, PS::filterSelectorPrepare, PS::filterSelectorStart,
                             PS::filterSelectorContinue, PS::filterSelectorFinish}) {
        big->PluginUsing32BitCoordinates = 0;
        if (selector == PS::filterSelectorContinue) {
            ASSERT_EQ(host.ServeRequests(), PS::noErr);
        }
        EXPECT_EQ(host.CallSelector(selector), PS::noErr) << SquelmHost::SelectorName(selector);
        EXPECT_EQ(big->PluginUsing32BitCoordinates, 1) << SquelmHost::SelectorName(selector);
    }
}

} // namespace
