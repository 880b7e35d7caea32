// Error diffusion onto a palette: hand-worked pictures and a plain
// transcription of the rule on random pictures.
#include "HuxLib/HUXIMAGE/HuxDIBBuffer.h"
#include "HuxLib/HUXIMAGE/HuxDitherer.h"
#include "HuxLib/HUXIMAGE/HuxPalette.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <stdexcept>
#include <vector>

namespace {

// Grey pictures on a black-and-white palette: a grey becomes white exactly
// when it is 128 or more, and every error is large.
void SetBlackAndWhite(HuxPalette& palette)
{
    const HuxRGBQuad entries[2] = {{0, 0, 0, 0}, {255, 255, 255, 0}};
    palette.SetEntries(entries, 2);
}

void FillGrey(HuxDIBBuffer& picture, const std::vector<std::vector<int>>& rows)
{
    for (size_t y = 0; y < rows.size(); ++y)
        for (size_t x = 0; x < rows[y].size(); ++x)
            std::fill_n(picture.PixelAddress(int32_t(x), int32_t(y)), 3, uint8_t(rows[y][x]));
}

std::vector<std::vector<int>> Indices(const HuxDIBBuffer& picture)
{
    std::vector<std::vector<int>> rows(size_t(picture.AbsHeight()));
    for (int32_t y = 0; y < picture.AbsHeight(); ++y)
        for (int32_t x = 0; x < picture.Width(); ++x)
            rows[size_t(y)].push_back(*picture.PixelAddress(x, y));
    return rows;
}

// The rule as written: every share added into a zeroed error plane with a
// border, the shares worked out from the formulas each time.
std::vector<uint8_t> PlainDither(const HuxDIBBuffer& source, HuxPalette& palette)
{
    const int w = source.Width(), h = source.AbsHeight();
    std::vector<int> below(size_t((w + 2) * (h + 1) * 3), 0);
    auto err = [&](int x, int y, int k) -> int& { return below[size_t(((y * (w + 2)) + x + 1) * 3 + k)]; };
    std::vector<uint8_t> out;
    const uint8_t* inverse = palette.InverseTable();
    for (int y = 0; y < h; ++y) {
        int carry[3] = {0, 0, 0};
        for (int x = 0; x < w; ++x) {
            const uint8_t* p = source.PixelAddress(x, y);
            int v[3];
            for (int k = 0; k < 3; ++k)
                v[k] = std::clamp(p[k] + carry[k] + err(x, y, k), 0, 255);
            const int index = inverse[(v[2] >> 3) | (v[1] >> 3) << 5 | (v[0] >> 3) << 10];
            out.push_back(uint8_t(index));
            const HuxRGBQuad& e = palette.Entries()[index];
            const int entry[3] = {e.blue, e.green, e.red};
            for (int k = 0; k < 3; ++k) {
                const int error = v[k] - entry[k];
                const int a = (error + 8) / 16;
                const int b = (2 * (error - a) + 5) / 10;
                const int c = (5 * (error - a - b) + 6) / 12;
                carry[k] = error - a - b - c;
                err(x - 1, y + 1, k) += b;
                err(x, y + 1, k) += c;
                err(x + 1, y + 1, k) += a;
            }
        }
    }
    return out;
}

} // namespace

TEST(Ditherer, SplitsFollowTheIntegerRules)
{
    const HuxDitherer ditherer;
    auto expectSplit = [&](int e, int a, int b, int c, int d) {
        const HuxDitherer::Split& s = ditherer.SplitOf(e);
        EXPECT_EQ(s.a, a) << "e = " << e;
        EXPECT_EQ(s.b, b) << "e = " << e;
        EXPECT_EQ(s.c, c) << "e = " << e;
        EXPECT_EQ(s.d, d) << "e = " << e;
    };
    expectSplit(16, 1, 3, 5, 7);
    expectSplit(-16, 0, -2, -5, -9);
    expectSplit(100, 6, 19, 31, 44);
    expectSplit(-111, -6, -20, -34, -51);
    expectSplit(255, 16, 48, 80, 111);
    expectSplit(-255, -15, -47, -79, -114);
    expectSplit(0, 0, 0, 0, 0);
    for (int e = -255; e <= 255; ++e) {
        const HuxDitherer::Split& s = ditherer.SplitOf(e);
        ASSERT_EQ(s.a + s.b + s.c + s.d, e) << "e = " << e;
    }
}

TEST(Ditherer, HandWorkedGreyPictureOnBlackAndWhite)
{
    // Row 0: 100 -> black (e 100: a 6, b 19, c 31, d 44); 144 -> white
    // (e -111: a -6, b -20, c -34, d -51); 49 -> black (e 49: a 3, b 9,
    // c 15; d falls off the row). Errors below: 31 - 20 = 11, 6 - 34 + 9 =
    // -19 (6 stored by the first pixel), -6 + 15 = 9.
    // Row 1 starts without a carry: 111 -> black (e 111: d 48); 100 + 48 -
    // 19 = 129 -> white (d -57); 100 - 57 + 9 = 52 -> black.
    HuxPalette palette;
    SetBlackAndWhite(palette);
    for (int32_t orientation : {-1, 1}) {
        SCOPED_TRACE(orientation < 0 ? "top-down" : "bottom-up");
        HuxDIBBuffer source, target;
        source.Create(3, 2 * orientation, 24, nullptr);
        target.Create(3, 2 * orientation, 8, &palette);
        FillGrey(source, {{100, 100, 100}, {100, 100, 100}});
        palette.Ditherer().Convert(source, target, palette);
        EXPECT_EQ(Indices(target), (std::vector<std::vector<int>>{{0, 1, 0}, {0, 1, 0}}));
    }
}

TEST(Ditherer, CarryEndsWithTheRowAndErrorsBelowStartFresh)
{
    // One column, so only the share below (c) moves down. 120 -> black (e
    // 120: c 38, d 52); 120 + 38 = 158 -> white (e -97: c -30); 150 - 30 =
    // 120 -> black (c 38); 60 + 38 = 98 -> black. A carry kept from the row
    // above (+52) or the first error of two rows ago left in the reused row
    // buffer (+38) would turn the last pixel white.
    HuxPalette palette;
    SetBlackAndWhite(palette);
    HuxDIBBuffer source, target;
    source.Create(1, -4, 24, nullptr);
    target.Create(1, -4, 8, &palette);
    FillGrey(source, {{120}, {120}, {150}, {60}});
    palette.Ditherer().Convert(source, target, palette);
    EXPECT_EQ(Indices(target), (std::vector<std::vector<int>>{{0}, {1}, {0}, {0}}));
}

TEST(Ditherer, MatchesThePlainRuleOnRandomPictures)
{
    HuxPalette palette;
    palette.SetDefault();
    for (unsigned seed = 1; seed <= 12; ++seed) {
        std::mt19937 random(seed);
        const int32_t w = int32_t(1 + random() % 9), h = int32_t(1 + random() % 7);
        const int32_t orientation = (seed % 2) ? -1 : 1;
        HuxDIBBuffer source, target;
        source.Create(w, h * orientation, 24, nullptr);
        target.Create(w, -h, 8, &palette);
        for (int32_t y = 0; y < h; ++y)
            for (int32_t x = 0; x < 3 * w; ++x)
                source.PixelAddress(0, y)[x] = uint8_t(random() % 4 == 0 ? 255 * (random() % 2) : random());
        palette.Ditherer().Convert(source, target, palette);
        std::vector<uint8_t> converted;
        for (int32_t y = 0; y < h; ++y)
            converted.insert(converted.end(), target.PixelAddress(0, y), target.PixelAddress(0, y) + w);
        const std::vector<uint8_t> expected = PlainDither(source, palette);
        const auto miss = std::mismatch(converted.begin(), converted.end(), expected.begin());
        ASSERT_EQ(miss.first, converted.end())
            << "first difference at pixel " << (miss.first - converted.begin()) << " of " << w << " x " << h
            << "; replay: test_huxlib --gtest_filter=Ditherer.MatchesThePlainRuleOnRandomPictures (seed " << seed
            << ")";
    }
}

TEST(Ditherer, RefusesMismatchedPictures)
{
    HuxPalette palette;
    HuxDitherer ditherer;
    HuxDIBBuffer source, target;
    source.Create(3, 2, 24, nullptr);
    target.Create(3, 2, 8, nullptr);
    EXPECT_THROW(ditherer.Convert(source, target, palette), std::invalid_argument) << "palette not valid";
    palette.SetDefault();
    HuxDIBBuffer taller;
    taller.Create(3, 3, 8, &palette);
    EXPECT_THROW(ditherer.Convert(source, taller, palette), std::invalid_argument);
    EXPECT_THROW(ditherer.Convert(target, target, palette), std::invalid_argument);
    EXPECT_NO_THROW(ditherer.Convert(source, target, palette));
}

TEST(Ditherer, PaletteDisplayConversionMakesABottomUpPictureWithThePalette)
{
    HuxPalette palette;
    SetBlackAndWhite(palette);
    HuxDIBBuffer source, target;
    source.Create(3, -2, 24, nullptr);
    FillGrey(source, {{100, 100, 100}, {100, 100, 100}});
    HuxDitherToPalette(source, target, palette);
    EXPECT_EQ(target.Height(), 2) << "bottom-up";
    EXPECT_EQ(target.BitsPerPixel(), 8);
    EXPECT_EQ(target.ColourTable()[1].green, 255);
    EXPECT_EQ(target.ColourTable()[2].green, 0);
    EXPECT_EQ(Indices(target), (std::vector<std::vector<int>>{{0, 1, 0}, {0, 1, 0}}));
    EXPECT_FALSE(palette.HasDitherer()) << "tables released after the draw";

    HuxDIBBuffer eightBit;
    eightBit.Create(3, 2, 8, &palette);
    EXPECT_THROW(HuxDitherToPalette(eightBit, target, palette), std::invalid_argument);
    EXPECT_FALSE(palette.HasDitherer()) << "also when the conversion fails";
}
