// Reading image and mask rectangles from the host, and the previews built
// from them.
#include "FakeHost.h"

#include "HuxLib/HUXIMAGE/HuxImage2.h"

#include <gtest/gtest.h>

using namespace FakeHostTest;

namespace {

constexpr int32_t kRate1 = 0x10000;

void ExpectPixel(const HuxImage2& image, int32_t x, int32_t y, uint8_t b0, uint8_t b1, uint8_t b2)
{
    const uint8_t* p = image.PixelAddress(x, y);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p[0], b0) << "at " << x << "," << y;
    EXPECT_EQ(p[1], b1) << "at " << x << "," << y;
    EXPECT_EQ(p[2], b2) << "at " << x << "," << y;
}

} // namespace

TEST(ReadInput, ScaleOneSwapsIntoBlueGreenRed)
{
    FakeHost host(10, 6);
    RecordingFilter filter;
    HuxImage2 image;
    image.Create(4, -3, 24, nullptr);
    EXPECT_EQ(RunInStart(filter, host, [&] { filter.ReadInput({2, 1, 6, 4}, 1, image, {}, true); }), 0);

    ASSERT_EQ(host.requests.size(), 1u);
    const Request& r = host.requests[0];
    EXPECT_EQ(r.inRect, (HuxRect{2, 1, 6, 4}));
    EXPECT_TRUE(r.outRect.IsEmpty() && r.outRect == HuxRect{});
    EXPECT_EQ(r.maskRect, HuxRect{});
    EXPECT_EQ(r.inLoPlane, 0);
    EXPECT_EQ(r.inHiPlane, 2);
    EXPECT_EQ(r.inputRate, kRate1);
    for (int32_t y = 0; y < 3; ++y)
        for (int32_t x = 0; x < 4; ++x)
            ExpectPixel(image, x, y, FakeHost::Blue(2 + x, 1 + y), FakeHost::Green(2 + x, 1 + y),
                        FakeHost::Red(2 + x, 1 + y));
}

TEST(ReadInput, ScaleThreeWithoutSwapLandsAtTheOrigin)
{
    FakeHost host(12, 9);
    RecordingFilter filter;
    HuxImage2 image;
    image.Create(4, -3, 24, nullptr);
    EXPECT_EQ(RunInStart(filter, host, [&] { filter.ReadInput({1, 0, 3, 2}, 3, image, {1, 1}, false); }), 0);

    ASSERT_EQ(host.requests.size(), 1u);
    EXPECT_EQ(host.requests[0].inputRate, 3 * kRate1);
    for (int32_t j = 0; j < 2; ++j)
        for (int32_t i = 0; i < 2; ++i)
            ExpectPixel(image, 1 + i, 1 + j, FakeHost::Red((1 + i) * 3, j * 3), FakeHost::Green((1 + i) * 3, j * 3),
                        FakeHost::Blue((1 + i) * 3, j * 3));
    // Outside the rectangle the image is untouched.
    ExpectPixel(image, 0, 0, 0, 0, 0);
    ExpectPixel(image, 3, 2, 0, 0, 0);
    ExpectPixel(image, 0, 1, 0, 0, 0);
}

TEST(ReadInput, RectangleThatDoesNotFitTheImageIsRefusedBeforeAnyRequest)
{
    FakeHost host(10, 6);
    RecordingFilter filter;
    HuxImage2 image;
    image.Create(4, -3, 24, nullptr);
    EXPECT_EQ(RunInStart(filter, host, [&] { filter.ReadInput({0, 0, 4, 3}, 1, image, {1, 0}, true); }), -1);
    EXPECT_TRUE(host.requests.empty());
}

TEST(ReadInput, HostThatDeliversNothingIsReportedNotRead)
{
    FakeHost host(10, 6);
    host.deliverNothing = true;
    RecordingFilter filter;
    HuxImage2 image;
    image.Create(4, -3, 24, nullptr);
    EXPECT_EQ(RunInStart(filter, host, [&] { filter.ReadInput({0, 0, 4, 3}, 1, image, {}, true); }),
              PS::errPlugInHostInsufficient);
}

TEST(ReadInput, HostErrorEndsTheCallWithItsCode)
{
    FakeHost host(10, 6);
    host.advanceError = -30101;
    RecordingFilter filter;
    HuxImage2 image;
    image.Create(4, -3, 24, nullptr);
    EXPECT_EQ(RunInStart(filter, host, [&] { filter.ReadInput({0, 0, 4, 3}, 1, image, {}, true); }), -30101);
}

TEST(ReadMask, ScaleTwoCopiesMaskBytesRowByRow)
{
    FakeHost host(8, 8);
    RecordingFilter filter;
    HuxImage2 image;
    image.Create(3, -2, 8, nullptr);
    EXPECT_EQ(RunInStart(filter, host, [&] { filter.ReadMask({0, 1, 3, 3}, 2, image, {}); }), 0);

    ASSERT_EQ(host.requests.size(), 1u);
    EXPECT_EQ(host.requests[0].maskRect, (HuxRect{0, 1, 3, 3}));
    EXPECT_EQ(host.requests[0].inRect, HuxRect{});
    EXPECT_EQ(host.requests[0].maskRate, 2 * kRate1);
    for (int32_t y = 0; y < 2; ++y)
        for (int32_t x = 0; x < 3; ++x)
            EXPECT_EQ(*image.PixelAddress(x, y), FakeHost::MaskAt(x * 2, (1 + y) * 2)) << x << "," << y;
}

TEST(Previews, WithoutAMaskTheDisplayPreviewIsTheSourcePreview)
{
    FakeHost host(8, 6);
    RecordingFilter filter;
    EXPECT_EQ(RunInStart(filter, host, [&] { filter.SetPreviewSize(8, 6); }), 0);
    ASSERT_NE(filter.GetSourcePreview(), nullptr);
    EXPECT_EQ(filter.GetDisplayPreview(), filter.GetSourcePreview());
    EXPECT_EQ(filter.GetMaskPreview(), nullptr);
    EXPECT_EQ(filter.outputBuilds, 1);
    const HuxImage2& source = *filter.GetSourcePreview();
    EXPECT_EQ(source.Width(), 8);
    EXPECT_EQ(source.Height(), -6);
    ExpectPixel(source, 7, 5, FakeHost::Blue(7, 5), FakeHost::Green(7, 5), FakeHost::Red(7, 5));
}

TEST(Previews, DisplayPreviewDarkensByTheMask)
{
    FakeHost host(8, 6);
    host.SetMask(true);
    RecordingFilter filter;
    // Which preview is shown depends on the call's record: asked inside it.
    const HuxImage2* display = nullptr;
    EXPECT_EQ(RunInStart(filter, host, [&] {
                  filter.SetPreviewSize(8, 6);
                  display = filter.GetDisplayPreview();
              }),
              0);
    ASSERT_NE(display, nullptr);
    EXPECT_NE(display, filter.GetSourcePreview());

    // (5, 3): red 38, green 17, blue 12, mask 206: each times 461 / 512.
    ExpectPixel(*display, 5, 3, 10, 15, 34);
    for (int32_t y = 0; y < 6; ++y) {
        for (int32_t x = 0; x < 8; ++x) {
            const int m = FakeHost::MaskAt(x, y) + 255;
            ExpectPixel(*display, x, y, uint8_t(FakeHost::Blue(x, y) * m / 512),
                        uint8_t(FakeHost::Green(x, y) * m / 512), uint8_t(FakeHost::Red(x, y) * m / 512));
        }
    }
    // The display request asks for image and mask together.
    bool combined = false;
    for (const Request& r : host.requests)
        combined |= !r.inRect.IsEmpty() && r.inRect == r.maskRect;
    EXPECT_TRUE(combined);
}

TEST(Previews, MaskPreviewIsGreyEightBit)
{
    FakeHost host(8, 6);
    host.SetMask(true);
    RecordingFilter filter;
    EXPECT_EQ(RunInStart(filter, host, [&] { filter.SetPreviewSize(8, 6); }), 0);
    const HuxImage2* mask = filter.GetMaskPreview();
    ASSERT_NE(mask, nullptr);
    EXPECT_EQ(mask->BitsPerPixel(), 8);
    EXPECT_EQ(mask->ColourTable()[77].red, 77);
    EXPECT_EQ(mask->ColourTable()[77].blue, 77);
    EXPECT_EQ(*mask->PixelAddress(6, 4), FakeHost::MaskAt(6, 4));
}

TEST(Previews, ThumbnailOfAWideImageReadsAtScaleTwenty)
{
    FakeHost host(3000, 1000);
    RecordingFilter filter;
    EXPECT_EQ(RunInStart(filter, host, [&] { filter.BuildThumbnail(150, 150); }), 0);
    const HuxImage2* thumbnail = filter.GetThumbnail();
    ASSERT_NE(thumbnail, nullptr);
    EXPECT_EQ(thumbnail->Width(), 150);
    EXPECT_EQ(thumbnail->AbsHeight(), 50);
    ASSERT_EQ(host.requests.size(), 1u);
    EXPECT_EQ(host.requests[0].inputRate, 20 * kRate1);
    EXPECT_EQ(host.requests[0].inRect, (HuxRect{0, 0, 150, 50}));
    ExpectPixel(*thumbnail, 149, 49, FakeHost::Blue(2980, 980), FakeHost::Green(2980, 980), FakeHost::Red(2980, 980));
}

TEST(Previews, ThumbnailOfAnOffsetFilterRectangle)
{
    FakeHost host(120, 60);
    host.SetFilterRect({7, 5, 107, 55});
    RecordingFilter filter;
    EXPECT_EQ(RunInStart(filter, host, [&] { filter.BuildThumbnail(10, 10); }), 0);
    ASSERT_NE(filter.GetThumbnail(), nullptr);
    EXPECT_EQ(filter.GetThumbnail()->Width(), 10);
    EXPECT_EQ(filter.GetThumbnail()->AbsHeight(), 5);
    EXPECT_EQ(host.requests[0].inRect, (HuxRect{0, 0, 10, 5}));
}
