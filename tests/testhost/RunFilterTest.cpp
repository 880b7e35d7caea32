// The host's calling sequence: Parameters, Prepare, Start, the Continue loop
// and the rule for Finish, results, error texts and About.
#include <cstring>
#include <stdexcept>
#include <vector>

#include "testhost/HostTestSupport.h"
#include "testhost/ImageCompare.h"

namespace SquelmHostTest {
namespace {

using SquelmHost::EventKind;
using SquelmHost::RunResult;

const PS::Rect kNone = HostRect(0, 0, 0, 0);

void RecordEverySelector(FakePlugin& plugin, std::vector<int16_t>& seen)
{
    for (int16_t s = PS::filterSelectorParameters; s <= PS::filterSelectorFinish; ++s)
        plugin.On(s, [&seen, s](PS::FilterRecord&) {
            seen.push_back(s);
            return PS::noErr;
        });
}

TEST_F(HostTest, ASuccessfulRunCallsEachSelectorOnceInOrder)
{
    std::vector<int16_t> seen;
    RecordEverySelector(plugin, seen);
    const RunResult result = host.RunFilter();
    EXPECT_TRUE(result.Succeeded());
    EXPECT_TRUE(result.finishCalled);
    EXPECT_EQ(result.continueCalls, 0);
    EXPECT_EQ(seen, (std::vector<int16_t>{1, 2, 3, 5}));
    EXPECT_EQ(host.Log().SelectorSequence(), seen);
}

TEST_F(HostTest, HostsThatSkipParametersStartWithPrepare)
{
    std::vector<int16_t> seen;
    RecordEverySelector(plugin, seen);
    SquelmHost::RunOptions run;
    run.callParameters = false;
    EXPECT_TRUE(host.RunFilter(run).Succeeded());
    EXPECT_EQ(seen, (std::vector<int16_t>{2, 3, 5}));
}

TEST_F(HostTest, ContinueRepeatsWhileAnythingIsRequested)
{
    int continues = 0;
    plugin.On(PS::filterSelectorStart, [](PS::FilterRecord& r) {
        Request(r, HostRect(0, 0, 1, 1), kNone, kNone);
        return PS::noErr;
    });
    plugin.On(PS::filterSelectorContinue, [&](PS::FilterRecord& r) {
        ++continues;
        // The host served the request left behind before calling.
        EXPECT_EQ(static_cast<void*>(r.inData) != nullptr, continues == 1);
        EXPECT_EQ(static_cast<void*>(r.outData) != nullptr, continues == 3);
        if (continues == 1)
            Request(r, kNone, kNone, HostRect(0, 0, 2, 2)); // only a mask now
        else if (continues == 2)
            Request(r, kNone, HostRect(1, 1, 2, 2), kNone);
        else
            r.inRect = r.outRect = r.maskRect = kNone;
        return PS::noErr;
    });
    const RunResult result = host.RunFilter();
    EXPECT_TRUE(result.Succeeded()) << result.hostError;
    EXPECT_EQ(continues, 3);
    EXPECT_EQ(result.continueCalls, 3);
    EXPECT_TRUE(result.finishCalled);
    EXPECT_EQ(host.Log().Count(EventKind::Continue), 3u);
}

TEST_F(HostTest, ContinueThatNeverEndsHitsTheCapAndSkipsFinish)
{
    plugin.On(PS::filterSelectorStart, [](PS::FilterRecord& r) {
        Request(r, HostRect(0, 0, 1, 1), kNone, kNone);
        return PS::noErr;
    });
    SquelmHost::RunOptions run;
    run.maxContinueCalls = 5;
    const RunResult result = host.RunFilter(run);
    EXPECT_FALSE(result.Succeeded());
    EXPECT_EQ(result.continueCalls, 5);
    EXPECT_FALSE(result.finishCalled);
    EXPECT_NE(result.hostError.find("after 5 calls"), std::string::npos) << result.hostError;
}

TEST_F(HostTest, AnInvalidRequestLeftForContinueIsAHostError)
{
    plugin.On(PS::filterSelectorStart, [](PS::FilterRecord& r) {
        Request(r, HostRect(0, 0, 20, 1), kNone, kNone);
        return PS::noErr;
    });
    const RunResult result = host.RunFilter();
    EXPECT_FALSE(result.Succeeded());
    EXPECT_EQ(result.continueCalls, 0);
    EXPECT_FALSE(result.hostError.empty());
}

TEST_F(HostTest, FinishOnlyAfterASuccessfulStart)
{
    std::vector<int16_t> seen;
    RecordEverySelector(plugin, seen);
    plugin.On(PS::filterSelectorStart, [&](PS::FilterRecord&) {
        seen.push_back(PS::filterSelectorStart);
        return PS::userCanceledErr;
    });
    const RunResult result = host.RunFilter();
    EXPECT_EQ(result.result, PS::userCanceledErr);
    EXPECT_EQ(result.failedSelector, PS::filterSelectorStart);
    EXPECT_FALSE(result.finishCalled);
    EXPECT_EQ(seen, (std::vector<int16_t>{1, 2, 3}));
}

TEST_F(HostTest, AFailedPrepareStopsTheRun)
{
    std::vector<int16_t> seen;
    RecordEverySelector(plugin, seen);
    plugin.On(PS::filterSelectorPrepare, [](PS::FilterRecord&) { return PS::memFullErr; });
    const RunResult result = host.RunFilter();
    EXPECT_EQ(result.result, PS::memFullErr);
    EXPECT_EQ(result.failedSelector, PS::filterSelectorPrepare);
    EXPECT_FALSE(result.startCalled);
    EXPECT_EQ(seen, (std::vector<int16_t>{1}));
}

TEST_F(HostTest, ARunCanStartFromAnAdjustedRecord)
{
    bool sawStrayPointer = false;
    plugin.On(PS::filterSelectorPrepare, [&](PS::FilterRecord& r) {
        sawStrayPointer = reinterpret_cast<uintptr_t>(r.progressProc) == 0x10 && r.serialNumber == 0;
        return PS::noErr;
    });
    SquelmHost::RunOptions run;
    run.adjustRecord = [](PS::FilterRecord& r) {
        r.progressProc = reinterpret_cast<PS::ProgressProc>(uintptr_t(0x10));
        r.serialNumber = 0;
    };
    EXPECT_TRUE(host.RunFilter(run).Succeeded());
    EXPECT_TRUE(sawStrayPointer);
}

TEST_F(HostTest, TheResultWordIsZeroedBeforeEveryCall)
{
    host.BuildRecord();
    plugin.lastResultOnEntry = 99;
    host.CallSelector(PS::filterSelectorPrepare);
    EXPECT_EQ(plugin.lastResultOnEntry, 0);
    EXPECT_EQ(plugin.lastData, &host.DataWord());
}

TEST_F(HostTest, ErrorStringTextIsReported)
{
    plugin.On(PS::filterSelectorStart, [](PS::FilterRecord& r) {
        const char text[] = "Parameters not set";
        (*r.errorString)[0] = uint8_t(sizeof text - 1);
        std::memcpy(&(*r.errorString)[1], text, sizeof text - 1);
        return PS::errReportString;
    });
    const RunResult result = host.RunFilter();
    EXPECT_EQ(result.result, PS::errReportString);
    EXPECT_EQ(result.errorText, "Parameters not set");
    const auto selectors = host.Log().OfKind(EventKind::Selector);
    ASSERT_FALSE(selectors.empty());
    EXPECT_EQ(selectors.back().text, "Parameters not set");
    EXPECT_NE(host.Log().ToString().find("Start (3) -> -30904 \"Parameters not set\""), std::string::npos)
        << host.Log().ToString();
}

TEST_F(HostTest, AnExceptionLeavingTheEntryPointIsAHostError)
{
    plugin.On(PS::filterSelectorPrepare, [](PS::FilterRecord&) -> PS::OSErr { throw std::runtime_error("leak"); });
    const RunResult result = host.RunFilter();
    EXPECT_FALSE(result.Succeeded());
    EXPECT_FALSE(result.startCalled);
    EXPECT_NE(result.hostError.find("Prepare"), std::string::npos) << result.hostError;
}

TEST_F(HostTest, AFailedRunLeavesTheDocumentAsItWas)
{
    const SquelmHost::RgbImage before = host.Image();
    plugin.On(PS::filterSelectorStart, [](PS::FilterRecord& r) {
        Request(r, kNone, HostRect(0, 0, 3, 3), kNone);
        r.advanceState();
        std::memset(r.outData, 0, size_t(r.outRowBytes) * 3);
        return PS::userCanceledErr;
    });
    EXPECT_EQ(host.RunFilter().result, PS::userCanceledErr);
    EXPECT_TRUE(SquelmHost::CompareImages(before, host.Image()).Identical());

    host.Options().revertOnFailure = false;
    EXPECT_EQ(host.RunFilter().result, PS::userCanceledErr);
    const auto diff = SquelmHost::CompareImages(before, host.Image());
    EXPECT_EQ(diff.differingPixels, 9) << diff.Describe();
}

TEST_F(HostTest, AboutGetsAnAboutRecordWithTheOwnerWindow)
{
    host.Options().ownerWindow = 0x1234;
    intptr_t hwnd = -1;
    size_t reservedNonZero = 1;
    plugin.OnAbout([&](PS::AboutRecord& about) {
        hwnd = static_cast<PS::PlatformData*>(about.platformData)->hwnd;
        reservedNonZero = 0;
        for (char c : about.reserved)
            reservedNonZero += c != 0;
        return PS::noErr;
    });
    EXPECT_EQ(host.CallAbout(), PS::noErr);
    EXPECT_EQ(hwnd, 0x1234);
    EXPECT_EQ(reservedNonZero, 0u);
    EXPECT_EQ(host.Log().SelectorSequence(), std::vector<int16_t>{0});

    host.Options().nullAboutPlatformData = true;
    bool sawNull = false;
    plugin.OnAbout([&](PS::AboutRecord& about) {
        sawNull = about.platformData == nullptr;
        return PS::noErr;
    });
    host.CallAbout();
    EXPECT_TRUE(sawNull);
}

} // namespace
} // namespace SquelmHostTest
