// Support library: exception texts, the native message box log and the
// grey palette.
#include "HuxLib/HUXIMAGE/HuxPalette.h"
#include "HuxLib/HUXUTIL/HuxException.h"
#include "HuxLib/HUXWIN/HuxMessageBox.h"
#include "HuxLib/HUXWIN/HuxMessageLog.h"

#include <gtest/gtest.h>

#include <string>

TEST(Exceptions, DescribingTexts)
{
    EXPECT_EQ(HuxSEException(0xC0000005).Describe(), "Structured exception : c0000005");
    EXPECT_EQ(HuxAssertException("grid.cpp", 42).Describe(), "grid.cpp(42)");
    EXPECT_EQ(HuxException().Describe(), "");
    const std::string longName(3000, 'f');
    EXPECT_EQ(HuxAssertException(longName.c_str(), 1).Describe().size(), 1023u);
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
