// What squelm-host reads and writes: every failure is a clear error with a
// non-zero exit status, and no file is left half-written or overwritten
// when it should not be.
#include <cstring>
#include <filesystem>
#include <random>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "cli/ProgramRunner.h"
#include "effect/PSPlimParameters.h"
#include "testhost/PngIO.h"

namespace SquelmCliTest {
namespace {

using ::testing::HasSubstr;
using ::testing::StartsWith;

constexpr int kHostFailed = 3;

// The effect's bare 96-byte record, as earlier versions stored it:
// interpolation off (so an unedited run gives the source back) and a
// point count out of range (so the run's own record differs).
std::string HeaderlessRecord()
{
    PSPlimParameters p{};
    PSPlimSetDefaultParameters(p);
    p.useInterpolation = 0;
    p.pointsAcross = 200;
    std::string bytes(sizeof p, '\0');
    std::memcpy(bytes.data(), &p, sizeof p);
    return bytes;
}

PSPlimParameters StoredRecord(const std::string& file)
{
    PSPlimParameters p{};
    EXPECT_EQ(file.size(), 16 + sizeof p);
    if (file.size() == 16 + sizeof p)
        std::memcpy(&p, file.data() + 16, sizeof p);
    return p;
}

class FilesTest : public ::testing::Test {
protected:
    FilesTest()
    {
        WriteMarkedPng(scratch.Path("in.png"));
        WriteBytes(scratch.Path("ok.txt"), "ok\n");
    }

    ProgramRun RunOk(const std::string& params, const std::string& output, const std::string& prefix = "")
    {
        return scratch.Run({"--script", "ok.txt", "--params", params, "in.png", output}, prefix);
    }

    Scratch scratch;
};

TEST_F(FilesTest, AHeaderlessRecordIsReadAndRewrittenWithTheHeader)
{
    WriteBytes(scratch.Path("p.bin"), HeaderlessRecord());
    const ProgramRun run = RunOk("p.bin", "out.png");
    ASSERT_EQ(run.status, 0) << run.err;
    const std::string file = ReadBytes(scratch.Path("p.bin"));
    EXPECT_THAT(file, StartsWith(std::string("SQUELMPB\x01\0\0\0\x60\0\0\0", 16)));
    const PSPlimParameters stored = StoredRecord(file);
    EXPECT_EQ(stored.useInterpolation, 0) << "the old record was read";
    EXPECT_EQ(stored.pointsAcross, 152) << "and the run's record written";
    const SquelmHost::RgbImage in = SquelmHost::LoadRgbPng(scratch.Path("in.png"));
    const SquelmHost::RgbImage out = SquelmHost::LoadRgbPng(scratch.Path("out.png"));
    EXPECT_EQ(out.pixels, in.pixels) << "no strokes, no interpolation: the source comes back";
    EXPECT_EQ(scratch.Files(), (std::vector<std::string>{"in.png", "ok.txt", "out.png", "p.bin"}));
}

TEST_F(FilesTest, AMissingParametersFileIsCreatedAndReadNextTime)
{
    ProgramRun run = RunOk("p.bin", "out.png");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_THAT(run.out, HasSubstr("parameters: no file yet"));
    EXPECT_EQ(StoredRecord(ReadBytes(scratch.Path("p.bin"))).pointsAcross, 52);
    run = RunOk("p.bin", "out.png");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_THAT(run.out, ::testing::Not(HasSubstr("no file yet")));
}

TEST_F(FilesTest, AFileThatIsNotAParametersFileIsRefusedAndLeftAlone)
{
    const std::string photo = ReadBytes(scratch.Path("in.png"));
    WriteBytes(scratch.Path("photo.png"), photo);
    const ProgramRun run = RunOk("photo.png", "out.png");
    EXPECT_EQ(run.status, kHostFailed);
    EXPECT_THAT(run.err, HasSubstr("parameters file 'photo.png' is not a parameters file"));
    EXPECT_EQ(ReadBytes(scratch.Path("photo.png")), photo);
    EXPECT_EQ(scratch.Files(), (std::vector<std::string>{"in.png", "ok.txt", "photo.png"})) << "no image written";
}

TEST_F(FilesTest, AnImageThatCannotBeWrittenIsAnErrorAndTheParametersAreStillSaved)
{
    const ProgramRun run = RunOk("p.bin", "/dev/full");
    EXPECT_EQ(run.status, kHostFailed);
    EXPECT_THAT(run.err, HasSubstr("cannot write PNG '/dev/full': "));
    EXPECT_EQ(StoredRecord(ReadBytes(scratch.Path("p.bin"))).pointsAcross, 52);
}

TEST_F(FilesTest, AFailedWriteLeavesTheOldImageAndNoTemporaryFile)
{
    // Noise does not compress: the image's PNG is far larger than the
    // 2 KiB that files may grow to below, the parameters file far smaller.
    SquelmHost::RgbImage noise(64, 64);
    std::mt19937 random(7);
    for (uint8_t& byte : noise.pixels)
        byte = uint8_t(random());
    SquelmHost::SavePng(scratch.Path("in.png"), noise);
    WriteBytes(scratch.Path("out.png"), "OLD");
    const ProgramRun run = RunOk("p.bin", "out.png", "trap '' XFSZ; ulimit -f 4;");
    EXPECT_EQ(run.status, kHostFailed);
    EXPECT_THAT(run.err, HasSubstr("cannot write PNG 'out.png': File too large"));
    EXPECT_EQ(ReadBytes(scratch.Path("out.png")), "OLD");
    EXPECT_EQ(scratch.Files(), (std::vector<std::string>{"in.png", "ok.txt", "out.png", "p.bin"}));
}

TEST_F(FilesTest, TheImageIsWrittenWhenTheParametersFileCannotBe)
{
    const ProgramRun run = RunOk("no-such-dir/p.bin", "out.png");
    EXPECT_EQ(run.status, kHostFailed);
    EXPECT_THAT(run.err, HasSubstr("cannot write parameters file 'no-such-dir/p.bin': "));
    EXPECT_EQ(SquelmHost::LoadRgbPng(scratch.Path("out.png")).width, 40);
}

TEST_F(FilesTest, InputsThatCannotBeReadAreClearErrors)
{
    const std::string png = ReadBytes(scratch.Path("in.png"));
    WriteBytes(scratch.Path("cut.png"), png.substr(0, png.size() / 2));
    std::string flipped = png;
    flipped[png.find("IDAT") + 9] ^= 0x04;
    WriteBytes(scratch.Path("flipped.png"), flipped);
    std::filesystem::create_directory(scratch.Dir() / "folder");
    const struct {
        std::vector<std::string> args;
        const char* message;
    } cases[] = {
        {{"cut.png", "out.png"}, "cannot read PNG 'cut.png': the file ends before the image does"},
        {{"flipped.png", "out.png"}, "cannot read PNG 'flipped.png': damaged PNG data (chunk 'IDAT' fails its CRC"},
        {{"ok.txt", "out.png"}, "cannot read PNG 'ok.txt': not a PNG file"},
        {{"missing.png", "out.png"}, "cannot read PNG 'missing.png': no such file"},
        {{"folder", "out.png"}, "cannot read PNG 'folder': it is a directory"},
        {{"--mask", "folder", "in.png", "out.png"}, "cannot read PNG 'folder': it is a directory"},
        {{"--script", "folder", "in.png", "out.png"}, "cannot read script 'folder': it is a directory"},
        {{"--script", "/dev/zero", "in.png", "out.png"}, "cannot read script '/dev/zero': larger than the limit of"},
        {{"--params", "/dev/zero", "in.png", "out.png"},
         "cannot read parameters file '/dev/zero': larger than the limit of 1048576 bytes"},
    };
    for (const auto& c : cases) {
        const ProgramRun run = scratch.Run(c.args);
        EXPECT_EQ(run.status, kHostFailed) << c.message;
        EXPECT_THAT(run.err, HasSubstr(c.message));
    }
    EXPECT_EQ(scratch.Files(), (std::vector<std::string>{"cut.png", "flipped.png", "folder", "in.png", "ok.txt"}));
}

// Through the real plug-in: every false claim of a host's menu about a
// document it cannot take ends at Prepare with nothing written.
TEST_F(FilesTest, DocumentsTheFilterCannotTakeEndAtPrepareWithNothingWritten)
{
    SquelmHost::SavePng(scratch.Path("grey.png"), SquelmHost::HostImage(6, 4, SquelmHost::ColourSpace::Grey, 8,
                                                                        SquelmHost::Transparency::None));
    const std::vector<std::vector<std::string>> cases = {
        {"--claim-mode", "2", "in.png"},  {"--claim-mode", "7", "in.png"},   {"--claim-mode", "17", "grey.png"},
        {"--claim-depth", "16", "in.png"}, {"--claim-planes", "2", "in.png"},
    };
    for (std::vector<std::string> args : cases) {
        args.push_back("out.png");
        const ProgramRun run = scratch.Run(args);
        EXPECT_EQ(run.status, 1) << args[0];
        EXPECT_THAT(run.out, HasSubstr("Prepare: -30101\n")) << args[0];
        EXPECT_FALSE(std::filesystem::exists(scratch.Path("out.png"))) << args[0];
    }
    const ProgramRun run = scratch.Run({"--as", "cmyk", "grey.png", "out.png"});
    EXPECT_EQ(run.status, kHostFailed);
    EXPECT_THAT(run.err, HasSubstr("a grey image cannot be made CMYK or Lab"));
}

} // namespace
} // namespace SquelmCliTest
