// Support library: exception texts, the per-thread record, the application
// title and the native message box log.
#include "HuxLib/HUXIMAGE/HuxPalette.h"
#include "HuxLib/HUXUTIL/HuxApp.h"
#include "HuxLib/HUXUTIL/HuxAutoPtr.h"
#include "HuxLib/HUXUTIL/HuxException.h"
#include "HuxLib/HUXWIN/CWinApp.h"
#include "HuxLib/HUXWIN/HuxMessageBox.h"
#include "HuxLib/HUXWIN/HuxMessageLog.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>

namespace {

class CountingApp : public HuxApp {
public:
    void ReportError(int32_t code, int32_t detail) override { reports.emplace_back(code, detail); }
    std::vector<std::pair<int32_t, int32_t>> reports;
};

} // namespace

TEST(Exceptions, DescribingTexts)
{
    EXPECT_EQ(HuxSEException(0xC0000005).Describe(), "Structured exception : c0000005");
    EXPECT_EQ(HuxAssertException("grid.cpp", 42).Describe(), "grid.cpp(42)");
    EXPECT_EQ(HuxException().Describe(), "");
    const std::string longName(3000, 'f');
    EXPECT_EQ(HuxAssertException(longName.c_str(), 1).Describe().size(), 1023u);
}

TEST(HuxAppRecord, NoneRegisteredMeansNoRecord) { EXPECT_EQ(GetHUXAPP(), nullptr); }

TEST(HuxAppRecord, RegisteredForItsOwnThreadOnly)
{
    CountingApp app;
    app.Register();
    EXPECT_EQ(GetHUXAPP(), &app);
    HuxApp* seenElsewhere = &app;
    std::thread([&] { seenElsewhere = GetHUXAPP(); }).join();
    EXPECT_EQ(seenElsewhere, nullptr);

    GetHUXAPP()->ReportError(103, 9);
    EXPECT_EQ(app.reports, (std::vector<std::pair<int32_t, int32_t>>{{103, 9}}));
    app.Unregister();
    EXPECT_EQ(GetHUXAPP(), nullptr);
}

TEST(HuxAppRecord, DestroyedRecordIsNoLongerFound)
{
    {
        CountingApp app;
        app.Register();
    }
    EXPECT_EQ(GetHUXAPP(), nullptr);
}

TEST(HuxAppRecord, DefaultHookReportsNothing)
{
    HuxApp app;
    app.ReportError(1, 2); // must simply return
    EXPECT_EQ(GetHUXAPP(), nullptr);
}

TEST(WinApp, TitleDefaultsToSquelm)
{
    EXPECT_STREQ(CWinApp().m_pszAppName, "Squelm");
    EXPECT_STREQ(CWinApp("Other").m_pszAppName, "Other");
    EXPECT_EQ(CWinApp().m_hInstance, nullptr);
}

TEST(MessageBox, NativeBoxesAreLoggedAndAnsweredOk)
{
    HuxClearMessageLog();
    EXPECT_EQ(HuxMessageBox(0, "one", "cap", kHuxMbOk), kHuxIdOk);
    EXPECT_EQ(HuxMessageBox(77, nullptr, "c2", kHuxMbOkCancel), kHuxIdOk);
    ASSERT_EQ(HuxMessageLog().size(), 2u);
    EXPECT_EQ(HuxMessageLog()[0].text, "one");
    EXPECT_EQ(HuxMessageLog()[0].caption, "cap");
    EXPECT_EQ(HuxMessageLog()[1].owner, 77);
    EXPECT_EQ(HuxMessageLog()[1].text, "");
    EXPECT_EQ(HuxMessageLog()[1].flags, kHuxMbOkCancel);
    HuxClearMessageLog();
    EXPECT_TRUE(HuxMessageLog().empty());
}

TEST(Palette, GreyEntriesAndValidity)
{
    HuxPalette palette;
    EXPECT_EQ(palette.Entries(), nullptr);
    EXPECT_EQ(palette.Count(), 0);
    palette.SetGrey();
    ASSERT_NE(palette.Entries(), nullptr);
    EXPECT_EQ(palette.Count(), 256);
    EXPECT_EQ(palette.Entries()[0].red, 0);
    EXPECT_EQ(palette.Entries()[129].green, 129);
    EXPECT_EQ(palette.Entries()[255].blue, 255);
    EXPECT_EQ(palette.Entries()[255].reserved, 0);
}

TEST(AutoPtr, ArraysAreOwned)
{
    HuxAutoArrayPtr<int> values(new int[3]{1, 2, 3});
    EXPECT_EQ(values[2], 3);
    HuxAutoPtr<HuxSEException> fault(new HuxSEException(5));
    EXPECT_EQ(fault->Code(), 5u);
}
