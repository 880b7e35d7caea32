// Scrolling an image's pixels in place.
#include "HuxLib/HUXIMAGE/HuxImage2.h"

#include <gtest/gtest.h>

namespace {

// Five rows of 3-pixel 24-bit image; every pixel's first byte holds
// 10 * row + column, so that a flip or an off-by-one shows.
void Mark(HuxImage2& image)
{
    for (int32_t y = 0; y < image.AbsHeight(); ++y)
        for (int32_t x = 0; x < image.Width(); ++x)
            image.PixelAddress(x, y)[0] = uint8_t(10 * y + x);
}

std::vector<int> Column(const HuxImage2& image, int32_t x)
{
    std::vector<int> values;
    for (int32_t y = 0; y < image.AbsHeight(); ++y)
        values.push_back(image.PixelAddress(x, y)[0]);
    return values;
}

std::vector<int> Row(const HuxImage2& image, int32_t y)
{
    std::vector<int> values;
    for (int32_t x = 0; x < image.Width(); ++x)
        values.push_back(image.PixelAddress(x, y)[0]);
    return values;
}

} // namespace

TEST(ImageScroll, RowsUpOnATopDownImage)
{
    HuxImage2 image;
    image.Create(3, -5, 24, nullptr);
    Mark(image);
    image.ScrollRows(-2);
    EXPECT_EQ(Column(image, 1), (std::vector<int>{21, 31, 41, 31, 41}));
}

TEST(ImageScroll, RowsDownOnATopDownImage)
{
    HuxImage2 image;
    image.Create(3, -5, 24, nullptr);
    Mark(image);
    image.ScrollRows(1);
    EXPECT_EQ(Column(image, 2), (std::vector<int>{2, 2, 12, 22, 32}));
}

TEST(ImageScroll, RowsOnABottomUpImageStayInsideThePixels)
{
    // Rows lie in reverse memory order here: the moved block must be
    // addressed from its lowest row in memory, not from picture row 0.
    HuxImage2 image;
    image.Create(3, 5, 24, nullptr);
    Mark(image);
    image.ScrollRows(-2);
    EXPECT_EQ(Column(image, 0), (std::vector<int>{20, 30, 40, 30, 40}));
    Mark(image);
    image.ScrollRows(3);
    EXPECT_EQ(Column(image, 0), (std::vector<int>{0, 10, 20, 0, 10}));
}

TEST(ImageScroll, ScrollOfTheWholeExtentOrMoreChangesNothing)
{
    HuxImage2 image;
    image.Create(3, -5, 24, nullptr);
    Mark(image);
    image.ScrollRows(5);
    image.ScrollRows(-6);
    image.ScrollColumns(3);
    image.ScrollColumns(-2147483647 - 1);
    EXPECT_EQ(Column(image, 0), (std::vector<int>{0, 10, 20, 30, 40}));
    EXPECT_EQ(Row(image, 4), (std::vector<int>{40, 41, 42}));
}

TEST(ImageScroll, ColumnsBothWays)
{
    HuxImage2 image;
    image.Create(3, -5, 24, nullptr);
    Mark(image);
    image.ScrollColumns(-1);
    EXPECT_EQ(Row(image, 3), (std::vector<int>{31, 32, 32}));
    Mark(image);
    image.ScrollColumns(2);
    EXPECT_EQ(Row(image, 0), (std::vector<int>{0, 1, 0}));
}

TEST(ImageScroll, EightBitColumnsMoveByBytes)
{
    HuxImage2 image;
    image.Create(6, -2, 8, nullptr);
    for (int32_t x = 0; x < 6; ++x)
        *image.PixelAddress(x, 1) = uint8_t(x + 1);
    image.ScrollColumns(-4);
    EXPECT_EQ(*image.PixelAddress(0, 1), 5);
    EXPECT_EQ(*image.PixelAddress(1, 1), 6);
    EXPECT_EQ(*image.PixelAddress(2, 1), 3);
}

TEST(ImageScroll, EmptyImageIgnoresScrolls)
{
    HuxImage2 image;
    image.ScrollRows(1);
    image.ScrollColumns(-1);
    EXPECT_TRUE(image.IsEmpty());
}
