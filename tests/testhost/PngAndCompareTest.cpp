// PNG reading and writing, and the comparison report.
#include <cstdio>

#include <stb_image_write.h>

#include "testhost/HostTestSupport.h"
#include "testhost/ImageCompare.h"
#include "testhost/PngIO.h"

namespace SquelmHostTest {
namespace {

using SquelmHost::CompareImages;
using SquelmHost::GreyImage;
using SquelmHost::RgbImage;

std::string TempPath(const char* name)
{
    return ::testing::TempDir() + name;
}

TEST(PngTest, RgbRoundTripIsExact)
{
    const RgbImage image = Pattern(13, 5);
    const std::string path = TempPath("squelm_rgb.png");
    SquelmHost::SavePng(path, image);
    const RgbImage back = SquelmHost::LoadRgbPng(path);
    const auto diff = CompareImages(image, back);
    EXPECT_TRUE(diff.Identical()) << diff.Describe();
    std::remove(path.c_str());
}

TEST(PngTest, GreyRoundTripIsExactAndSpreadsToRgb)
{
    const GreyImage mask = MaskPattern(6, 4);
    const std::string path = TempPath("squelm_grey.png");
    SquelmHost::SaveGreyPng(path, mask);
    EXPECT_TRUE(CompareImages(mask, SquelmHost::LoadGreyPng(path)).Identical());
    const RgbImage spread = SquelmHost::LoadRgbPng(path);
    EXPECT_EQ(spread.At(5, 3)[0], mask.At(5, 3));
    EXPECT_EQ(spread.At(5, 3)[2], mask.At(5, 3));
    std::remove(path.c_str());
}

TEST(PngTest, AlphaIsDroppedNotComposited)
{
    const uint8_t rgba[] = {10, 20, 30, 0, 40, 50, 60, 128};
    const std::string path = TempPath("squelm_rgba.png");
    ASSERT_TRUE(stbi_write_png(path.c_str(), 2, 1, 4, rgba, 8));
    const RgbImage image = SquelmHost::LoadRgbPng(path);
    ASSERT_EQ(image.width, 2);
    EXPECT_EQ(image.At(0, 0)[0], 10);
    EXPECT_EQ(image.At(0, 0)[2], 30);
    EXPECT_EQ(image.At(1, 0)[1], 50);
    std::remove(path.c_str());
}

TEST(PngTest, UnreadableFilesThrowWithTheirName)
{
    try {
        SquelmHost::LoadRgbPng(TempPath("squelm_missing.png"));
        FAIL() << "no exception";
    } catch (const std::runtime_error& e) {
        EXPECT_NE(std::string(e.what()).find("squelm_missing.png"), std::string::npos) << e.what();
    }
    EXPECT_THROW(SquelmHost::SavePng(TempPath("x.png"), RgbImage()), std::runtime_error);
}

TEST(ImageCompareTest, ReportsCountLargestAndPlaces)
{
    const RgbImage a = Pattern(8, 8);
    RgbImage b = a;
    b.At(6, 2)[1] += 3;
    b.At(1, 5)[2] += 40;
    b.At(7, 7)[0] += 1;
    const auto diff = CompareImages(a, b);
    EXPECT_EQ(diff.differingPixels, 3);
    EXPECT_EQ(diff.largestDifference, 40);
    EXPECT_EQ(diff.worstX, 1);
    EXPECT_EQ(diff.worstY, 5);
    EXPECT_EQ(diff.firstX, 6);
    EXPECT_EQ(diff.firstY, 2);
    EXPECT_EQ(diff.Describe(), "3 pixels differ, largest 40 at (1, 5), first at (6, 2)");

    const auto tolerant = CompareImages(a, b, 3);
    EXPECT_EQ(tolerant.differingPixels, 1);
    EXPECT_EQ(CompareImages(a, b, 40).differingPixels, 0);
}

TEST(ImageCompareTest, SizeMismatchIsNeverIdentical)
{
    const auto diff = CompareImages(Pattern(2, 3), Pattern(3, 2));
    EXPECT_TRUE(diff.sizeMismatch);
    EXPECT_FALSE(diff.Identical());
    EXPECT_EQ(diff.Describe(), "images differ in size");
    EXPECT_TRUE(CompareImages(GreyImage(2, 2, 9), GreyImage(2, 2, 9)).Identical());
}

} // namespace
} // namespace SquelmHostTest
