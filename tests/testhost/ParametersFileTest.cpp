// The parameters file: its header, the header-less records of earlier
// versions, and files that are not parameters files at all.
#include "testhost/ParametersFile.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include <gmock/gmock.h>

#include "testhost/HostTestSupport.h"

namespace SquelmHostTest {
namespace {

using namespace std::string_literals;
using SquelmHost::DecodeParametersFile;
using SquelmHost::EncodeParametersFile;
using ::testing::HasSubstr;

std::string RefusalOf(const std::string& file)
{
    try {
        DecodeParametersFile(file, "p.bin");
    } catch (const std::runtime_error& e) {
        return e.what();
    }
    return "";
}

TEST(ParametersFileTest, TheHeaderIsSignatureVersionAndLength)
{
    EXPECT_EQ(EncodeParametersFile({7, 8, 9}), "SQUELMPB\x01\0\0\0\x03\0\0\0\x07\x08\x09"s);
    EXPECT_EQ(EncodeParametersFile({}), "SQUELMPB\x01\0\0\0\0\0\0\0"s);
    const std::vector<uint8_t> block(300, 0xA5);
    EXPECT_EQ(EncodeParametersFile(block).substr(12, 4), "\x2C\x01\0\0"s);
    EXPECT_EQ(DecodeParametersFile(EncodeParametersFile(block), "p.bin"), block);
}

TEST(ParametersFileTest, HeaderlessRecordsOfEarlierVersionsAreRead)
{
    std::string record(96, '\0');
    record[0] = 5, record[95] = 'z';
    const std::vector<uint8_t> block = DecodeParametersFile(record, "p.bin");
    ASSERT_EQ(block.size(), 96u);
    EXPECT_EQ(block[0], 5);
    EXPECT_EQ(block[95], 'z');
    EXPECT_TRUE(DecodeParametersFile("", "p.bin").empty()) << "an old save without a block";
}

TEST(ParametersFileTest, AnythingElseIsRefused)
{
    EXPECT_THAT(RefusalOf("\x89PNG\r\n\x1A\n and the rest of a photograph"),
                HasSubstr("parameters file 'p.bin' is not a parameters file"));
    EXPECT_THAT(RefusalOf(std::string(95, '\0')), HasSubstr("is not a parameters file"));
    EXPECT_THAT(RefusalOf(std::string(97, '\0')), HasSubstr("is not a parameters file"));
    EXPECT_THAT(RefusalOf("SQUELMPB\x01\0\0"s), HasSubstr("cut short inside its header"));
    EXPECT_THAT(RefusalOf("SQUELMPB\x02\0\0\0\0\0\0\0"s), HasSubstr("has version 2; this host reads version 1"));
    EXPECT_THAT(RefusalOf("SQUELMPB\x01\0\0\0\x04\0\0\0abc"s), HasSubstr("says it holds 4 bytes but holds 3"));
    EXPECT_THAT(RefusalOf("SQUELMPB\x01\0\0\0\x02\0\0\0abc"s), HasSubstr("says it holds 2 bytes but holds 3"));
}

TEST_F(HostTest, SavingNeverOverwritesAFileThatIsNotAParametersFile)
{
    const std::string path = ::testing::TempDir() + "squelm_params_not_ours.txt";
    const std::string text = "a letter, not parameters\n";
    std::ofstream(path, std::ios::binary) << text;
    host.SetParameterBytes({1, 2, 3});
    EXPECT_THROW(host.SaveParameters(path), std::runtime_error);
    EXPECT_THROW(host.LoadParameters(path), std::runtime_error);
    std::ifstream in(path, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()), text);
    EXPECT_EQ(host.ParameterBytes(), (std::vector<uint8_t>{1, 2, 3})) << "a refused load keeps the handle";
    std::remove(path.c_str());
}

} // namespace
} // namespace SquelmHostTest
