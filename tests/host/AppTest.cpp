// The effect application through the library's real entry point: About,
// the parameters record in the host's handle, and Start's editor result.
#include "FakeHost.h"

#include "HuxLib/HUXWIN/HuxMessageBox.h"
#include "HuxLib/HUXWIN/HuxMessageLog.h"
#include "effect/PSPlimParameters.h"
#include "effect/PSPlimVersionText.h"
#include "plugin/PluginMain.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <cstring>
#include <limits>
#include <regex>

using namespace FakeHostTest;

namespace {

struct AppFixture : testing::Test {
    FakeHost host{8, 8};
    intptr_t data = 0;
    int16_t result = 0;
    unsigned char errorText[256] = {};

    AppFixture()
    {
        host.Record().errorString = reinterpret_cast<PS::Str255*>(errorText);
        HuxClearMessageLog();
    }

    int16_t Call(int16_t selector)
    {
        result = 0;
        PluginMain(selector, &host.Record(), &data, &result);
        return result;
    }

    PSPlimParameters Stored() const
    {
        PSPlimParameters p;
        const std::vector<uint8_t> bytes = host.Block(host.Parameters());
        EXPECT_EQ(bytes.size(), sizeof p);
        std::memcpy(&p, bytes.data(), std::min(bytes.size(), sizeof p));
        return p;
    }

    PS::Handle Store(const PSPlimParameters& p)
    {
        std::vector<uint8_t> bytes(sizeof p);
        std::memcpy(bytes.data(), &p, sizeof p);
        return host.StoreParameters(bytes);
    }

    std::string ErrorText() const { return std::string(reinterpret_cast<const char*>(errorText + 1), errorText[0]); }
};

PSPlimParameters DefaultRecord()
{
    PSPlimParameters p{};
    PSPlimSetDefaultParameters(p);
    return p;
}

} // namespace

TEST_F(AppFixture, ParametersCreatesA96ByteRecordWithDefaults)
{
    EXPECT_EQ(Call(PS::filterSelectorParameters), 0);
    const PSPlimParameters p = Stored();
    EXPECT_EQ(p.rightButtonTool, 1);
    EXPECT_EQ(p.toolSize, 0.1);
    EXPECT_EQ(p.pointsAcross, 52);
    EXPECT_EQ(p.knockoutColour, 0xFFFFFFu);
    // New records keep the host allocation's padding bytes.
    EXPECT_EQ(p.padding3[6], 0xA5);
    EXPECT_EQ(host.LockCount(host.Parameters()), 0);
    // The host may move the block once the call returns: no pointer into it is kept.
    EXPECT_EQ(TheApp().Params(), nullptr);
}

TEST_F(AppFixture, PrepareForcesAStoredRecordIntoRange)
{
    PSPlimParameters p = DefaultRecord();
    p.pointsAcross = 200;
    p.toolSize = 0.5;
    const PS::Handle h = Store(p);
    EXPECT_EQ(Call(PS::filterSelectorPrepare), 0);
    EXPECT_EQ(host.Parameters(), h);
    EXPECT_EQ(Stored().pointsAcross, 152);
    EXPECT_EQ(Stored().toolSize, 0.25);
    EXPECT_EQ(Stored().pointsDown, 52);
}

TEST_F(AppFixture, StoredNotANumberBecomesTheDefault)
{
    PSPlimParameters p = DefaultRecord();
    p.toolPower = std::numeric_limits<double>::quiet_NaN();
    p.sampleDensity = std::numeric_limits<double>::infinity();
    Store(p);
    EXPECT_EQ(Call(PS::filterSelectorPrepare), 0);
    EXPECT_EQ(Stored().toolPower, 0.2);
    EXPECT_EQ(Stored().sampleDensity, 1.0);
}

TEST_F(AppFixture, ShortStoredBlockIsReplacedByDefaults)
{
    std::vector<uint8_t> old(40, 0xFF);
    const PS::Handle h = host.StoreParameters(old);
    EXPECT_EQ(Call(PS::filterSelectorParameters), 0);
    EXPECT_FALSE(host.IsLive(h));
    const PSPlimParameters p = Stored();
    EXPECT_EQ(p.leftButtonTool, 0);
    EXPECT_EQ(p.gridColour, 200u);
}

TEST_F(AppFixture, BlockOfUnknownSizeIsKept)
{
    PSPlimParameters p = DefaultRecord();
    p.leftButtonTool = 4;
    const PS::Handle h = Store(p);
    host.sizeAnswer = 0;
    EXPECT_EQ(Call(PS::filterSelectorParameters), 0);
    EXPECT_EQ(host.Parameters(), h);
    EXPECT_EQ(Stored().leftButtonTool, 4);
}

TEST_F(AppFixture, UnreachableRecordReportsWhatTheHostLacks)
{
    const struct {
        std::function<void(FakeHost&)> lack;
        const char* text;
        int locks; // the short suite's lockProc, present past its count, is never called
    } cases[] = {
        {[](FakeHost& h) { h.lockFails = true; }, "Parameters not set", 1},
        {[](FakeHost& h) { h.Record().handleProcs = nullptr; },
         "the host offers no handle procedures, which the filter needs to keep its settings", 0},
        {[](FakeHost& h) { h.Procs().newProc = nullptr; },
         "the host's handle procedures cannot create a handle, which the filter needs to keep its settings", 0},
        {[](FakeHost& h) { h.Procs().numHandleProcs = 4; },
         "the host offers fewer than the five handle procedures the filter needs: it has no lock procedure", 0},
    };
    for (const auto& c : cases) {
        FakeHost lacking{8, 8};
        lacking.Record().errorString = reinterpret_cast<PS::Str255*>(errorText);
        c.lack(lacking);
        errorText[0] = 0;
        result = 0;
        PluginMain(PS::filterSelectorPrepare, &lacking.Record(), &data, &result);
        EXPECT_EQ(result, PS::errReportString) << c.text;
        EXPECT_EQ(ErrorText(), c.text);
        EXPECT_EQ(TheApp().Params(), nullptr);
        EXPECT_EQ(lacking.lockCalls, c.locks) << c.text;
    }
}

TEST_F(AppFixture, StartWithACancelledEditorGivesUserCanceled)
{
    Call(PS::filterSelectorPrepare);
    EXPECT_EQ(Call(PS::filterSelectorStart), PS::userCanceledErr);
    EXPECT_TRUE(host.requests.empty());
}

TEST_F(AppFixture, AboutShowsTheMessageBoxOwnedByTheHostWindow)
{
    PS::PlatformData window{0x4242};
    PS::AboutRecord about{};
    about.platformData = &window;
    PluginMain(PS::filterSelectorAbout, &about, &data, &result);
    EXPECT_EQ(result, 0);
    ASSERT_EQ(HuxMessageLog().size(), 1u);
    EXPECT_EQ(HuxMessageLog()[0].text, PSPlimAboutText());
    EXPECT_TRUE(std::regex_match(HuxMessageLog()[0].text,
                                 std::regex("Squelm [0-9]+\\.[0-9]+\\.[0-9]+\nMesh-warp filter by Ombrix\n"
                                            "Built [1-9][0-9]? [A-Z][a-z]{2} 2[0-9]{3}")))
        << HuxMessageLog()[0].text;
    EXPECT_EQ(HuxMessageLog()[0].caption, "Squelm");
    EXPECT_EQ(HuxMessageLog()[0].owner, 0x4242);
    EXPECT_EQ(HuxMessageLog()[0].flags, kHuxMbOk);
}

TEST_F(AppFixture, AboutWithoutAnOwnerWindowStillShowsTheBox)
{
    PS::PlatformData noWindow{0};
    PS::AboutRecord about{};
    about.platformData = &noWindow;
    PluginMain(PS::filterSelectorAbout, &about, &data, &result);
    about.platformData = nullptr;
    PluginMain(PS::filterSelectorAbout, &about, &data, &result);
    EXPECT_EQ(result, 0);
    ASSERT_EQ(HuxMessageLog().size(), 2u);
    EXPECT_EQ(HuxMessageLog()[0].owner, 0);
    EXPECT_EQ(HuxMessageLog()[1].owner, 0);
    EXPECT_EQ(HuxMessageLog()[1].text, PSPlimAboutText());
}

TEST_F(AppFixture, AboutAfterAFilterCallDoesNotTouchTheOldParametersHandle)
{
    Call(PS::filterSelectorParameters);
    const int unlocks = host.unlockCalls;
    PS::AboutRecord about{};
    PluginMain(PS::filterSelectorAbout, &about, &data, &result);
    EXPECT_EQ(host.unlockCalls, unlocks);
    EXPECT_EQ(TheApp().HostRecord(), nullptr);
}
