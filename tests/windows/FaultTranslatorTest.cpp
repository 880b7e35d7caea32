// The fault translator in this test program's own module: faults inside a
// fault scope on the installing thread become HuxSEException pointers that
// unwind like any C++ exception; every other fault stays a fault.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

#include "HuxLib/HUXUTIL/HuxException.h"
#include "HuxLib/HUXUTIL/HuxSETranslator.h"
#include "HuxLib/HUXUTIL/HuxWorkerPool.h"
#include "PluginFile.h"
#include "testhost/win32/PluginModule.h"
#include "testhost/win32/UnhandledFaultExit.h"

namespace {

constexpr uint32_t kAccessViolation = 0xC0000005;
constexpr uint32_t kIntegerDivideByZero = 0xC0000094;
constexpr uint32_t kIllegalInstruction = 0xC000001D;
// No code, data or stack is ever mapped in the first 64 KiB of a process.
constexpr uintptr_t kUnmappedAddress = 0x10;

// Volatile all the way, so that no access is optimised away.
volatile int* volatile g_badPointer = reinterpret_cast<volatile int*>(kUnmappedAddress);
volatile int g_zero = 0;
volatile int g_sink = 0;
int g_destroyed = 0;

struct CountsDestruction {
    ~CountsDestruction() { ++g_destroyed; }
};

__attribute__((noipa)) int ReadThroughBadPointer(int add)
{
    CountsDestruction guard;
    return *g_badPointer + add;
}

__attribute__((noipa)) void WriteThroughBadPointer(int value)
{
    CountsDestruction guard;
    *g_badPointer = value;
}

__attribute__((noipa)) int DivideByZero(int numerator)
{
    CountsDestruction guard;
    g_sink = numerator / g_zero;
    return g_sink;
}

// The compiler does not count an asm statement as a point where an exception
// may start, so this frame holds nothing that needs unwinding.
__attribute__((noipa)) void ExecuteUndefinedInstruction()
{
    asm volatile("ud2");
}

using Callback = int (*)(int);

__attribute__((noipa)) int CallThroughBadPointer(int argument)
{
    CountsDestruction guard;
    Callback callback = reinterpret_cast<Callback>(kUnmappedAddress);
    return callback(argument) + 1;
}

// No frame of its own and nothing to clean up: the unwinder must step
// through it to its caller by the return address alone.
__attribute__((noipa)) int LeafRead()
{
    return *g_badPointer;
}

__attribute__((noipa)) int CallsLeaf(int add)
{
    CountsDestruction guard;
    return LeafRead() + add;
}

// Two levels of frames between the scope and the fault.
__attribute__((noipa)) int Nested(int depth)
{
    CountsDestruction guard;
    return depth == 0 ? ReadThroughBadPointer(1) : Nested(depth - 1) + 1;
}

// Runs `body` inside a fault scope; returns the code of the translated
// fault, or 0 when the body returned normally.
template <class Body>
uint32_t TranslatedCode(Body body)
{
    try {
        HuxFaultScope scope;
        body();
    } catch (HuxException* e) {
        auto* fault = dynamic_cast<HuxSEException*>(e);
        const uint32_t code = fault ? fault->Code() : 1;
        delete e;
        return code;
    }
    return 0;
}

class FaultTranslatorTest : public testing::Test {
protected:
    static void SetUpTestSuite() { HuxInstallFaultTranslator(); }
    void SetUp() override { g_destroyed = 0; }
};

TEST_F(FaultTranslatorTest, ProcessorFaultsInsideTheScopeBecomeExceptionsWithTheirCode)
{
    EXPECT_EQ(TranslatedCode([] { ReadThroughBadPointer(1); }), kAccessViolation);
    EXPECT_EQ(g_destroyed, 1);
    EXPECT_EQ(TranslatedCode([] { WriteThroughBadPointer(7); }), kAccessViolation);
    EXPECT_EQ(g_destroyed, 2);
    EXPECT_EQ(TranslatedCode([] { DivideByZero(7); }), kIntegerDivideByZero);
    EXPECT_EQ(g_destroyed, 3);
    EXPECT_EQ(TranslatedCode([] { ExecuteUndefinedInstruction(); }), kIllegalInstruction);
}

// A pool's workers install the translator themselves: a fault in a task on
// any of them reaches the caller of Run as the translated exception.
TEST_F(FaultTranslatorTest, FaultsOnWorkerThreadsReachTheCallerOfTheirPool)
{
    HuxWorkerPool pool(4);
    for (int attempt = 0; attempt < 3; ++attempt) {
        // The caller's thread holds its task until a worker has started its
        // own, so that the fault happens on a worker.
        std::atomic<bool> workerStarted{false};
        const uint32_t code = TranslatedCode([&] {
            pool.Run(64, [&](int32_t, int thread) {
                if (thread == 0) {
                    for (int wait = 0; wait < 5000 && !workerStarted; ++wait)
                        std::this_thread::sleep_for(std::chrono::milliseconds(1));
                    return;
                }
                workerStarted = true;
                ReadThroughBadPointer(1);
            });
        });
        EXPECT_EQ(code, kAccessViolation) << "attempt " << attempt;
    }
}

TEST_F(FaultTranslatorTest, CallThroughAnInvalidPointerUnwindsFromTheCallingFunction)
{
    EXPECT_EQ(TranslatedCode([] { CallThroughBadPointer(3); }), kAccessViolation);
    EXPECT_EQ(g_destroyed, 1);
}

TEST_F(FaultTranslatorTest, FaultInALeafFunctionUnwindsThroughItsCaller)
{
    EXPECT_EQ(TranslatedCode([] { CallsLeaf(1); }), kAccessViolation);
    EXPECT_EQ(g_destroyed, 1);
}

TEST_F(FaultTranslatorTest, UnwindingRunsTheDestructorsOfEveryFrameOnTheWay)
{
    EXPECT_EQ(TranslatedCode([] { Nested(2); }), kAccessViolation);
    EXPECT_EQ(g_destroyed, 4); // Nested x3, ReadThroughBadPointer
}

TEST_F(FaultTranslatorTest, TranslatesAgainAndAgainAndLeavesNormalCodeAlone)
{
    for (int i = 0; i < 50; ++i) {
        ASSERT_EQ(TranslatedCode([] { ReadThroughBadPointer(1); }), kAccessViolation) << "round " << i;
        ASSERT_EQ(TranslatedCode([] { CallThroughBadPointer(1); }), kAccessViolation) << "round " << i;
    }
    int value = 0;
    EXPECT_EQ(TranslatedCode([&] { value = 6 * 7; }), 0u);
    EXPECT_EQ(value, 42);
}

TEST_F(FaultTranslatorTest, CxxExceptionsPassThroughUnchanged)
{
    try {
        HuxFaultScope scope;
        throw std::string("thrown");
    } catch (const std::string& text) {
        EXPECT_EQ(text, "thrown");
    }
}

TEST_F(FaultTranslatorTest, NestedScopesKeepTranslatingUntilTheOutermostCloses)
{
    uint32_t code = 0;
    try {
        HuxFaultScope outer;
        { HuxFaultScope inner; }
        ReadThroughBadPointer(1);
    } catch (HuxException* e) {
        code = static_cast<HuxSEException*>(e)->Code();
        delete e;
    }
    EXPECT_EQ(code, kAccessViolation);
}

TEST_F(FaultTranslatorTest, DescribesTheFaultWithItsCode)
{
    HuxSEException fault(kAccessViolation);
    EXPECT_EQ(fault.Describe(), "Structured exception : c0000005");
}

using FaultTranslatorDeathTest = FaultTranslatorTest;

// The children re-run the test program; each ends with the fault's code.
TEST_F(FaultTranslatorDeathTest, FaultOutsideAnyScopeIsNotTranslated)
{
    EXPECT_EXIT(
        {
            SquelmHost::ExitOnUnhandledFault();
            HuxInstallFaultTranslator();
            ReadThroughBadPointer(1);
        },
        testing::ExitedWithCode(int(kAccessViolation)), "");
}

TEST_F(FaultTranslatorDeathTest, FaultOnAnotherThreadIsNotTranslated)
{
    EXPECT_EXIT(
        {
            SquelmHost::ExitOnUnhandledFault();
            HuxInstallFaultTranslator();
            HuxFaultScope scope;
            std::thread([] { DivideByZero(1); }).join();
        },
        testing::ExitedWithCode(int(kIntegerDivideByZero)), "");
}

TEST_F(FaultTranslatorDeathTest, FaultInsideAnotherModuleIsNotTranslated)
{
    // strlen lives in the C runtime DLL: its frames have no unwind tables
    // this module's unwinder could use, so the fault must stay a fault.
    EXPECT_EXIT(
        {
            SquelmHost::ExitOnUnhandledFault();
            HuxInstallFaultTranslator();
            size_t (*volatile length)(const char*) = &std::strlen;
            HuxFaultScope scope;
            length(reinterpret_cast<const char*>(kUnmappedAddress));
        },
        testing::ExitedWithCode(int(kAccessViolation)), "");
}

// The plug-in's handler is installed ahead of this program's; once the
// plug-in is unloaded it must be gone, or the next fault would run code that
// is no longer mapped.
TEST_F(FaultTranslatorDeathTest, UnloadedPlugInLeavesNoHandlerBehind)
{
    EXPECT_EXIT(
        {
            SquelmHost::ExitOnUnhandledFault();
            HuxInstallFaultTranslator();
            SquelmHost::PluginModule plugin = SquelmHost::LoadPluginModule(PluginFile());
            SquelmHost::UnloadPluginModule(plugin);
            std::exit(TranslatedCode([] { ReadThroughBadPointer(1); }) == kAccessViolation ? 7 : 8);
        },
        testing::ExitedWithCode(7), "");
}

} // namespace
