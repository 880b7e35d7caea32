// Preview images drawn on the screen: scaled copies on a true-colour
// display, dithered to the default palette on a palette display (forced
// through the device-depth argument, the test display being true-colour).
#include <gtest/gtest.h>

#include "HuxLib/HUXIMAGE/HuxDitherer.h"
#include "HuxLib/HUXIMAGE/HuxImage2.h"
#include "HuxLib/HUXIMAGE/HuxPalette.h"
#include "ScreenWindow.h"

namespace {

using ScreenTest::PlainWindow;

constexpr COLORREF kBackground = RGB(10, 200, 30);

// Every pixel of its own colour, none of them a default-palette entry.
COLORREF PictureColour(int x, int y) { return RGB(37 + 29 * x, 61 + 23 * y, 101 + 11 * x + 7 * y); }

void Paint(HuxDIBBuffer& picture, int width, int height, bool topDown)
{
    picture.Create(width, topDown ? -height : height, 24, nullptr);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            uint8_t* pixel = picture.PixelAddress(x, y);
            const COLORREF c = PictureColour(x, y);
            pixel[0] = GetBValue(c);
            pixel[1] = GetGValue(c);
            pixel[2] = GetRValue(c);
        }
    }
}

void DrawOn(const PlainWindow& window, const HuxImage2& image, const HuxRect& destination, const HuxRect& source,
            int depth)
{
    const HDC dc = GetDC(window.Handle());
    if (depth)
        image.Draw(dc, destination, source, depth);
    else
        image.Draw(dc, destination, source);
    ReleaseDC(window.Handle(), dc);
}

class ImageDisplay : public testing::TestWithParam<bool> {};

TEST_P(ImageDisplay, TrueColourDrawIsTheSourceRectangleScaledIntoTheDestination)
{
    HuxImage2 image;
    Paint(image, 6, 4, GetParam());
    PlainWindow window(40, 30, kBackground);
    // Rows 0 and 1 of four: the rows' order in memory matters.
    const HuxRect source{1, 0, 5, 2};
    const HuxRect destination{10, 20, 18, 24}; // twice the size
    DrawOn(window, image, destination, source, 0);
    const auto screen = window.CaptureWhen(10, 20, PictureColour(1, 0));
    ASSERT_FALSE(screen.Empty());
    for (int y = 0; y < 30; ++y) {
        for (int x = 0; x < 40; ++x) {
            const bool inside = x >= 10 && x < 18 && y >= 20 && y < 24;
            const COLORREF expected = inside ? PictureColour(1 + (x - 10) / 2, (y - 20) / 2) : kBackground;
            ASSERT_EQ(ScreenTest::ColourAt(screen, x, y), expected) << "at " << x << "," << y;
        }
    }
}

TEST_P(ImageDisplay, PaletteDrawShowsThePictureDitheredToTheDefaultPalette)
{
    HuxImage2 image;
    Paint(image, 16, 8, GetParam());
    PlainWindow window(40, 30, kBackground);
    const HuxRect source{2, 2, 14, 7};
    const HuxRect destination{5, 7, 17, 12}; // one to one
    DrawOn(window, image, destination, source, 8);

    // What the dithering makes of the same pixels, through the palette.
    HuxDIBBuffer cut;
    cut.Create(12, -5, 24, nullptr);
    for (int y = 0; y < 5; ++y) {
        for (int x = 0; x < 12; ++x) {
            const uint8_t* from = image.PixelAddress(2 + x, 2 + y);
            uint8_t* to = cut.PixelAddress(x, y);
            to[0] = from[0];
            to[1] = from[1];
            to[2] = from[2];
        }
    }
    HuxPalette palette;
    palette.SetDefault();
    HuxDIBBuffer indices;
    HuxDitherToPalette(cut, indices, palette);
    const auto expected = [&](int x, int y) {
        const HuxRGBQuad& entry = palette.Entries()[*indices.PixelAddress(x, y)];
        return RGB(entry.red, entry.green, entry.blue);
    };

    const auto screen = window.CaptureWhen(5, 7, expected(0, 0));
    ASSERT_FALSE(screen.Empty());
    int unlikeSource = 0;
    for (int y = 0; y < 30; ++y) {
        for (int x = 0; x < 40; ++x) {
            const bool inside = x >= 5 && x < 17 && y >= 7 && y < 12;
            const COLORREF want = inside ? expected(x - 5, y - 7) : kBackground;
            ASSERT_EQ(ScreenTest::ColourAt(screen, x, y), want) << "at " << x << "," << y;
            unlikeSource += inside && want != PictureColour(2 + x - 5, 2 + y - 7);
        }
    }
    EXPECT_EQ(unlikeSource, 12 * 5); // no picture colour is a palette entry
}

TEST_P(ImageDisplay, EmptyOrInvertedRectanglesDrawNothingOnEitherPath)
{
    HuxImage2 image;
    Paint(image, 6, 4, GetParam());
    PlainWindow window(40, 30, kBackground);
    const HuxRect good{0, 0, 6, 4};
    const HuxRect bad[] = {{20, 10, 4, 25}, {4, 25, 20, 10}, {4, 10, 4, 25}, {4, 10, 20, 10}};
    for (const int depth : {0, 8}) {
        for (const HuxRect& r : bad) {
            DrawOn(window, image, r, good, depth);
            DrawOn(window, image, {2, 2, 30, 28}, r, depth);
        }
    }
    // Then a marker, so that the reading shows everything drawn before it.
    const HDC dc = GetDC(window.Handle());
    SetPixel(dc, 39, 29, RGB(255, 0, 255));
    ReleaseDC(window.Handle(), dc);
    const auto screen = window.CaptureWhen(39, 29, RGB(255, 0, 255));
    ASSERT_FALSE(screen.Empty());
    ASSERT_EQ(ScreenTest::ColourAt(screen, 39, 29), RGB(255, 0, 255));
    for (int y = 0; y < 30; ++y) {
        for (int x = 0; x < 40; ++x) {
            if (x != 39 || y != 29) {
                ASSERT_EQ(ScreenTest::ColourAt(screen, x, y), kBackground) << "at " << x << "," << y;
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(TopDownAndBottomUp, ImageDisplay, testing::Bool());

} // namespace
