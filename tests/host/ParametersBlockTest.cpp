// How the framework obtains the parameters block from the host's handle,
// with the quirks of real hosts.
#include "FakeHost.h"

#include <gtest/gtest.h>

using namespace FakeHostTest;

namespace {

struct ParametersBlockFixture : testing::Test {
    FakeHost host{4, 4};
    RecordingFilter filter;
    intptr_t data = 0;
    int16_t result = 0;

    ParametersBlockFixture() { filter.parametersSize = 16; }

    void CallParameters() { filter.Dispatch(PS::filterSelectorParameters, &host.Record(), &data, &result); }
};

} // namespace

TEST_F(ParametersBlockFixture, MissingBlockIsCreatedWithDefaultsAndUnlockedAfterTheCall)
{
    CallParameters();
    const PS::Handle h = host.Parameters();
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(host.newCalls, 1);
    EXPECT_EQ(host.Block(h).size(), 16u);
    EXPECT_EQ(filter.parametersSeen, *h);
    EXPECT_EQ(filter.defaultsWritten, 1);
    EXPECT_EQ(filter.validations, 0);
    EXPECT_EQ(host.LockCount(h), 0);
    EXPECT_EQ(result, 0);
}

TEST_F(ParametersBlockFixture, HostWithoutMemoryGivesMemFullErr)
{
    host.newFails = true;
    CallParameters();
    EXPECT_EQ(result, PS::memFullErr);
    EXPECT_EQ(host.Parameters(), nullptr);
    EXPECT_EQ(filter.defaultsWritten, 0);
}

TEST_F(ParametersBlockFixture, StoredBlockIsLockedAndValidated)
{
    const PS::Handle h = host.StoreParameters(std::vector<uint8_t>(16, 7));
    CallParameters();
    EXPECT_EQ(host.Parameters(), h);
    EXPECT_EQ(filter.parametersSeen, *h);
    EXPECT_EQ(filter.validations, 1);
    EXPECT_EQ(filter.defaultsWritten, 0);
    EXPECT_EQ(host.newCalls, 0);
    EXPECT_EQ(host.LockCount(h), 0);
}

TEST_F(ParametersBlockFixture, BlockReportedShorterIsReplacedByDefaults)
{
    const PS::Handle old = host.StoreParameters(std::vector<uint8_t>(10, 7));
    CallParameters();
    EXPECT_FALSE(host.IsLive(old));
    EXPECT_EQ(host.disposeCalls, 1);
    ASSERT_NE(host.Parameters(), nullptr);
    EXPECT_NE(host.Parameters(), old);
    EXPECT_EQ(host.Block(host.Parameters()).size(), 16u);
    EXPECT_EQ(filter.defaultsWritten, 1);
    EXPECT_EQ(filter.validations, 0);
}

TEST_F(ParametersBlockFixture, SizeZeroMeansUnknownAndTheBlockIsKept)
{
    const PS::Handle h = host.StoreParameters(std::vector<uint8_t>(16, 7));
    host.sizeAnswer = 0;
    CallParameters();
    EXPECT_EQ(host.Parameters(), h);
    EXPECT_EQ(host.setSizeCalls, std::vector<int32_t>{16});
    EXPECT_EQ(filter.validations, 1);
    EXPECT_EQ(host.disposeCalls, 0);
    EXPECT_EQ(host.Block(h), std::vector<uint8_t>(16, 7));
}

// A block of unknown size may be shorter than the record: it is made the
// record's size before anything is read, keeping what it held.
TEST_F(ParametersBlockFixture, ShortBlockOfUnknownSizeIsGrownBeforeUse)
{
    const PS::Handle h = host.StoreParameters({1, 2, 3, 4, 5, 6, 7, 8, 9, 10});
    host.sizeAnswer = 0;
    CallParameters();
    EXPECT_EQ(host.Parameters(), h);
    EXPECT_EQ(host.Block(h), (std::vector<uint8_t>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(filter.parametersSeen, *h);
    EXPECT_EQ(filter.validations, 1);
    EXPECT_EQ(host.LockCount(h), 0);
}

// Neither size nor resize: no byte of the block is known to be there.
TEST_F(ParametersBlockFixture, BlockOfUnknownSizeThatCannotBeResizedIsReplaced)
{
    const PS::Handle old = host.StoreParameters(std::vector<uint8_t>(10, 7));
    host.sizeAnswer = 0;
    host.setSizeFails = true;
    CallParameters();
    EXPECT_FALSE(host.IsLive(old));
    ASSERT_NE(host.Parameters(), nullptr);
    EXPECT_EQ(host.Block(host.Parameters()).size(), 16u);
    EXPECT_EQ(filter.defaultsWritten, 1);
    EXPECT_EQ(filter.validations, 0);
}

TEST_F(ParametersBlockFixture, ShortSuiteWithoutSizeProcsGetsAFreshBlock)
{
    const PS::Handle old = host.StoreParameters(std::vector<uint8_t>(10, 7));
    host.Procs().numHandleProcs = 2; // newProc and disposeProc only
    CallParameters();
    EXPECT_TRUE(host.setSizeCalls.empty());
    EXPECT_FALSE(host.IsLive(old));
    ASSERT_NE(host.Parameters(), nullptr);
    EXPECT_EQ(host.Block(host.Parameters()).size(), 16u);
    EXPECT_EQ(filter.defaultsWritten, 1);
}

TEST_F(ParametersBlockFixture, ShortBlockWithoutDisposeProcIsDroppedNotFreed)
{
    const PS::Handle old = host.StoreParameters(std::vector<uint8_t>(10, 7));
    host.Procs().disposeProc = nullptr;
    CallParameters();
    EXPECT_TRUE(host.IsLive(old));
    EXPECT_NE(host.Parameters(), old);
    EXPECT_EQ(filter.defaultsWritten, 1);
}

TEST_F(ParametersBlockFixture, UnlockableBlockIsTreatedAsMissing)
{
    const PS::Handle old = host.StoreParameters(std::vector<uint8_t>(16, 7));
    host.lockFails = true;
    CallParameters();
    EXPECT_FALSE(host.IsLive(old));
    EXPECT_NE(host.Parameters(), nullptr);
    // The fresh block cannot be locked either: the derived class decides.
    EXPECT_EQ(filter.parameters, nullptr);
    EXPECT_EQ(filter.defaultsWritten, 1);
    EXPECT_EQ(filter.validations, 0);
}

TEST_F(ParametersBlockFixture, HostWithoutHandleServicesGivesANullBlock)
{
    host.Record().handleProcs = nullptr;
    CallParameters();
    EXPECT_EQ(host.Parameters(), nullptr);
    EXPECT_EQ(filter.parameters, nullptr);
    EXPECT_EQ(filter.defaultsWritten, 1);
    EXPECT_EQ(result, 0);
}

TEST_F(ParametersBlockFixture, FilterWithoutParametersCreatesNothing)
{
    filter.parametersSize = 0;
    CallParameters();
    EXPECT_EQ(host.newCalls, 0);
    EXPECT_EQ(host.Parameters(), nullptr);
    EXPECT_EQ(filter.defaultsWritten, 0);
}

TEST_F(ParametersBlockFixture, PrepareObtainsTheBlockToo)
{
    filter.Dispatch(PS::filterSelectorPrepare, &host.Record(), &data, &result);
    EXPECT_NE(host.Parameters(), nullptr);
    EXPECT_EQ(filter.defaultsWritten, 1);
}
