// Bitmap-button faces: the system-colour map and the emboss on small
// bitmaps with markers that a flip or a shift would move.
#include "HuxLib/HUXCTRL/HuxButtonFace.h"
#include "HuxLib/HUXIMAGE/HuxDIBBuffer.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace {

// Colours unlike any grey, so a mapped pixel cannot pass for a copied one.
const HuxButtonFaceColours kColours{HuxRGB(10, 20, 30), HuxRGB(40, 50, 60), HuxRGB(70, 80, 90)};

void SetPixel(HuxDIBBuffer& picture, int32_t x, int32_t y, int red, int green, int blue)
{
    uint8_t* p = picture.PixelAddress(x, y);
    p[0] = uint8_t(blue);
    p[1] = uint8_t(green);
    p[2] = uint8_t(red);
}

HuxColourRef PixelAt(const HuxDIBBuffer& picture, int32_t x, int32_t y)
{
    const uint8_t* p = picture.PixelAddress(x, y);
    return HuxRGB(p[2], p[1], p[0]);
}

// The picture as rows of letters: F face, S shadow, H highlight, '.' other.
std::vector<std::string> Letters(const HuxDIBBuffer& picture)
{
    std::vector<std::string> rows;
    for (int32_t y = 0; y < picture.AbsHeight(); ++y) {
        std::string row;
        for (int32_t x = 0; x < picture.Width(); ++x) {
            const HuxColourRef c = PixelAt(picture, x, y);
            row += c == kColours.face ? 'F' : c == kColours.shadow ? 'S' : c == kColours.highlight ? 'H' : '.';
        }
        rows.push_back(row);
    }
    return rows;
}

} // namespace

TEST(ButtonFace, SystemColourMapReplacesNearGreysOnly)
{
    for (int32_t orientation : {1, -1}) {
        SCOPED_TRACE(orientation > 0 ? "bottom-up source" : "top-down source");
        HuxDIBBuffer source;
        source.Create(4, 2 * orientation, 24, nullptr);
        SetPixel(source, 0, 0, 192, 192, 192);
        SetPixel(source, 1, 0, 248, 255, 250); // all within 7 of 255
        SetPixel(source, 2, 0, 121, 135, 128); // all within 7 of 128
        SetPixel(source, 3, 0, 192, 192, 184); // blue 8 away: kept
        SetPixel(source, 0, 1, 255, 0, 0);
        SetPixel(source, 1, 1, 185, 199, 192);
        SetPixel(source, 2, 1, 255, 255, 247); // blue 8 away: kept
        SetPixel(source, 3, 1, 120, 128, 128);
        HuxDIBBuffer face;
        HuxMapSystemColours(source, face, kColours);
        EXPECT_EQ(face.Width(), 4);
        EXPECT_EQ(face.Height(), -2) << "top-down";
        EXPECT_EQ(Letters(face), (std::vector<std::string>{"FHS.", ".F.."}));
        EXPECT_EQ(PixelAt(face, 3, 0), HuxRGB(192, 192, 184));
        EXPECT_EQ(PixelAt(face, 0, 1), HuxRGB(255, 0, 0));
        EXPECT_EQ(PixelAt(face, 2, 1), HuxRGB(255, 255, 247));
        EXPECT_EQ(PixelAt(face, 3, 1), HuxRGB(120, 128, 128));
    }
}

TEST(ButtonFace, EmbossEngravesDarkShapesOnePixelLarger)
{
    // A light 3 x 2 bitmap with two dark pixels: one dark channel (184) at
    // the top left, a dark blue channel at the bottom right corner.
    HuxDIBBuffer source;
    source.Create(3, 2, 24, nullptr);
    for (int32_t y = 0; y < 2; ++y)
        for (int32_t x = 0; x < 3; ++x)
            SetPixel(source, x, y, 255, 255, 255);
    SetPixel(source, 0, 0, 184, 255, 255);
    SetPixel(source, 2, 1, 255, 255, 100);
    SetPixel(source, 1, 0, 185, 185, 185); // light enough: no channel at 184 or below
    HuxDIBBuffer disabled;
    HuxEmboss(source, disabled, kColours);
    EXPECT_EQ(disabled.Width(), 4);
    EXPECT_EQ(disabled.Height(), -3);
    EXPECT_EQ(Letters(disabled), (std::vector<std::string>{"SFFF", "FHSF", "FFFH"}));
}

TEST(ButtonFace, ShadowWinsOverTheHighlightOfItsNeighbour)
{
    // A dark diagonal: every pixel below-right of a dark one is dark itself.
    HuxDIBBuffer source;
    source.Create(2, -2, 24, nullptr);
    SetPixel(source, 0, 0, 0, 0, 0);
    SetPixel(source, 1, 0, 200, 200, 200);
    SetPixel(source, 0, 1, 200, 200, 200);
    SetPixel(source, 1, 1, 0, 0, 0);
    HuxDIBBuffer disabled;
    HuxEmboss(source, disabled, kColours);
    EXPECT_EQ(Letters(disabled), (std::vector<std::string>{"SFF", "FSF", "FFH"}));
}

TEST(ButtonFace, OnlyTrueColourSources)
{
    HuxDIBBuffer source, target;
    source.Create(2, 2, 8, nullptr);
    EXPECT_THROW(HuxMapSystemColours(source, target, kColours), std::invalid_argument);
    EXPECT_THROW(HuxEmboss(source, target, kColours), std::invalid_argument);
}
