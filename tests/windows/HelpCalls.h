// The help a dialog asks for, as the recording seam of HTML Help saw it: the
// "What's This?" menu chosen the way a user does, and the three calls of a
// dialog's help (its topic, F1's pop-up and the menu's pop-up) checked
// against the dialog's topic strings and help-id table.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "HuxLib/HUXWIN/HuxHtmlHelp.h"
#include "testhost/win32/WindowAutomation.h"
#include "ui/PSPlimDialogModel.h"

namespace HelpCalls {

constexpr const char* kMenuClass = "#32768";

// Waits for the context menu and chooses its one item with the keyboard;
// false when no menu opened.
inline bool ChooseWhatsThis(const SquelmHost::WindowAutomation& automation)
{
    constexpr unsigned kVkDown = 0x28;
    constexpr unsigned kVkReturn = 0x0D;
    const intptr_t menu = automation.WaitForWindow(kMenuClass);
    if (!menu)
        return false;
    automation.Key(menu, kVkDown);
    automation.Key(menu, kVkReturn);
    automation.WaitForClose(menu);
    return true;
}

struct DialogHelp {
    std::string helpFile;
    const char* welcomeTopic;
    const char* popupFile;
    const PSPlimHelpPair* table;
};

// One call of each kind; the key and the clicks reach the dialog through
// different queues, so their order is not fixed.
inline void ExpectDialogHelp(const std::vector<HuxHtmlHelpCall>& calls, const DialogHelp& help, intptr_t f1Window,
                             intptr_t whatsThisWindow)
{
    ASSERT_EQ(calls.size(), 3u);
    const auto callOf = [&](unsigned command) {
        for (const HuxHtmlHelpCall& call : calls)
            if (call.command == command)
                return call;
        return HuxHtmlHelpCall{};
    };
    const std::string popups = help.helpFile + help.popupFile;
    const uintptr_t table = reinterpret_cast<uintptr_t>(help.table);

    const HuxHtmlHelpCall topic = callOf(kHuxHelpDisplayTopic);
    EXPECT_EQ(topic.window, 0);
    EXPECT_EQ(topic.path, help.helpFile + help.welcomeTopic);

    const HuxHtmlHelpCall f1 = callOf(kHuxHelpWmHelp);
    EXPECT_EQ(f1.window, f1Window);
    EXPECT_EQ(f1.path, popups);
    EXPECT_EQ(f1.data, table);

    const HuxHtmlHelpCall whatsThis = callOf(kHuxHelpContextMenu);
    EXPECT_EQ(whatsThis.window, whatsThisWindow);
    EXPECT_EQ(whatsThis.path, popups);
    EXPECT_EQ(whatsThis.data, table);
}

} // namespace HelpCalls
