// The host's handles: Mac-style master pointers, lock counts, quirks.
#include <cstring>

#include "testhost/HandleTable.h"
#include "testhost/HostTestSupport.h"

namespace SquelmHostTest {
namespace {

using SquelmHost::EventKind;
using SquelmHost::HandleTable;

TEST(HandleTableTest, AHandlePointsAtTheMasterPointerOfTheBlock)
{
    HandleTable table;
    PS::Handle h = table.New(5, 0xEE);
    ASSERT_NE(h, nullptr);
    ASSERT_NE(*h, nullptr);
    EXPECT_EQ(uint8_t((*h)[4]), 0xEE);
    EXPECT_EQ(table.Size(h), 5);
    EXPECT_EQ(table.LiveCount(), 1u);
    EXPECT_EQ(table.New(-1, 0), nullptr);
    PS::Handle empty = table.New(0, 0);
    ASSERT_NE(empty, nullptr);
    EXPECT_NE(*empty, nullptr) << "even an empty block has an address";
    EXPECT_EQ(table.Size(empty), 0);
}

TEST(HandleTableTest, LockCountsNestAndUnlockStopsAtZero)
{
    HandleTable table;
    PS::Handle h = table.New(4, 0);
    EXPECT_EQ(table.Lock(h), *h);
    EXPECT_EQ(table.Lock(h), *h);
    EXPECT_EQ(table.LockCount(h), 2);
    EXPECT_EQ(table.Unlock(h), 1);
    EXPECT_EQ(table.Unlock(h), 0);
    EXPECT_EQ(table.Unlock(h), 0);
    EXPECT_EQ(table.LockCount(h), 0);
}

TEST(HandleTableTest, ResizingAnUnlockedBlockMovesItAndKeepsItsBytes)
{
    HandleTable table;
    PS::Handle h = table.New(3, 0);
    std::memcpy(*h, "abc", 3);
    const char* before = *h;
    ASSERT_TRUE(table.Resize(h, 64, 0x11));
    EXPECT_NE(*h, before) << "an unlocked block moves";
    EXPECT_EQ(std::memcmp(*h, "abc", 3), 0);
    EXPECT_EQ((*h)[3], 0x11);
    EXPECT_EQ(table.Size(h), 64);
}

TEST(HandleTableTest, MovingOnUnlockKeepsTheBytesAndPoisonsTheOldPlace)
{
    HandleTable table;
    PS::Handle h = table.New(4, 0);
    char* first = table.Lock(h);
    std::memcpy(first, "wxyz", 4);
    char* second = table.Lock(h);
    EXPECT_EQ(table.Unlock(h, true), 1);
    EXPECT_EQ(*h, first) << "still locked once: the block stays";
    EXPECT_EQ(table.MovedCount(), 0u);
    EXPECT_EQ(table.Unlock(h, true), 0);
    EXPECT_NE(*h, second);
    EXPECT_EQ(std::memcmp(*h, "wxyz", 4), 0);
    EXPECT_EQ(table.MovedCount(), 1u);
    EXPECT_EQ(table.StaleWrites(), 0u);
    table.Unlock(h, false);
    EXPECT_EQ(table.MovedCount(), 1u) << "only on request";
}

TEST(HandleTableTest, ALockedBlockStaysPutAndCannotGrow)
{
    HandleTable table;
    PS::Handle h = table.New(8, 0);
    char* locked = table.Lock(h);
    EXPECT_FALSE(table.Resize(h, 16, 0));
    EXPECT_TRUE(table.Resize(h, 4, 0));
    EXPECT_EQ(*h, locked);
    EXPECT_EQ(table.Size(h), 4);
}

TEST(HandleTableTest, UnknownHandlesAreRefused)
{
    HandleTable table;
    char* master = nullptr;
    PS::Handle stranger = &master;
    EXPECT_FALSE(table.Contains(stranger));
    EXPECT_EQ(table.Size(stranger), -1);
    EXPECT_EQ(table.Lock(stranger), nullptr);
    EXPECT_EQ(table.Unlock(stranger), -1);
    EXPECT_FALSE(table.Dispose(stranger));
    EXPECT_FALSE(table.Resize(stranger, 4, 0));
}

TEST_F(HostTest, HandleProcsAreCompleteAndLogged)
{
    PS::HandleProcs* procs = host.Record().handleProcs;
    ASSERT_NE(procs, nullptr);
    EXPECT_EQ(procs->handleProcsVersion, 1);
    EXPECT_EQ(procs->numHandleProcs, 8);
    host.ClearLog();
    PS::Handle h = procs->newProc(96);
    ASSERT_TRUE(host.IsLiveHandle(h));
    EXPECT_EQ(procs->getSizeProc(h), 96);
    char* p = procs->lockProc(h, true);
    EXPECT_EQ(p, *h);
    EXPECT_EQ(host.LockCount(h), 1);
    procs->unlockProc(h);
    EXPECT_EQ(host.LockCount(h), 0);
    EXPECT_EQ(procs->setSizeProc(h, 100), PS::noErr);
    procs->recoverSpaceProc(10);
    procs->disposeProc(h);
    EXPECT_FALSE(host.IsLiveHandle(h));
    const auto& events = host.Log().Events();
    ASSERT_EQ(events.size(), 7u);
    EXPECT_EQ(events[0].kind, EventKind::NewHandle);
    EXPECT_EQ(events[0].value, 96);
    EXPECT_EQ(events[0].handle, h);
    EXPECT_EQ(events[2].kind, EventKind::LockHandle);
    EXPECT_EQ(events[2].value, 1);
    EXPECT_EQ(events[3].kind, EventKind::UnlockHandle);
    EXPECT_EQ(events[3].value, 0);
    EXPECT_EQ(events[6].kind, EventKind::DisposeHandle);
    EXPECT_EQ(events[6].result, PS::noErr);
}

TEST_F(HostTest, GetSizeQuirkAnswersZero)
{
    host.Options().getSizeAnswersZero = true;
    host.BuildRecord();
    PS::HandleProcs* procs = host.Record().handleProcs;
    PS::Handle h = procs->newProc(96);
    EXPECT_EQ(procs->getSizeProc(h), 0);
    EXPECT_NE(procs->lockProc(h, true), nullptr) << "the handle still works";
}

TEST_F(HostTest, SetSizeQuirkFails)
{
    host.Options().setSizeFails = true;
    host.BuildRecord();
    PS::HandleProcs* procs = host.Record().handleProcs;
    PS::Handle h = procs->newProc(8);
    EXPECT_EQ(procs->setSizeProc(h, 16), PS::memFullErr);
    char* master = nullptr;
    EXPECT_EQ(procs->setSizeProc(&master, 16), PS::nilHandleErr);
}

TEST_F(HostTest, FewerHandleProcsLeaveTheLaterOnesNull)
{
    host.Options().numHandleProcs = 6;
    host.BuildRecord();
    PS::HandleProcs* procs = host.Record().handleProcs;
    EXPECT_EQ(procs->numHandleProcs, 6);
    EXPECT_NE(procs->unlockProc, nullptr);
    EXPECT_EQ(procs->recoverSpaceProc, nullptr);
    EXPECT_EQ(procs->disposeRegularHandleProc, nullptr);
}

TEST_F(HostTest, NewProcRefusesFromTheNthCallOn)
{
    host.Options().failNewHandleAt = 2;
    host.BuildRecord();
    PS::HandleProcs* procs = host.Record().handleProcs;
    EXPECT_NE(procs->newProc(4), nullptr);
    EXPECT_EQ(procs->newProc(4), nullptr);
    EXPECT_EQ(procs->newProc(4), nullptr);
    const auto events = host.Log().OfKind(EventKind::NewHandle);
    ASSERT_EQ(events.size(), 3u);
    EXPECT_EQ(events[1].result, PS::memFullErr);
}

TEST_F(HostTest, FreshBlocksCarryTheConfiguredFill)
{
    host.Options().newHandleFill = 0xBD;
    host.BuildRecord();
    PS::Handle h = host.Record().handleProcs->newProc(3);
    EXPECT_EQ(uint8_t((*h)[0]), 0xBD);
    EXPECT_EQ(uint8_t((*h)[2]), 0xBD);
}

// A plug-in that locks the handle it is given once per call and unlocks it
// `unlocks` times.
struct LockingPlugin {
    static int unlocks;
    static void PS_CALLBACK Entry(int16_t, void* record, intptr_t*, int16_t* result)
    {
        auto* r = static_cast<PS::FilterRecord*>(record);
        if (r->parameters) {
            r->handleProcs->lockProc(r->parameters, true);
            for (int i = 0; i < unlocks; ++i)
                r->handleProcs->unlockProc(r->parameters);
        }
        *result = PS::noErr;
    }
};

int LockingPlugin::unlocks = 0;

// A plug-in that never writes the result word.
void PS_CALLBACK SilentPlugin(int16_t, void*, intptr_t*, int16_t*) {}

TEST(LockTallyTest, EachCallCountsLocksAndUnlocksPerHandle)
{
    SquelmHost::TestHost host(&LockingPlugin::Entry);
    host.SetImage(Pattern(4, 4));
    host.BuildRecord();
    host.SetParameterBytes({1, 2, 3});
    const PS::Handle h = host.ParametersHandle();
    LockingPlugin::unlocks = 1;
    host.CallSelector(PS::filterSelectorParameters);
    LockingPlugin::unlocks = 0;
    host.CallSelector(PS::filterSelectorPrepare);
    LockingPlugin::unlocks = 2;
    host.CallSelector(PS::filterSelectorStart);

    const auto& tallies = host.LockTallies();
    ASSERT_EQ(tallies.size(), 3u);
    for (const auto& t : tallies)
        EXPECT_EQ(t.handle, h);
    EXPECT_EQ(tallies[0].selector, PS::filterSelectorParameters);
    EXPECT_TRUE(tallies[0].Balanced());
    EXPECT_EQ(tallies[1].selector, PS::filterSelectorPrepare);
    EXPECT_EQ(tallies[1].locks, 1);
    EXPECT_EQ(tallies[1].unlocks, 0);
    EXPECT_EQ(tallies[2].locks, 1);
    EXPECT_EQ(tallies[2].unlocks, 2);
    EXPECT_EQ(host.UnbalancedLocks().size(), 2u);
}

TEST(LockTallyTest, TheResultWordStartsAtThePresetValue)
{
    SquelmHost::HostOptions options;
    options.resultWordPreset = 1;
    SquelmHost::TestHost host(&SilentPlugin, options);
    host.SetImage(Pattern(4, 4));
    host.BuildRecord();
    EXPECT_EQ(host.CallSelector(PS::filterSelectorFinish), 1);
    EXPECT_EQ(host.CallAbout(), 1);
}

} // namespace
} // namespace SquelmHostTest
