// Palettes: the default table, nearest colours and the inverse table.
#include "HuxLib/HUXIMAGE/HuxPalette.h"

#include <gtest/gtest.h>

namespace {

void ExpectEntry(const HuxRGBQuad* entries, int index, int red, int green, int blue)
{
    SCOPED_TRACE(testing::Message() << "entry " << index);
    EXPECT_EQ(entries[index].red, red);
    EXPECT_EQ(entries[index].green, green);
    EXPECT_EQ(entries[index].blue, blue);
    EXPECT_EQ(entries[index].reserved, 0);
}

int Brightness(const HuxRGBQuad& e) { return e.red + e.green + e.blue; }

} // namespace

TEST(Palette, NotValidUntilFilled)
{
    HuxPalette palette;
    EXPECT_FALSE(palette.IsValid());
    EXPECT_EQ(palette.Entries(), nullptr);
    EXPECT_EQ(palette.InverseTable(), nullptr);
    EXPECT_EQ(palette.NearestIndex(1, 2, 3), -1);
}

TEST(Palette, DefaultTableKeepsTheStaticColoursAndTheGreyRamp)
{
    HuxPalette palette;
    palette.SetDefault();
    ASSERT_TRUE(palette.IsValid());
    ASSERT_EQ(palette.Count(), 256);
    const HuxRGBQuad* e = palette.Entries();
    ExpectEntry(e, 0, 0, 0, 0);
    ExpectEntry(e, 1, 128, 0, 0);
    ExpectEntry(e, 4, 0, 0, 128);
    ExpectEntry(e, 8, 192, 220, 192);
    ExpectEntry(e, 9, 164, 200, 240);
    ExpectEntry(e, 246, 255, 251, 240);
    ExpectEntry(e, 247, 160, 160, 164);
    ExpectEntry(e, 249, 255, 0, 0);
    ExpectEntry(e, 251, 255, 255, 0);
    ExpectEntry(e, 252, 0, 0, 255);
    ExpectEntry(e, 253, 255, 0, 255);
    ExpectEntry(e, 255, 255, 255, 255);
    ExpectEntry(e, 10, 16, 16, 16);
    ExpectEntry(e, 29, 240, 240, 240);
    for (int i = 11; i < 30; ++i) {
        EXPECT_EQ(e[i].red, e[i].green) << i;
        EXPECT_EQ(e[i].red, e[i].blue) << i;
        EXPECT_GT(e[i].red, e[i - 1].red) << i;
    }
    ExpectEntry(e, 30, 192, 0, 0);
    ExpectEntry(e, 31, 24, 8, 8);
    ExpectEntry(e, 56, 255, 240, 240);
}

TEST(Palette, DefaultHueRampsRunFromDarkToLight)
{
    HuxPalette palette;
    palette.SetDefault();
    const HuxRGBQuad* e = palette.Entries();
    // red, green, blue, yellow, magenta, cyan: the channels each hue lights
    const bool lit[6][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}, {1, 1, 0}, {1, 0, 1}, {0, 1, 1}};
    for (int h = 0; h < 6; ++h) {
        const int first = 30 + 36 * h;
        for (int i = first; i < first + 36; ++i) {
            const int channel[3] = {e[i].red, e[i].green, e[i].blue};
            int litLevel = -1;
            for (int k = 0; k < 3; ++k) {
                if (!lit[h][k])
                    continue;
                if (litLevel >= 0) {
                    EXPECT_EQ(channel[k], litLevel) << "entry " << i;
                }
                litLevel = channel[k];
            }
            for (int k = 0; k < 3; ++k) {
                if (!lit[h][k]) {
                    EXPECT_LT(channel[k], litLevel) << "entry " << i << " must show its hue";
                }
            }
        }
        // the main ramp (36 places: a middle tone, 26 dark to light, tints)
        for (int i = first + 2; i <= first + 26; ++i)
            EXPECT_GT(Brightness(e[i]), Brightness(e[i - 1])) << "entry " << i;
    }
}

TEST(Palette, NearestIndexPrefersTheHighestOfEqualDistances)
{
    HuxPalette palette;
    palette.SetDefault();
    EXPECT_EQ(palette.NearestIndex(255, 0, 255), 253);
    EXPECT_EQ(palette.NearestIndex(0, 0, 0), 0);
    EXPECT_EQ(palette.NearestIndex(255, 255, 255), 255);
    EXPECT_EQ(palette.NearestIndex(128, 128, 128), 248);
    EXPECT_EQ(palette.NearestIndex(192, 192, 192), 7);

    // Two entries equally far from grey 100: the later one wins.
    const HuxRGBQuad pair[3] = {{90, 90, 90, 0}, {110, 110, 110, 0}, {0, 0, 255, 0}};
    palette.SetEntries(pair, 3);
    EXPECT_EQ(palette.Count(), 3);
    EXPECT_EQ(palette.NearestIndex(100, 100, 100), 1);
    EXPECT_EQ(palette.NearestIndex(99, 99, 99), 0);
    EXPECT_EQ(palette.NearestIndex(255, 0, 0), 2);
    palette.SetEntries(pair, 0);
    EXPECT_EQ(palette.NearestIndex(100, 100, 100), -1);
}

TEST(Palette, InverseTableMapsFifteenBitColoursAndWhiteItself)
{
    HuxPalette palette;
    palette.SetDefault();
    const uint8_t* inverse = palette.InverseTable();
    ASSERT_NE(inverse, nullptr);
    EXPECT_EQ(inverse, palette.InverseTable()) << "built once and kept";
    EXPECT_EQ(inverse[32767], 255);
    // (248, 248, 248) itself lies nearer to the cream entry than to white
    EXPECT_NE(palette.NearestIndex(248, 248, 248), 255);
    EXPECT_EQ(inverse[HuxColour15(255, 0, 255)], palette.NearestIndex(248, 0, 248));
    for (int i = 0; i < 32767; i += 97) {
        const int expected = palette.NearestIndex(uint8_t((i & 31) * 8), uint8_t(((i >> 5) & 31) * 8),
                                                  uint8_t(((i >> 10) & 31) * 8));
        ASSERT_EQ(inverse[i], expected) << "15-bit colour " << i;
    }
    const uint16_t* forms = palette.Entries15();
    ASSERT_NE(forms, nullptr);
    EXPECT_EQ(forms[253], 31 | 0 << 5 | 31 << 10);
    EXPECT_EQ(forms[9], (164 >> 3) | (200 >> 3) << 5 | (240 >> 3) << 10);
}

TEST(Palette, NewEntriesReplaceTheDerivedTables)
{
    HuxPalette palette;
    palette.SetDefault();
    ASSERT_EQ(palette.InverseTable()[32767], 255);
    palette.SetGrey();
    EXPECT_EQ(palette.InverseTable()[32767], 255);
    EXPECT_EQ(palette.InverseTable()[HuxColour15(80, 80, 80)], 80);
    EXPECT_EQ(palette.InverseTable()[HuxColour15(255, 0, 0)], palette.NearestIndex(248, 0, 0));
    EXPECT_EQ(palette.Entries15()[80], 10 | 10 << 5 | 10 << 10);
}
