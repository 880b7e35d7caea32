// Image buffers: strides, header sizes, pixel addresses and creation.
#include "HuxLib/HUXIMAGE/HuxDIBBuffer.h"
#include "HuxLib/HUXIMAGE/HuxPalette.h"

#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <new>
#include <stdexcept>

TEST(DIBBuffer, RowStrides)
{
    EXPECT_EQ(HuxDIBBuffer::RowStrideFor(5, 24), 16);
    EXPECT_EQ(HuxDIBBuffer::RowStrideFor(9, 1), 4);
    EXPECT_EQ(HuxDIBBuffer::RowStrideFor(4, 8), 4);
    EXPECT_EQ(HuxDIBBuffer::RowStrideFor(33, 1), 8);
    EXPECT_EQ(HuxDIBBuffer::RowStrideFor(3, 4), 4);
    EXPECT_EQ(HuxDIBBuffer::RowStrideFor(3, 16), 8);
    EXPECT_EQ(HuxDIBBuffer::RowStrideFor(1, 32), 4);
    EXPECT_EQ(HuxDIBBuffer::RowStrideFor(0, 24), 0);
    EXPECT_THROW(HuxDIBBuffer::RowStrideFor(std::numeric_limits<int32_t>::max(), 32), std::bad_alloc);
}

TEST(DIBBuffer, HeaderSizes)
{
    HuxBitmapInfoHeader header{};
    header.biBitCount = 8;
    EXPECT_EQ(HuxDIBBuffer::HeaderSizeFor(header), 40 + 1024);
    header.biClrUsed = 16;
    EXPECT_EQ(HuxDIBBuffer::HeaderSizeFor(header), 40 + 64);
    header = {};
    header.biBitCount = 24;
    EXPECT_EQ(HuxDIBBuffer::HeaderSizeFor(header), 40);
    header.biBitCount = 16;
    header.biCompression = kHuxBiBitFields;
    EXPECT_EQ(HuxDIBBuffer::HeaderSizeFor(header), 52);
}

TEST(DIBBuffer, NewBufferIsEmpty)
{
    HuxDIBBuffer buffer;
    EXPECT_TRUE(buffer.IsEmpty());
    EXPECT_EQ(buffer.Pixels(), nullptr);
    EXPECT_EQ(buffer.ImageSize(), 0);
    EXPECT_FALSE(buffer.OwnsMemory());
    EXPECT_FALSE(buffer.IsPacked());
    EXPECT_EQ(buffer.PixelAddress(0, 0), nullptr);
}

TEST(DIBBuffer, CreateGivesOnePackedZeroFilledBlock)
{
    HuxDIBBuffer buffer;
    buffer.Create(5, -3, 24, nullptr);
    ASSERT_FALSE(buffer.IsEmpty());
    EXPECT_EQ(buffer.Header()->biSize, 40u);
    EXPECT_EQ(buffer.Header()->biPlanes, 1);
    EXPECT_EQ(buffer.Width(), 5);
    EXPECT_EQ(buffer.Height(), -3);
    EXPECT_EQ(buffer.RowStride(), 16);
    EXPECT_EQ(buffer.ImageSize(), 48);
    EXPECT_TRUE(buffer.OwnsMemory());
    EXPECT_TRUE(buffer.IsPacked());
    EXPECT_EQ(buffer.Pixels(), reinterpret_cast<const uint8_t*>(buffer.Header()) + 40);
    for (int32_t i = 0; i < buffer.ImageSize(); ++i)
        ASSERT_EQ(buffer.Pixels()[i], 0) << "byte " << i;
}

TEST(DIBBuffer, EightBitTakesThePaletteAndOneBitIsBlackAndWhite)
{
    HuxPalette grey;
    grey.SetGrey();
    HuxDIBBuffer eight;
    eight.Create(4, 2, 8, &grey);
    EXPECT_EQ(eight.Pixels(), reinterpret_cast<const uint8_t*>(eight.Header()) + 40 + 1024);
    EXPECT_EQ(eight.ColourTable()[200].green, 200);
    EXPECT_EQ(eight.ColourTable()[255].red, 255);

}

TEST(DIBBuffer, EightBitWithoutAValidPaletteTakesTheDefaultPalette)
{
    HuxPalette standard;
    standard.SetDefault();
    const HuxPalette notValid;
    for (const HuxPalette* palette : {static_cast<const HuxPalette*>(nullptr), &notValid}) {
        HuxDIBBuffer eight;
        eight.Create(2, 1, 8, palette);
        EXPECT_EQ(std::memcmp(eight.ColourTable(), standard.Entries(), 256 * sizeof(HuxRGBQuad)), 0);
    }
}

TEST(DIBBuffer, PixelAddressFollowsTheOrientation)
{
    HuxDIBBuffer bottomUp;
    bottomUp.Create(4, 10, 24, nullptr);
    EXPECT_EQ(bottomUp.PixelAddress(0, 0), bottomUp.Pixels() + 9 * 12);
    EXPECT_EQ(bottomUp.PixelAddress(3, 9), bottomUp.Pixels() + 9);

    HuxDIBBuffer topDown;
    topDown.Create(4, -10, 24, nullptr);
    EXPECT_EQ(topDown.PixelAddress(0, 0), topDown.Pixels());
    EXPECT_EQ(topDown.PixelAddress(2, 1), topDown.Pixels() + 12 + 6);
}

TEST(DIBBuffer, PixelAddressOfSmallDepthsGivesTheBitPlace)
{
    HuxDIBBuffer one;
    one.Create(16, -1, 1, nullptr);
    int place = -1;
    EXPECT_EQ(one.PixelAddress(3, 0, &place), one.Pixels());
    EXPECT_EQ(place, 4);
    EXPECT_EQ(one.PixelAddress(9, 0, &place), one.Pixels() + 1);
    EXPECT_EQ(place, 6);

    HuxDIBBuffer four;
    four.Create(5, -1, 4, nullptr);
    EXPECT_EQ(four.PixelAddress(3, 0, &place), four.Pixels() + 1);
    EXPECT_EQ(place, 0);

    HuxDIBBuffer two;
    two.Create(8, -1, 2, nullptr);
    EXPECT_EQ(two.PixelAddress(6, 0, &place), two.Pixels() + 1);
    EXPECT_EQ(place, 1);

    HuxDIBBuffer eight;
    eight.Create(8, -1, 8, nullptr);
    place = -1;
    eight.PixelAddress(6, 0, &place);
    EXPECT_EQ(place, 0);
}

TEST(DIBBuffer, PixelAddressOutsideIsNull)
{
    HuxDIBBuffer buffer;
    buffer.Create(4, 3, 24, nullptr);
    EXPECT_EQ(buffer.PixelAddress(4, 0), nullptr);
    EXPECT_EQ(buffer.PixelAddress(0, 3), nullptr);
    EXPECT_EQ(buffer.PixelAddress(-1, 0), nullptr);
    EXPECT_EQ(buffer.PixelAddress(0, -1), nullptr);
}

TEST(DIBBuffer, FailedCreateLeavesTheBufferEmpty)
{
    HuxDIBBuffer buffer;
    buffer.Create(4, 3, 24, nullptr);
    EXPECT_THROW(buffer.Create(40000, 40000, 32, nullptr), std::bad_alloc);
    EXPECT_TRUE(buffer.IsEmpty());
    EXPECT_EQ(buffer.ImageSize(), 0);
    EXPECT_THROW(buffer.Create(4, 3, 7, nullptr), std::invalid_argument);
    EXPECT_THROW(buffer.Create(-4, 3, 24, nullptr), std::invalid_argument);
    EXPECT_TRUE(buffer.IsEmpty());
}

TEST(DIBBuffer, AttachViewsForeignMemory)
{
    struct {
        HuxBitmapInfoHeader header;
        uint8_t pixels[2 * 8];
    } foreign{};
    foreign.header.biSize = 40;
    foreign.header.biWidth = 2;
    foreign.header.biHeight = -2;
    foreign.header.biBitCount = 24;

    HuxDIBBuffer buffer;
    buffer.Create(4, 4, 24, nullptr);
    buffer.Attach(&foreign.header, foreign.pixels);
    EXPECT_FALSE(buffer.OwnsMemory());
    EXPECT_FALSE(buffer.IsPacked());
    EXPECT_EQ(buffer.RowStride(), 8);
    EXPECT_EQ(buffer.ImageSize(), 16);
    EXPECT_EQ(buffer.PixelAddress(1, 1), foreign.pixels + 8 + 3);
}
