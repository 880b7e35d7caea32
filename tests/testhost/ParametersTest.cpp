// The parameters handle: kept between runs, saved to and loaded from a file.
#include <cstdio>
#include <fstream>

#include "testhost/HostTestSupport.h"

namespace SquelmHostTest {
namespace {

// A plug-in that creates a 4-byte record on first use and counts its runs.
void CountRuns(FakePlugin& plugin)
{
    plugin.On(PS::filterSelectorPrepare, [](PS::FilterRecord& r) {
        if (!r.parameters) {
            r.parameters = r.handleProcs->newProc(4);
            if (!r.parameters)
                return PS::memFullErr;
            char* p = r.handleProcs->lockProc(r.parameters, true);
            p[0] = 'S', p[1] = 'Q', p[2] = 0, p[3] = 0;
            r.handleProcs->unlockProc(r.parameters);
        }
        char* p = r.handleProcs->lockProc(r.parameters, true);
        ++p[3];
        r.handleProcs->unlockProc(r.parameters);
        return PS::noErr;
    });
}

std::string TempPath(const char* name)
{
    return ::testing::TempDir() + name;
}

TEST_F(HostTest, ParametersSurviveBetweenRuns)
{
    CountRuns(plugin);
    EXPECT_TRUE(host.ParameterBytes().empty());
    ASSERT_TRUE(host.RunFilter().Succeeded());
    const PS::Handle first = host.ParametersHandle();
    ASSERT_TRUE(host.RunFilter().Succeeded());
    EXPECT_EQ(host.ParametersHandle(), first);
    EXPECT_EQ(host.ParameterBytes(), (std::vector<uint8_t>{'S', 'Q', 0, 2}));
    EXPECT_EQ(host.LockCount(first), 0);
}

TEST_F(HostTest, ParametersPersistThroughAFile)
{
    CountRuns(plugin);
    ASSERT_TRUE(host.RunFilter().Succeeded());
    const std::string path = TempPath("squelm_params_roundtrip.bin");
    host.SaveParameters(path);
    {
        std::ifstream in(path, std::ios::binary | std::ios::ate);
        EXPECT_EQ(in.tellg(), 16 + 4) << "the header, then the block";
    }
    host.DiscardParameters();
    EXPECT_EQ(host.ParametersHandle(), nullptr);
    ASSERT_TRUE(host.LoadParameters(path));
    ASSERT_TRUE(host.RunFilter().Succeeded());
    EXPECT_EQ(host.ParameterBytes(), (std::vector<uint8_t>{'S', 'Q', 0, 2}));
    std::remove(path.c_str());
}

TEST_F(HostTest, MissingParametersFileKeepsTheHandle)
{
    host.SetParameterBytes({1, 2, 3});
    EXPECT_FALSE(host.LoadParameters(TempPath("squelm_no_such_file.bin")));
    EXPECT_EQ(host.ParameterBytes(), (std::vector<uint8_t>{1, 2, 3}));
}

TEST_F(HostTest, EmptyParametersFileMeansNoHandle)
{
    const std::string path = TempPath("squelm_params_empty.bin");
    host.SaveParameters(path); // no handle yet: an empty file
    host.SetParameterBytes({9});
    ASSERT_TRUE(host.LoadParameters(path));
    EXPECT_EQ(host.ParametersHandle(), nullptr);
    host.BuildRecord();
    EXPECT_TRUE(host.Record().parameters == nullptr);
    std::remove(path.c_str());
}

TEST_F(HostTest, LoadedParametersReachThePlugin)
{
    host.SetParameterBytes({'a', 'b'});
    std::vector<uint8_t> seen;
    plugin.On(PS::filterSelectorParameters, [&](PS::FilterRecord& r) {
        const char* p = r.handleProcs->lockProc(r.parameters, true);
        seen.assign(p, p + r.handleProcs->getSizeProc(r.parameters));
        return PS::noErr;
    });
    ASSERT_TRUE(host.RunFilter().Succeeded());
    EXPECT_EQ(seen, (std::vector<uint8_t>{'a', 'b'}));
    EXPECT_EQ(host.LockCount(host.ParametersHandle()), 1) << "the plug-in never unlocked it";
}

TEST_F(HostTest, RefusedNewProcLeavesNoParameters)
{
    CountRuns(plugin);
    host.Options().failNewHandleAt = 1;
    const SquelmHost::RunResult result = host.RunFilter();
    EXPECT_EQ(result.result, PS::memFullErr);
    EXPECT_EQ(host.ParametersHandle(), nullptr);
}

} // namespace
} // namespace SquelmHostTest
