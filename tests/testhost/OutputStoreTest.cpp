// The host storing outData back into the document: at the next advanceState,
// when the selector call returns, through the selection, and never padding.
#include <cstring>

#include "testhost/HostTestSupport.h"
#include "testhost/ImageCompare.h"
#include "testhost/RequestServer.h"

namespace SquelmHostTest {
namespace {

using SquelmHost::EventKind;
using SquelmHost::RgbImage;

const PS::Rect kNone = HostRect(0, 0, 0, 0);

// Fills the delivered output (3 planes) with one colour.
void FillOutput(PS::FilterRecord& r, uint8_t red, uint8_t green, uint8_t blue)
{
    const int width = r.outRect.right - r.outRect.left, height = r.outRect.bottom - r.outRect.top;
    uint8_t* base = static_cast<uint8_t*>(r.outData);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            uint8_t* p = base + y * r.outRowBytes + x * 3;
            p[0] = red;
            p[1] = green;
            p[2] = blue;
        }
    }
}

RgbImage Painted(RgbImage image, int left, int top, int right, int bottom, uint8_t r, uint8_t g, uint8_t b)
{
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x)
            image.Set(x, y, r, g, b);
    return image;
}

TEST_F(HostTest, OutputLandsAtTheNextAdvanceStateAndAtTheEndOfTheCall)
{
    const RgbImage before = host.Image();
    plugin.On(PS::filterSelectorStart, [&](PS::FilterRecord& r) {
        Request(r, kNone, HostRect(0, 0, 5, 4), kNone);
        EXPECT_EQ(r.advanceState(), PS::noErr);
        FillOutput(r, 200, 100, 50);
        // Nothing is stored while the plug-in still holds the buffer.
        EXPECT_TRUE(SquelmHost::CompareImages(before, host.Image()).Identical());
        Request(r, kNone, HostRect(5, 3, 10, 7), kNone);
        EXPECT_EQ(r.advanceState(), PS::noErr);
        FillOutput(r, 1, 2, 3);
        // The last tile stays requested when Start returns.
        return PS::noErr;
    });
    plugin.On(PS::filterSelectorContinue, [&](PS::FilterRecord& r) {
        // By now the last tile of Start is in the document.
        EXPECT_EQ(host.Image().At(9, 6)[0], 1);
        r.inRect = r.outRect = r.maskRect = kNone;
        return PS::noErr;
    });
    const SquelmHost::RunResult result = host.RunFilter();
    ASSERT_TRUE(result.Succeeded()) << host.Log().ToString();
    const RgbImage expected = Painted(Painted(before, 0, 0, 5, 4, 200, 100, 50), 5, 3, 10, 7, 1, 2, 3);
    const auto diff = SquelmHost::CompareImages(expected, host.Image());
    EXPECT_TRUE(diff.Identical()) << diff.Describe();
    EXPECT_EQ(host.Log().Count(EventKind::OutputStored), 3u) << "two tiles, and the untouched one of Continue";
}

TEST_F(HostTest, PlaneSubsetOfTheOutputTouchesOnlyThosePlanes)
{
    Request(host.Record(), kNone, HostRect(1, 1, 2, 2), kNone);
    host.Record().outLoPlane = 2;
    host.Record().outHiPlane = 2;
    ASSERT_EQ(host.Record().advanceState(), PS::noErr);
    static_cast<uint8_t*>(host.Record().outData)[0] = 77;
    ASSERT_EQ(host.CallSelector(PS::filterSelectorFinish), PS::noErr);
    EXPECT_EQ(host.Image().At(1, 1)[0], 1);
    EXPECT_EQ(host.Image().At(1, 1)[1], 1);
    EXPECT_EQ(host.Image().At(1, 1)[2], 77);
}

TEST_F(HostTest, InputComesFromTheSourceNotFromWrittenOutput)
{
    ASSERT_EQ(Advance(kNone, HostRect(0, 0, 2, 2), kNone), PS::noErr);
    FillOutput(host.Record(), 99, 99, 99);
    ASSERT_EQ(Advance(HostRect(0, 0, 2, 2), kNone, kNone), PS::noErr);
    EXPECT_EQ(host.Image().At(1, 1)[0], 99) << "the output was stored";
    const uint8_t* in = static_cast<const uint8_t*>(host.Record().inData);
    EXPECT_EQ(in[host.Record().inRowBytes + 3], 1) << "but the source still shows the original pixel";
}

TEST_F(HostTest, WritesPastTheRowAreCountedNotStored)
{
    ASSERT_EQ(Advance(kNone, HostRect(0, 0, 2, 2), kNone), PS::noErr);
    uint8_t* out = static_cast<uint8_t*>(host.Record().outData);
    std::memset(out, 5, 8); // two pixels, then two bytes of padding
    ASSERT_EQ(host.CallSelector(PS::filterSelectorFinish), PS::noErr);
    EXPECT_EQ(host.PaddingViolations(), 2);
    EXPECT_EQ(host.Image().At(1, 0)[2], 5);
    EXPECT_EQ(host.Image().At(2, 0)[0], 2) << "padding never reaches the document";
    const auto stored = host.Log().OfKind(EventKind::OutputStored);
    ASSERT_EQ(stored.size(), 1u);
    EXPECT_EQ(stored[0].value, 2);
}

class MaskedOutputTest : public HostTest {
protected:
    MaskedOutputTest()
    {
        SquelmHost::GreyImage mask(10, 7, 0);
        mask.At(2, 1) = 255;
        mask.At(3, 1) = 128;
        mask.At(4, 3) = 255; // selection bounds (2, 1)-(5, 4)
        host.SetMask(mask);
        host.BuildRecord();
    }
};

TEST_F(MaskedOutputTest, FilterRectangleIsTheSelectionBounds)
{
    const PS::FilterRecord& r = host.Record();
    EXPECT_EQ(SquelmHost::FromHostRect(r.filterRect), (SquelmHost::Rect32{2, 1, 5, 4}));
    EXPECT_TRUE(r.haveMask);
    EXPECT_TRUE(r.autoMask);
    EXPECT_EQ(r.filterCase, 2);
}

TEST_F(MaskedOutputTest, AutoMaskBlendsTheOutputThroughTheSelection)
{
    ASSERT_EQ(Advance(kNone, HostRect(2, 1, 4, 2), kNone), PS::noErr);
    FillOutput(host.Record(), 255, 255, 255);
    ASSERT_EQ(host.CallSelector(PS::filterSelectorFinish), PS::noErr);
    // Fully selected takes the output; half selected (128) mixes:
    // (3 * 127 + 255 * 128 + 127) / 255 = 129 for red 3 at (3, 1).
    EXPECT_EQ(host.Image().At(2, 1)[0], 255);
    EXPECT_EQ(host.Image().At(3, 1)[0], 129);
    EXPECT_EQ(host.Image().At(3, 1)[1], (1 * 127 + 255 * 128 + 127) / 255);
}

TEST_F(MaskedOutputTest, ClearedAutoMaskOrAnIgnoringHostStoresVerbatim)
{
    host.Record().autoMask = false;
    ASSERT_EQ(Advance(kNone, HostRect(3, 1, 4, 2), kNone), PS::noErr);
    FillOutput(host.Record(), 255, 255, 255);
    ASSERT_EQ(host.CallSelector(PS::filterSelectorFinish), PS::noErr);
    EXPECT_EQ(host.Image().At(3, 1)[0], 255);

    host.Options().honourAutoMask = false;
    host.BuildRecord();
    ASSERT_EQ(Advance(kNone, HostRect(0, 0, 1, 1), kNone), PS::noErr); // mask 0 there
    FillOutput(host.Record(), 40, 40, 40);
    ASSERT_EQ(host.CallSelector(PS::filterSelectorFinish), PS::noErr);
    EXPECT_EQ(host.Image().At(0, 0)[0], 40);
}

} // namespace
} // namespace SquelmHostTest
