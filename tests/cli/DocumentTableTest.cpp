// Every document Squelm takes, through the real squelm-host: one stroke
// warps every channel alike (a grey image's result is each channel's where
// the channels are equal), a layer's transparency moves with the colour or
// stays as the host protects it, the output keeps the input's depth and
// channels, and Cancel leaves every byte.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli/ProgramRunner.h"
#include "support/DocumentTable.h"
#include "testhost/PngIO.h"

namespace SquelmCliTest {
namespace {

using namespace DocumentTable;

class DocumentTableTest : public ::testing::Test {
protected:
    DocumentTableTest()
    {
        WriteBytes(scratch.Path("stroke.txt"), kStroke);
        WriteBytes(scratch.Path("cancel.txt"), CancelScript());
    }

    // The stroke on a PNG; the output as the host reads it back.
    HostImage Warp(const std::string& input, const std::vector<std::string>& options, const std::string& output)
    {
        std::vector<std::string> args = options;
        args.insert(args.end(), {"--script", "stroke.txt", input, output});
        const ProgramRun run = scratch.Run(args);
        EXPECT_EQ(run.status, 0) << input << ": " << run.out << run.err;
        return SquelmHost::LoadPng(scratch.Path(output));
    }

    Scratch scratch;
};

TEST_F(DocumentTableTest, EveryModeDepthAndTransparencyWarpsEveryChannelAlike)
{
    std::vector<HostImage> greyWarped;
    for (const int depth : {8, 16}) {
        const std::string name = "grey" + std::to_string(depth) + ".png";
        SquelmHost::SavePng(scratch.Path(name), Document(ColourSpace::Grey, depth, Transparency::None));
        greyWarped.push_back(Warp(name, {}, "out-" + name));
    }
    for (const Kind& kind : Kinds()) {
        const std::string input = std::string(kind.name) + ".png";
        const HostImage document = kind.Png();
        SquelmHost::SavePng(scratch.Path(input), document);
        const HostImage warped = Warp(input, kind.options, "out-" + input);
        ASSERT_EQ(warped.depth, kind.depth) << kind.name;
        ASSERT_EQ(warped.Planes(), document.Planes()) << kind.name;
        const HostImage& grey = greyWarped[kind.depth == 8 ? 0 : 1];
        int unlike = 0, movedTransparency = 0;
        for (int y = 0; y < kHeight; ++y) {
            for (int x = 0; x < kWidth; ++x) {
                for (int p = 0; kind.channelsAlike && p < 3; ++p)
                    unlike += warped.Sample(x, y, p) != grey.Sample(x, y, 0);
                if (kind.transparency != Transparency::None)
                    movedTransparency += warped.Sample(x, y, 3) != document.Sample(x, y, 3);
            }
        }
        EXPECT_EQ(unlike, 0) << kind.name;
        EXPECT_EQ(movedTransparency, 0) << kind.name << ": opaque stays opaque, protected stays";
        EXPECT_NE(warped.pixels, SquelmHost::LoadPng(scratch.Path(input)).pixels) << kind.name << ": nothing warped";

        std::vector<std::string> args = kind.options;
        args.insert(args.end(), {"--script", "cancel.txt", input, "cancelled.png"});
        const ProgramRun cancelled = scratch.Run(args);
        EXPECT_EQ(cancelled.status, 1) << kind.name;
        EXPECT_FALSE(std::filesystem::exists(scratch.Path("cancelled.png"))) << kind.name;
    }
}

// An opaque red disc on a transparent layer whose hidden colour is green,
// pushed: its transparency moves with it, and wherever anything is visible
// the colour is the disc's, never the hidden green.
TEST_F(DocumentTableTest, ADiscOnATransparentLayerMovesWithItsTransparency)
{
    for (const int depth : {8, 16}) {
        HostImage layer(kWidth, kHeight, ColourSpace::RGB, depth, Transparency::Editable);
        const uint32_t white = layer.White();
        for (int y = 0; y < kHeight; ++y) {
            for (int x = 0; x < kWidth; ++x) {
                const bool inside = (x - 20) * (x - 20) + (y - 16) * (y - 16) < 100;
                const uint32_t samples[4] = {inside ? white : 0, inside ? 0 : white, 0, inside ? white : 0};
                for (int p = 0; p < 4; ++p)
                    layer.SetSample(x, y, p, samples[p]);
            }
        }
        const std::string input = "disc" + std::to_string(depth) + ".png";
        SquelmHost::SavePng(scratch.Path(input), layer);
        const HostImage warped = Warp(input, {}, "out-" + input);
        int movedTransparency = 0, hiddenColourShown = 0;
        for (int y = 0; y < kHeight; ++y) {
            for (int x = 0; x < kWidth; ++x) {
                movedTransparency += warped.Sample(x, y, 3) != layer.Sample(x, y, 3);
                if (warped.Sample(x, y, 3) != 0)
                    hiddenColourShown += warped.Sample(x, y, 0) != white || warped.Sample(x, y, 1) != 0;
            }
        }
        EXPECT_GT(movedTransparency, 20) << depth << " bits";
        EXPECT_EQ(hiddenColourShown, 0) << depth << " bits";
    }
}

// The left border dragged inwards on a free edge: on a layer, "Transparent"
// (exposed-area value 4 in the record) leaves the exposed strip
// transparent; a flat image's run keeps the choice in the record.
TEST_F(DocumentTableTest, ExposedAreasOfALayerMayBeTransparent)
{
    WriteBytes(scratch.Path("expose.txt"), "preview 96 72\nedge free\ntool left squelm\nsize 0.25\npower 1.0\n"
                                           "drag left 1,18 8,18 14,18\n");
    SquelmHost::SavePng(scratch.Path("layer.png"), Document(ColourSpace::RGB, 8, Transparency::Editable));
    SquelmHost::SavePng(scratch.Path("flat.png"), Document(ColourSpace::RGB, 8, Transparency::None));
    // The record as a first run leaves it, its exposed-area mode then set.
    ASSERT_EQ(scratch.Run({"--params", "p.bin", "--script", "cancel.txt", "layer.png", "unused.png"}).status, 1);
    std::string params = ReadBytes(scratch.Path("p.bin"));
    ASSERT_EQ(params.size(), 16u + 96u);
    params[16 + 56] = 4;
    WriteBytes(scratch.Path("p.bin"), params);

    ProgramRun run = scratch.Run({"--params", "p.bin", "--script", "expose.txt", "layer.png", "out.png"});
    ASSERT_EQ(run.status, 0) << run.out << run.err;
    const HostImage warped = SquelmHost::LoadPng(scratch.Path("out.png"));
    int transparentAtTheEdge = 0;
    for (int y = 0; y < kHeight; ++y)
        transparentAtTheEdge += warped.Sample(0, y, 3) == 0;
    EXPECT_GT(transparentAtTheEdge, 4);

    run = scratch.Run({"--params", "p.bin", "--script", "expose.txt", "flat.png", "out.png"});
    ASSERT_EQ(run.status, 0) << run.out << run.err;
    EXPECT_EQ(ReadBytes(scratch.Path("p.bin"))[16 + 56], 4);
}

} // namespace
} // namespace SquelmCliTest
