// Decisions the window layer takes from the core: the "What's This?" hit
// test, the help file's place, tooltip tips, the toolbar resource and the
// toolbar's update pass.
#include "HuxLib/HUXWIN/CCmdUI.h"
#include "HuxLib/HUXWIN/HuxHelpPath.h"
#include "HuxLib/HUXWIN/HuxToolbarResource.h"
#include "HuxLib/HUXWIN/HuxTooltipText.h"
#include "HuxLib/HUXWIN/HuxWhatsThis.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace {

// Controls by id; ids not in the map do not exist.
struct FakeDialog {
    std::map<uint32_t, HuxControlPlacement> controls;
    std::vector<uint32_t> asked;

    std::optional<uint32_t> Hit(const uint32_t* table, HuxPointI point)
    {
        return HuxWhatsThisHit(
            table,
            [this](uint32_t id) {
                asked.push_back(id);
                const auto found = controls.find(id);
                return found == controls.end() ? HuxControlPlacement{} : found->second;
            },
            point);
    }
};

HuxControlPlacement Visible(HuxRect rect) { return {true, true, rect}; }

} // namespace

TEST(WhatsThis, FirstExistingVisibleControlContainingThePointWins)
{
    FakeDialog dialog;
    dialog.controls[10] = {true, false, {0, 0, 100, 100}}; // hidden, though it contains the point
    dialog.controls[20] = Visible({40, 40, 60, 60});
    dialog.controls[30] = Visible({0, 0, 100, 100});      // contains it too, but comes later
    const uint32_t table[] = {5, 500, 10, 100, 20, 200, 30, 300, 0, 0};
    EXPECT_EQ(dialog.Hit(table, {50, 50}), 20u);
    EXPECT_EQ(dialog.asked, (std::vector<uint32_t>{5, 10, 20}));

    // Outside control 20, control 30 is the first that contains the point.
    EXPECT_EQ(dialog.Hit(table, {10, 90}), 30u);
}

TEST(WhatsThis, RectanglesIncludeLeftAndTopButNotRightAndBottom)
{
    FakeDialog dialog;
    dialog.controls[7] = Visible({10, 20, 30, 40});
    const uint32_t table[] = {7, 70, 0, 0};
    EXPECT_EQ(dialog.Hit(table, {10, 20}), 7u);
    EXPECT_EQ(dialog.Hit(table, {29, 39}), 7u);
    EXPECT_EQ(dialog.Hit(table, {30, 25}), std::nullopt);
    EXPECT_EQ(dialog.Hit(table, {15, 40}), std::nullopt);
    EXPECT_EQ(dialog.Hit(table, {9, 25}), std::nullopt);
}

TEST(WhatsThis, NothingWithoutAContainingControlOrATable)
{
    FakeDialog dialog;
    dialog.controls[1] = Visible({0, 0, 10, 10});
    const uint32_t table[] = {1, 1, 0, 0};
    EXPECT_EQ(dialog.Hit(table, {-1, 5}), std::nullopt);
    EXPECT_EQ(dialog.Hit(nullptr, {5, 5}), std::nullopt);
    const uint32_t empty[] = {0, 0};
    EXPECT_EQ(dialog.Hit(empty, {5, 5}), std::nullopt);
}

TEST(WhatsThis, OnlyAPairOfZerosEndsTheTable)
{
    // A zero control id with a non-zero context is an entry, not the end.
    FakeDialog dialog;
    dialog.controls[9] = Visible({0, 0, 10, 10});
    const uint32_t table[] = {0, 4, 9, 90, 0, 0};
    EXPECT_EQ(dialog.Hit(table, {5, 5}), 9u);
    EXPECT_EQ(dialog.asked, (std::vector<uint32_t>{0, 9}));
}

TEST(HelpPath, TheHelpFileGoesInTheLibrarysDirectory)
{
    EXPECT_EQ(HuxFileBesideModule("C:\\Program Files\\Host\\Plug-ins\\Squelm.8bf", kHuxHelpFileName),
              "C:\\Program Files\\Host\\Plug-ins\\Squelm.chm");
    EXPECT_EQ(HuxFileBesideModule("\\\\server\\share\\x.8bf", "Squelm.chm"), "\\\\server\\share\\Squelm.chm");
    EXPECT_EQ(HuxFileBesideModule("C:/mixed\\dir/x.8bf", "Squelm.chm"), "C:/mixed\\dir/Squelm.chm");
    EXPECT_EQ(HuxFileBesideModule("C:x.8bf", "Squelm.chm"), "C:Squelm.chm");
    EXPECT_EQ(HuxFileBesideModule("x.8bf", "Squelm.chm"), "Squelm.chm");
    EXPECT_EQ(HuxFileBesideModule("", "Squelm.chm"), "Squelm.chm");
}

TEST(HelpPath, NonAsciiAndLongDirectoriesAreKeptByteForByte)
{
    const std::string directory = "C:\\D\xC3\xA9j\xC3\xA0 vu\\\xE2\x9C\x93\\" + std::string(300, 'a') + "\\";
    EXPECT_EQ(HuxFileBesideModule(directory + "Squelm.8bf", "Squelm.chm"), directory + "Squelm.chm");
}

TEST(TooltipText, TheTipIsTheTextAfterTheFirstNewline)
{
    EXPECT_EQ(HuxTooltipTip("Undo the last stroke\nUndo Stroke"), "Undo Stroke");
    EXPECT_EQ(HuxTooltipTip("a\nb\nc"), "b\nc");
    EXPECT_EQ(HuxTooltipTip("prompt only\n"), "");
    EXPECT_EQ(HuxTooltipTip("\ntip only"), "tip only");
    EXPECT_EQ(HuxTooltipTip("no newline"), std::nullopt);
    EXPECT_EQ(HuxTooltipTip(""), std::nullopt);
    EXPECT_EQ(HuxTooltipTip(L"Prompt\nTip"), L"Tip");
    EXPECT_EQ(HuxTooltipTip(L"no newline"), std::nullopt);
}

TEST(TooltipText, ALongTipIsCutToFitTheRequestBuffer)
{
    const std::string tip79(79, 'x');
    EXPECT_EQ(HuxTooltipTip("p\n" + tip79), tip79);
    EXPECT_EQ(HuxTooltipTip("p\n" + tip79 + "yz"), tip79);
    const std::string numbered = "0123456789";
    EXPECT_EQ(HuxTooltipTip("p\n" + numbered, 5), "0123");
    EXPECT_EQ(HuxTooltipTip("p\n" + numbered, 1), "");
    EXPECT_EQ(HuxTooltipTip("p\n" + numbered, 0), std::nullopt);
    EXPECT_EQ(HuxTooltipTip(L"p\n" + std::wstring(100, L'w'))->size(), 79u);
}

namespace {

std::vector<uint8_t> Words(std::initializer_list<uint16_t> words)
{
    std::vector<uint8_t> bytes;
    for (uint16_t word : words) {
        bytes.push_back(uint8_t(word & 0xFF));
        bytes.push_back(uint8_t(word >> 8));
    }
    return bytes;
}

} // namespace

TEST(ToolbarResource, ReadsSizeAndCommandsWithSeparators)
{
    const std::vector<uint8_t> data =
        Words({1, 16, 15, 11, 57643, 57644, 0, 32776, 32779, 0, 32782, 32783, 32784, 0, 32781});
    const std::optional<HuxToolbarLayout> layout = HuxParseToolbarResource(data.data(), data.size());
    ASSERT_TRUE(layout);
    EXPECT_EQ(layout->width, 16);
    EXPECT_EQ(layout->height, 15);
    EXPECT_EQ(layout->commands,
              (std::vector<uint16_t>{57643, 57644, 0, 32776, 32779, 0, 32782, 32783, 32784, 0, 32781}));
    EXPECT_EQ(HuxToolbarButtonCount(*layout), 8u);
}

TEST(ToolbarResource, RefusesWhatIsNotAVersionOneToolbar)
{
    const std::vector<uint8_t> good = Words({1, 16, 15, 2, 100, 101});
    EXPECT_TRUE(HuxParseToolbarResource(good.data(), good.size()));
    // Trailing bytes (resources are padded) are ignored.
    std::vector<uint8_t> padded = good;
    padded.push_back(0);
    EXPECT_TRUE(HuxParseToolbarResource(padded.data(), padded.size()));

    const std::vector<uint8_t> version2 = Words({2, 16, 15, 2, 100, 101});
    EXPECT_FALSE(HuxParseToolbarResource(version2.data(), version2.size()));
    EXPECT_FALSE(HuxParseToolbarResource(good.data(), good.size() - 1)); // count says two, one and a half given
    const std::vector<uint8_t> noWidth = Words({1, 0, 15, 0});
    EXPECT_FALSE(HuxParseToolbarResource(noWidth.data(), noWidth.size()));
    EXPECT_FALSE(HuxParseToolbarResource(good.data(), 7));
    EXPECT_FALSE(HuxParseToolbarResource(nullptr, 0));
    const std::vector<uint8_t> huge = Words({1, 16, 15, 0xFFFF});
    EXPECT_FALSE(HuxParseToolbarResource(huge.data(), huge.size()));
}

TEST(ToolbarUpdate, HandlersEnableAndCheckButtonsWithoutHandlersAreDisabled)
{
    constexpr uint8_t kPressed = 0x02; // another state bit, kept as it is
    CCmdUI disabled(1);
    disabled.Enable(false);
    EXPECT_EQ(HuxUpdatedButtonState(kHuxButtonEnabled | kPressed, &disabled, true), kPressed);

    CCmdUI checked(2);
    checked.SetCheck(1);
    EXPECT_EQ(HuxUpdatedButtonState(0, &checked, true), kHuxButtonEnabled | kHuxButtonChecked);

    CCmdUI unchecked(3);
    unchecked.SetCheck(0);
    EXPECT_EQ(HuxUpdatedButtonState(kHuxButtonChecked, &unchecked, true), kHuxButtonEnabled);

    // A handler that only enables leaves the check as it was.
    CCmdUI enabledOnly(4);
    EXPECT_EQ(HuxUpdatedButtonState(kHuxButtonChecked, &enabledOnly, true), kHuxButtonEnabled | kHuxButtonChecked);

    EXPECT_EQ(HuxUpdatedButtonState(kHuxButtonEnabled | kHuxButtonChecked, nullptr, true), kHuxButtonChecked);
    EXPECT_EQ(HuxUpdatedButtonState(kHuxButtonEnabled, nullptr, false), kHuxButtonEnabled);
}
