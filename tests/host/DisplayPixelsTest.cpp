// Documents as the previews show them: known colours of every mode and
// depth in blue-green-red, and a layer over the checkerboard.
#include "host/HuxPSDisplayPixels.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <vector>

namespace {

using Model = HuxPSColourModel;
using Transparency = HuxPSTransparency;

HuxPSDocument DocumentOf(Model model, int32_t depth, Transparency transparency = Transparency::None)
{
    const int16_t planes = model == Model::Grey ? 1 : model == Model::CMYK ? 4 : 3;
    return {{model, depth, transparency}, planes, true};
}

// One host pixel of the samples (16-bit ones little-endian), shown.
std::array<int, 3> Shown(const HuxPSDocument& document, const std::vector<uint16_t>& samples, int32_t x = 0,
                         int32_t y = 0)
{
    std::vector<uint8_t> host;
    for (const uint16_t s : samples) {
        host.push_back(uint8_t(s));
        if (document.kind.depth == 16)
            host.push_back(uint8_t(s >> 8));
    }
    uint8_t out[4] = {0, 0, 0, 0x5A};
    HuxPSShowRow(document, host.data(), out, 1, x, y);
    EXPECT_EQ(out[3], 0x5A) << "one pixel, three bytes";
    return {out[0], out[1], out[2]};
}

} // namespace

TEST(DisplayPixels, KnownColoursOfEveryModeAndDepth)
{
    const struct {
        const char* name;
        HuxPSDocument document;
        std::vector<uint16_t> samples;
        std::array<int, 3> blueGreenRed;
    } cases[] = {
        {"grey 8", DocumentOf(Model::Grey, 8), {77}, {77, 77, 77}},
        {"grey 16, rounded", DocumentOf(Model::Grey, 16), {16384}, {128, 128, 128}},
        {"RGB 8, swapped", DocumentOf(Model::RGB, 8), {10, 20, 30}, {30, 20, 10}},
        {"RGB 16, white", DocumentOf(Model::RGB, 16), {32768, 0, 32768}, {255, 0, 255}},
        {"CMYK 8, no ink but black", DocumentOf(Model::CMYK, 8), {255, 255, 255, 90}, {90, 90, 90}},
        {"CMYK 8, cyan on white", DocumentOf(Model::CMYK, 8), {55, 255, 255, 255}, {255, 255, 55}},
        {"CMYK 16, more ink than the black allows", DocumentOf(Model::CMYK, 16), {0, 32768, 32768, 16384},
         {128, 128, 0}},
        {"Lab 8, white", DocumentOf(Model::Lab, 8), {255, 128, 128}, {255, 255, 255}},
        {"Lab 16, black", DocumentOf(Model::Lab, 16), {0, 16384, 16384}, {0, 0, 0}},
        {"Lab 8, sRGB red in its coarse steps", DocumentOf(Model::Lab, 8), {136, 208, 195}, {1, 2, 255}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Shown(c.document, c.samples), c.blueGreenRed) << c.name;
}

// Transparency over squares of eight: light at the origin, dark one square
// across or down, light again diagonally; opaque shows the colour itself.
TEST(DisplayPixels, ALayerShowsOverTheCheckerboard)
{
    const HuxPSDocument layer = DocumentOf(Model::RGB, 8, Transparency::Editable);
    EXPECT_EQ(Shown(layer, {0, 0, 0, 0}, 7, 7), (std::array<int, 3>{255, 255, 255}));
    EXPECT_EQ(Shown(layer, {0, 0, 0, 0}, 8, 0), (std::array<int, 3>{204, 204, 204}));
    EXPECT_EQ(Shown(layer, {0, 0, 0, 0}, 3, 9), (std::array<int, 3>{204, 204, 204}));
    EXPECT_EQ(Shown(layer, {0, 0, 0, 0}, 8, 8), (std::array<int, 3>{255, 255, 255}));
    EXPECT_EQ(Shown(layer, {200, 100, 0, 255}, 8, 0), (std::array<int, 3>{0, 100, 200}));
    // Half covered: (0 * 128 + 255 * 127 + 127) / 255, rounded.
    EXPECT_EQ(Shown(layer, {0, 0, 0, 128}, 0, 0), (std::array<int, 3>{127, 127, 127}));
    const HuxPSDocument wide = DocumentOf(Model::Grey, 16, Transparency::Protected);
    EXPECT_EQ(Shown(wide, {32768, 0}, 9, 1), (std::array<int, 3>{204, 204, 204}));
    EXPECT_EQ(Shown(wide, {32768, 32768}, 9, 1), (std::array<int, 3>{255, 255, 255}));
}
