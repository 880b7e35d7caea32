// The selector dispatch: which operation runs, how success and each kind of
// failure become the result word, and what a call leaves locked or kept.
#include "FakeHost.h"

#include "HuxLib/HUXUTIL/HuxException.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>

#include <new>
#include <stdexcept>
#include <string>
#include <type_traits>

using namespace FakeHostTest;

namespace {

constexpr int16_t kUntouched = 0x1234;

struct DispatchFixture : testing::Test {
    FakeHost host{8, 6};
    RecordingFilter filter;
    intptr_t data = 0;
    int16_t result = kUntouched;
    unsigned char errorText[256] = {};

    DispatchFixture()
    {
        host.StoreParameters(std::vector<uint8_t>(16, 0));
        host.Record().errorString = reinterpret_cast<PS::Str255*>(errorText);
    }

    void Call(int16_t selector) { filter.Dispatch(selector, &host.Record(), &data, &result); }

    int16_t Fail(std::function<void()> thrower)
    {
        filter.onStart = std::move(thrower);
        result = 0;
        Call(PS::filterSelectorStart);
        return result;
    }

    std::string ErrorText() const { return std::string(reinterpret_cast<const char*>(errorText + 1), errorText[0]); }
};

} // namespace

TEST_F(DispatchFixture, EachSelectorRunsItsOperationAndWritesNoErr)
{
    for (int16_t selector = 1; selector <= 5; ++selector) {
        filter.calls.clear();
        result = kUntouched;
        Call(selector);
        EXPECT_EQ(filter.calls, std::vector<int>{selector}) << "selector " << selector;
        EXPECT_EQ(result, PS::noErr) << "selector " << selector;
    }
}

TEST_F(DispatchFixture, UnknownSelectorsRunNothingTouchNothingAndKeepTheResult)
{
    for (int16_t selector : {int16_t(6), int16_t(-1), int16_t(100), int16_t(-32768)}) {
        filter.calls.clear();
        Call(selector);
        EXPECT_TRUE(filter.calls.empty()) << "selector " << selector;
    }
    EXPECT_EQ(host.lockCalls, 0);
    EXPECT_EQ(host.unlockCalls, 0);
    EXPECT_EQ(result, kUntouched);
}

TEST_F(DispatchFixture, EachCallUnlocksExactlyWhatItLocked)
{
    filter.parametersSize = 16;
    const int expectedLocks[] = {0, 1, 1, 0, 0, 0}; // by selector; Start of this filter reads no block
    for (int16_t selector = 1; selector <= 5; ++selector) {
        const int locks = host.lockCalls;
        const int unlocks = host.unlockCalls;
        Call(selector);
        EXPECT_EQ(host.lockCalls - locks, expectedLocks[selector]) << "selector " << selector;
        EXPECT_EQ(host.unlockCalls - unlocks, expectedLocks[selector]) << "selector " << selector;
        EXPECT_EQ(host.LockCount(host.Parameters()), 0) << "selector " << selector;
    }
}

TEST_F(DispatchFixture, NothingOfACallIsKeptAfterItReturns)
{
    filter.parametersSize = 16;
    void* during = nullptr;
    PS::FilterRecord* recordDuring = nullptr;
    filter.onStart = [&] {
        filter.ObtainParameters();
        during = filter.parameters;
        recordDuring = filter.HostRecord();
    };
    Call(PS::filterSelectorStart);
    EXPECT_EQ(during, *host.Parameters());
    EXPECT_EQ(recordDuring, &host.Record());
    EXPECT_EQ(filter.parameters, nullptr);
    EXPECT_EQ(filter.HostRecord(), nullptr);
    EXPECT_EQ(filter.OwnerWindow(), 0);
    EXPECT_EQ(host.LockCount(host.Parameters()), 0);
}

TEST_F(DispatchFixture, ObtainingTwiceInOneCallLocksOnce)
{
    filter.parametersSize = 16;
    filter.onStart = [&] {
        filter.ObtainParameters();
        filter.ObtainParameters();
    };
    Call(PS::filterSelectorStart);
    EXPECT_EQ(host.lockCalls, 1);
    EXPECT_EQ(host.unlockCalls, 1);
    EXPECT_EQ(filter.validations, 1);
}

TEST_F(DispatchFixture, NoParametersHandleMeansNoUnlock)
{
    host.Record().parameters = nullptr;
    Call(PS::filterSelectorFinish);
    EXPECT_EQ(host.unlockCalls, 0);
}

TEST_F(DispatchFixture, AboutReadsAnAboutRecordNotAFilterRecord)
{
    // An AboutRecord holds no parameters handle: nothing may be unlocked
    // through it, whatever its bytes would mean in a FilterRecord.
    PS::AboutRecord about{};
    std::memset(about.reserved, 0xFF, sizeof about.reserved);
    filter.Dispatch(PS::filterSelectorAbout, &about, &data, &result);
    EXPECT_EQ(filter.calls, std::vector<int>{0});
    EXPECT_EQ(host.unlockCalls, 0);
    EXPECT_EQ(result, PS::noErr);
}

TEST_F(DispatchFixture, MessageBecomesErrReportStringWithLengthPrefixedText)
{
    EXPECT_EQ(Fail([] { throw "Parameters not set"; }), PS::errReportString);
    EXPECT_EQ(errorText[0], 18);
    EXPECT_EQ(ErrorText(), "Parameters not set");
}

TEST_F(DispatchFixture, MessageLongerThan255IsCut)
{
    static const std::string longText = std::string(254, 'a') + "bcd";
    EXPECT_EQ(Fail([] { throw longText.c_str(); }), PS::errReportString);
    EXPECT_EQ(errorText[0], 255);
    EXPECT_EQ(ErrorText(), std::string(254, 'a') + "b");
}

TEST_F(DispatchFixture, MessageWithoutErrorStringStillGivesTheCode)
{
    host.Record().errorString = nullptr;
    EXPECT_EQ(Fail([] { throw "lost"; }), PS::errReportString);
    EXPECT_EQ(errorText[0], 0);
}

// A host code is a type of its own: no integer turns into one unnoticed.
static_assert(!std::is_convertible_v<int16_t, HuxOSErr>);
static_assert(!std::is_convertible_v<HuxOSErr, int16_t>);
static_assert(!std::is_arithmetic_v<HuxOSErr>);

TEST_F(DispatchFixture, CodesReachTheHostUnchanged)
{
    EXPECT_EQ(Fail([] { throw HuxOSErr(PS::userCanceledErr); }), -128);
    EXPECT_EQ(Fail([] { throw HuxOSErr(-30100); }), -30100);
    EXPECT_EQ(Fail([] { throw HuxOSErr(PS::memFullErr); }), -108);
}

TEST_F(DispatchFixture, OtherFailuresBecomeMinusOne)
{
    EXPECT_EQ(Fail([] { throw std::bad_alloc(); }), -1);
    EXPECT_EQ(Fail([] { throw std::runtime_error("x"); }), -1);
    EXPECT_EQ(Fail([] { throw 42; }), -1);
    EXPECT_EQ(Fail([] { throw int16_t(PS::userCanceledErr); }), -1);
    // The translator's exception object is freed by the dispatch; the
    // leak checker fails the run if it is not.
    EXPECT_EQ(Fail([] { throw static_cast<HuxException*>(new HuxSEException(0xC0000005)); }), -1);
    EXPECT_EQ(errorText[0], 0);
}

TEST_F(DispatchFixture, FailureStillUnlocksTheParameters)
{
    filter.parametersSize = 16;
    Fail([this] {
        filter.ObtainParameters();
        throw std::bad_alloc();
    });
    EXPECT_EQ(host.lockCalls, 1);
    EXPECT_EQ(host.unlockCalls, 1);
    EXPECT_EQ(host.LockCount(host.Parameters()), 0);
    EXPECT_EQ(filter.parameters, nullptr);
}

TEST_F(DispatchFixture, ContinueEmptiesAllThreeRequests)
{
    host.Record().inRect = {1, 2, 3, 4};
    host.Record().outRect = {5, 6, 7, 8};
    host.Record().maskRect = {9, 10, 11, 12};
    Call(PS::filterSelectorContinue);
    for (const PS::Rect& r : {host.Record().inRect, host.Record().outRect, host.Record().maskRect})
        EXPECT_TRUE(r.top == 0 && r.left == 0 && r.bottom == 0 && r.right == 0);
}

TEST_F(DispatchFixture, PrepareRecordsTheFilterRectangle)
{
    host.SetFilterRect({2, 1, 7, 5});
    Call(PS::filterSelectorPrepare);
    EXPECT_EQ(filter.FilterRect(), (HuxRect{2, 1, 7, 5}));
}
