// Pointers stay full width: with the address space below 4 GiB used up (as
// every 64-bit test program does first thing), the host's handles, the rows
// it hands over and the plug-in's own heap blocks must all lie above it, so
// that a pointer cut to 32 bits anywhere would fail instead of passing.
#include <gtest/gtest.h>

#include <cstdint>
#include <set>
#include <sstream>

#include "DialogCanceller.h"
#include "PluginFile.h"
#include "testhost/AddressSpace.h"
#include "testhost/TestHost.h"
#include "testhost/win32/HeapBlocks.h"
#include "testhost/win32/PluginModule.h"

namespace {

using SquelmHost::TestHost;

constexpr uint64_t k4GiB = uint64_t(1) << 32;

bool Above4GiB(uintptr_t address)
{
    return uint64_t(address) >= k4GiB;
}

bool Above4GiB(const void* pointer)
{
    return Above4GiB(reinterpret_cast<uintptr_t>(pointer));
}

class HighAddresses : public testing::Test {
protected:
    static void SetUpTestSuite() { entry_ = SquelmHost::LoadPluginModule(PluginFile()).entry; }

    void SetUp() override
    {
        if (sizeof(void*) < 8)
            GTEST_SKIP() << "a 32-bit process has no memory above 4 GiB";
        ASSERT_NE(entry_, nullptr);
        // Blocks freed since start-up are free low memory again.
        SquelmHost::ReserveLowAddressSpace();
    }

    static PS::PluginEntry entry_;
};

PS::PluginEntry HighAddresses::entry_ = nullptr;

TEST_F(HighAddresses, HandlesAndImageRowsLieAbove4GiB)
{
    TestHost host(entry_);
    // A host without 32-bit coordinates, so that the 16-bit request fields
    // set below are the ones it serves.
    host.Options().bigDocument = false;
    host.SetImage(SquelmHost::RgbImage(300, 200, 7));
    host.BuildRecord();
    ASSERT_EQ(host.CallSelector(PS::filterSelectorParameters), PS::noErr);
    const PS::Handle parameters = host.ParametersHandle();
    ASSERT_NE(parameters, nullptr);
    EXPECT_TRUE(Above4GiB(parameters)) << parameters;
    EXPECT_TRUE(Above4GiB(*parameters)) << static_cast<void*>(*parameters);

    // The whole image in and out, served as the host does before Continue.
    PS::FilterRecord& record = host.Record();
    record.inRect = PS::Rect{0, 0, 200, 300};
    record.outRect = PS::Rect{0, 0, 200, 300};
    record.inLoPlane = record.outLoPlane = 0;
    record.inHiPlane = record.outHiPlane = 2;
    ASSERT_EQ(host.ServeRequests(), PS::noErr);
    const void* inData = record.inData;
    const void* outData = record.outData;
    ASSERT_NE(inData, nullptr);
    ASSERT_NE(outData, nullptr);
    EXPECT_TRUE(Above4GiB(inData)) << inData;
    EXPECT_TRUE(Above4GiB(outData)) << outData;
}

TEST_F(HighAddresses, HeapBlocksMadeDuringARunLieAbove4GiB)
{
    TestHost host(entry_);
    host.SetImage(SquelmHost::RgbImage(600, 400, 90));
    std::set<uintptr_t> before;
    size_t lowBefore = 0;
    for (const SquelmHost::HeapBlock& block : SquelmHost::BusyHeapBlocks()) {
        before.insert(block.address);
        lowBefore += Above4GiB(block.address) ? 0 : 1;
    }
    // The walk sees low blocks (those taken at start-up, at least), so it
    // would see the run's own.
    ASSERT_GT(lowBefore, 0u);

    SquelmHost::RunResult result;
    WithDialogsCancelled([&] { result = host.RunFilter(); });
    ASSERT_EQ(result.failedSelector, PS::filterSelectorStart); // the run went as far as the editor

    constexpr size_t kListed = 8;
    size_t made = 0;
    size_t low = 0;
    std::ostringstream firstLow;
    for (const SquelmHost::HeapBlock& block : SquelmHost::BusyHeapBlocks()) {
        if (before.count(block.address))
            continue;
        ++made;
        if (!Above4GiB(block.address) && low++ < kListed)
            firstLow << " " << reinterpret_cast<void*>(block.address) << " (" << block.size << " bytes)";
    }
    EXPECT_GT(made, 0u);
    EXPECT_EQ(low, 0u) << "blocks made during the run below 4 GiB, the first:" << firstLow.str();
}

} // namespace
