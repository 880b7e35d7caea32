// squelm-host --mesh and --save-mesh: a scripted warp saved as a mesh gives
// the same bytes again, a larger image gets the warp fitted by grid units,
// several images go to a folder, and a damaged mesh file is refused.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "cli/ProgramRunner.h"
#include "testhost/PngIO.h"

namespace SquelmCliTest {
namespace {

using ::testing::HasSubstr;

constexpr int kHostFailed = 3;
const char* const kStrokes = "tool left squelm\nsize 0.2\ndrag left %d,%d %d,%d %d,%d\n";

// The strokes of the script with every position multiplied by `scale`.
std::string Strokes(int scale)
{
    char text[128];
    std::snprintf(text, sizeof text, kStrokes, 10 * scale, 10 * scale, 20 * scale, 14 * scale, 28 * scale, 16 * scale);
    return text;
}

// in.png enlarged `scale` times, each pixel a block.
void WriteEnlarged(const Scratch& scratch, const std::string& name, int scaleX, int scaleY)
{
    const SquelmHost::RgbImage in = SquelmHost::LoadRgbPng(scratch.Path("in.png"));
    SquelmHost::RgbImage out(in.width * scaleX, in.height * scaleY);
    for (int y = 0; y < out.height; ++y)
        for (int x = 0; x < out.width; ++x) {
            const uint8_t* p = in.At(x / scaleX, y / scaleY);
            out.Set(x, y, p[0], p[1], p[2]);
        }
    SquelmHost::SavePng(scratch.Path(name), out);
}

class MeshTest : public ::testing::Test {
protected:
    MeshTest()
    {
        WriteMarkedPng(scratch.Path("in.png"));
        WriteBytes(scratch.Path("warp.txt"), Strokes(1));
        const ProgramRun run = scratch.Run({"--script", "warp.txt", "--save-mesh", "m.sqmesh", "in.png", "a.png"});
        EXPECT_EQ(run.status, 0) << run.err;
    }

    void ExpectSameFile(const std::string& expected, const std::string& actual) const
    {
        EXPECT_EQ(ReadBytes(scratch.Path(expected)), ReadBytes(scratch.Path(actual))) << expected << " vs " << actual;
    }

    Scratch scratch;
};

TEST_F(MeshTest, TheSavedMeshGivesTheScriptedRunsBytesAndSavesAsItWasRead)
{
    const ProgramRun run = scratch.Run({"--mesh", "m.sqmesh", "--save-mesh", "again.sqmesh", "in.png", "b.png"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_THAT(run.out, ::testing::Not(HasSubstr("mesh:"))) << "the same image: nothing stretched";
    ExpectSameFile("a.png", "b.png");
    ExpectSameFile("m.sqmesh", "again.sqmesh");
    EXPECT_NE(ReadBytes(scratch.Path("a.png")), ReadBytes(scratch.Path("in.png"))) << "the strokes warped it";
}

TEST_F(MeshTest, ALargerImageGetsTheWarpByGridUnitsAndSeveralGoToAFolder)
{
    // Twice the size: the script's positions doubled make the same grid.
    WriteEnlarged(scratch, "big.png", 2, 2);
    WriteBytes(scratch.Path("big.txt"), Strokes(2));
    ProgramRun run = scratch.Run({"--script", "big.txt", "--save-mesh", "big.sqmesh", "big.png", "big-scripted.png"});
    ASSERT_EQ(run.status, 0) << run.err;
    ExpectSameFile("m.sqmesh", "big.sqmesh");

    run = scratch.Run({"--mesh", "m.sqmesh", "in.png", "big.png", "out"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_THAT(run.out, HasSubstr("image: big.png -> out/big.png\n"));
    ExpectSameFile("a.png", "out/in.png");
    ExpectSameFile("big-scripted.png", "out/big.png");

    WriteEnlarged(scratch, "wide.png", 2, 1);
    run = scratch.Run({"--mesh", "m.sqmesh", "wide.png", "out"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_THAT(run.out, HasSubstr("mesh: the mesh was made on an image 1.333 times as wide as high, "
                                   "this one is 2.667 times: the mesh is stretched to fit\n"));

    run = scratch.Run({"--mesh", "m.sqmesh", "in.png", "big.png", "a.png"});
    EXPECT_EQ(run.status, kHostFailed);
    EXPECT_EQ(run.err, "squelm-host: several images go to an output folder, and 'a.png' is a file\n");
}

TEST_F(MeshTest, ADamagedMeshIsRefusedBeforeAnyRun)
{
    std::string bytes = ReadBytes(scratch.Path("m.sqmesh"));
    bytes[200] ^= 0x40;
    WriteBytes(scratch.Path("bad.sqmesh"), bytes);
    const ProgramRun run = scratch.Run({"--mesh", "bad.sqmesh", "in.png", "out.png"});
    EXPECT_EQ(run.status, kHostFailed);
    EXPECT_THAT(run.err, ::testing::StartsWith("squelm-host: mesh file 'bad.sqmesh' refused: it is damaged: "
                                               "its checksum is 0x"));
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(scratch.Files(), (std::vector<std::string>{"a.png", "bad.sqmesh", "in.png", "m.sqmesh", "warp.txt"}));
}

} // namespace
} // namespace SquelmCliTest
