// The window framework's dialog, controls and toolbar, in a real dialog
// driven from the automation thread the way a user would drive it.
#include <gtest/gtest.h>

#include <cstring>

#include "FrameworkTestDialog.h"
#include "testhost/OwnerWindow.h"

namespace {

using FrameworkTest::Ask;
using FrameworkTest::RunDialog;
using FrameworkTest::TestDialog;
using SquelmHost::WindowAutomation;
using SquelmHost::WindowState;

constexpr unsigned kVkReturn = 0x0D;
constexpr unsigned kVkEscape = 0x1B;

int CheckOf(const WindowAutomation& automation, intptr_t dialog, int id)
{
    return static_cast<int>(Ask(automation.Control(dialog, id), BM_GETCHECK));
}

TEST(FrameworkDialog, AttachesItsControlsAndExchangesDataBothWays)
{
    TestDialog dialog;
    dialog.check = 1;
    dialog.radio = 2;
    int shownCheck = -1;
    std::vector<int> shownRadios;
    int comboCount = -1;
    int comboSelection = -1;
    LPARAM selectedData = 0;
    std::string selectedText;
    const INT_PTR result = RunDialog(dialog, [&](const WindowAutomation& automation, intptr_t window) {
        shownCheck = CheckOf(automation, window, IDC_CHECK);
        for (int id : {IDC_RADIO_FIRST, IDC_RADIO_SECOND, IDC_RADIO_THIRD})
            shownRadios.push_back(CheckOf(automation, window, id));
        const intptr_t combo = automation.Control(window, IDC_COMBO);
        comboCount = static_cast<int>(Ask(combo, CB_GETCOUNT));
        comboSelection = static_cast<int>(Ask(combo, CB_GETCURSEL));
        char text[32] = {};
        COMBOBOXEXITEMA item{};
        item.mask = CBEIF_LPARAM | CBEIF_TEXT;
        item.iItem = comboSelection;
        item.pszText = text;
        item.cchTextMax = sizeof text;
        Ask(combo, CBEM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
        selectedData = item.lParam;
        selectedText = text;
        // The user unticks the box, picks the first radio button and presses Enter.
        automation.Click(automation.Control(window, IDC_CHECK), 2, 2);
        automation.Click(automation.Control(window, IDC_RADIO_FIRST), 2, 2);
        automation.Key(window, kVkReturn);
        if (!automation.WaitForClose(window))
            throw std::runtime_error("Enter did not close the dialog");
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_TRUE(dialog.controlsAttached);
    EXPECT_EQ(shownCheck, BST_CHECKED);
    EXPECT_EQ(shownRadios, (std::vector<int>{BST_UNCHECKED, BST_UNCHECKED, BST_CHECKED}));
    EXPECT_EQ(comboCount, 2);
    EXPECT_EQ(comboSelection, 1);
    EXPECT_EQ(selectedData, 41);
    EXPECT_EQ(selectedText, "Red");
    EXPECT_TRUE(dialog.imagesLoaded);
    EXPECT_EQ(dialog.images.GetImageCount(), 2);
    EXPECT_EQ(dialog.okCalls, 1);
    EXPECT_EQ(dialog.check, 0);
    EXPECT_EQ(dialog.radio, 0);
    // The window is gone and the members let go of their controls.
    EXPECT_EQ(dialog.m_hWnd, nullptr);
    EXPECT_EQ(dialog.combo.m_hWnd, nullptr);
}

TEST(FrameworkDialog, ARadioGroupWithNothingCheckedReadsMinusOne)
{
    TestDialog dialog;
    dialog.radio = -1;
    std::vector<int> shown;
    RunDialog(dialog, [&](const WindowAutomation& automation, intptr_t window) {
        for (int id : {IDC_RADIO_FIRST, IDC_RADIO_SECOND, IDC_RADIO_THIRD})
            shown.push_back(CheckOf(automation, window, id));
        automation.PressButton(window, IDOK);
    });
    EXPECT_EQ(shown, (std::vector<int>{0, 0, 0}));
    EXPECT_EQ(dialog.radio, -1);
}

TEST(FrameworkDialog, EscapeReachesOnCancelAndLeavesTheMembers)
{
    TestDialog dialog;
    dialog.check = 1;
    dialog.radio = 1;
    const INT_PTR result = RunDialog(dialog, [](const WindowAutomation& automation, intptr_t window) {
        automation.Click(automation.Control(window, IDC_CHECK), 2, 2);
        automation.Key(window, kVkEscape);
        if (!automation.WaitForClose(window))
            throw std::runtime_error("Escape did not close the dialog");
    });
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(dialog.cancelCalls, 1);
    EXPECT_EQ(dialog.okCalls, 0);
    EXPECT_EQ(dialog.check, 1);
    EXPECT_EQ(dialog.radio, 1);
}

TEST(FrameworkDialog, TheHostWindowOwnsTheDialogAndIsDisabledMeanwhile)
{
    SquelmHost::OwnerWindow host;
    TestDialog owned(reinterpret_cast<HWND>(host.Handle()));
    WindowState seen;
    WindowState hostDuring;
    RunDialog(owned, [&](const WindowAutomation& automation, intptr_t window) {
        seen = automation.Describe(window);
        hostDuring = automation.Describe(host.Handle());
        automation.PressButton(window, IDCANCEL);
    });
    EXPECT_EQ(seen.owner, host.Handle());
    EXPECT_FALSE(hostDuring.enabled);
    EXPECT_TRUE(WindowAutomation().Describe(host.Handle()).enabled);

    TestDialog unowned;
    RunDialog(unowned, [&](const WindowAutomation& automation, intptr_t window) {
        seen = automation.Describe(window);
        automation.PressButton(window, IDCANCEL);
    });
    EXPECT_EQ(seen.owner, 0);
}

TEST(FrameworkDialog, ToolbarButtonsFollowTheOwnersUpdateHandlers)
{
    TestDialog dialog;
    LRESULT count = 0;
    std::vector<LRESULT> states;
    RECT toolbarRect{};
    RECT placeRect{};
    RunDialog(dialog, [&](const WindowAutomation& automation, intptr_t window) {
        const intptr_t toolbar = automation.Control(window, IDC_TOOLBAR);
        count = Ask(toolbar, TB_BUTTONCOUNT);
        for (UINT command : {ID_TOOL_DISABLED, ID_TOOL_CHECKED, ID_TOOL_UNCHECKED, ID_TOOL_UNHANDLED})
            states.push_back(Ask(toolbar, TB_GETSTATE, command));
        GetWindowRect(reinterpret_cast<HWND>(toolbar), &toolbarRect);
        GetWindowRect(reinterpret_cast<HWND>(automation.Control(window, IDC_TOOLBAR_PLACE)), &placeRect);
        // A click on an enabled button is a command to the dialog.
        automation.Click(toolbar, 16 + 7 + 8, 10); // the second button (the first is 23 pixels wide)
        automation.PressButton(window, IDCANCEL);
    });
    EXPECT_TRUE(dialog.toolbarLoaded);
    EXPECT_EQ(count, 5); // four buttons and a separator
    ASSERT_EQ(states.size(), 4u);
    EXPECT_EQ(states[0] & (TBSTATE_ENABLED | TBSTATE_CHECKED), 0);
    EXPECT_EQ(states[1] & (TBSTATE_ENABLED | TBSTATE_CHECKED), TBSTATE_ENABLED | TBSTATE_CHECKED);
    EXPECT_EQ(states[2] & (TBSTATE_ENABLED | TBSTATE_CHECKED), TBSTATE_ENABLED);
    EXPECT_EQ(states[3] & (TBSTATE_ENABLED | TBSTATE_CHECKED), 0); // no handler: disabled
    EXPECT_EQ(toolbarRect.left, placeRect.left);
    EXPECT_EQ(toolbarRect.top, placeRect.top);
    EXPECT_EQ(toolbarRect.bottom - toolbarRect.top, 26);
    EXPECT_EQ(dialog.toolbarCommands, std::vector<UINT>{ID_TOOL_CHECKED});
}

// A text request as a tooltip control sends it, with a marker in every
// field the answer must not touch.
struct TextRequest {
    NMTTDISPINFOA info{};
    TextRequest(intptr_t from, UINT_PTR id, UINT flags)
    {
        info.hdr.hwndFrom = reinterpret_cast<HWND>(from);
        info.hdr.idFrom = id;
        info.hdr.code = TTN_NEEDTEXTA;
        info.uFlags = flags;
        info.lParam = 0x5A5A;
        std::memset(info.szText, '#', sizeof info.szText);
    }
};

TEST(FrameworkDialog, TooltipsAnswerWithTheTipOfTheCommandString)
{
    TestDialog dialog;
    TextRequest button(0, ID_TOOL_DISABLED, 0);
    TextRequest noNewline(0, IDS_NO_NEWLINE, 0);
    TextRequest unknown(0, ID_TOOL_UNHANDLED, 0);
    TextRequest edit(0, 0, TTF_IDISHWND);
    TextRequest slider(0, 0, TTF_IDISHWND);
    LRESULT toolCount = 0;
    LRESULT handledButton = 0;
    LRESULT handledNoNewline = 0;
    RunDialog(dialog, [&](const WindowAutomation& automation, intptr_t window) {
        const intptr_t toolbarTips = Ask(automation.Control(window, IDC_TOOLBAR), TB_GETTOOLTIPS);
        const intptr_t dialogTips = reinterpret_cast<intptr_t>(dialog.GetToolTips());
        toolCount = Ask(dialogTips, TTM_GETTOOLCOUNT);
        for (TextRequest* request : {&button, &noNewline, &unknown})
            request->info.hdr.hwndFrom = reinterpret_cast<HWND>(toolbarTips);
        for (TextRequest* request : {&edit, &slider})
            request->info.hdr.hwndFrom = reinterpret_cast<HWND>(dialogTips);
        edit.info.hdr.idFrom = static_cast<UINT_PTR>(automation.Control(window, IDC_EDIT));
        slider.info.hdr.idFrom = static_cast<UINT_PTR>(automation.Control(window, IDC_SLIDER));
        handledButton = Ask(window, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&button.info));
        handledNoNewline = Ask(window, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&noNewline.info));
        Ask(window, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&unknown.info));
        Ask(window, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&edit.info));
        Ask(window, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&slider.info));
        automation.PressButton(window, IDCANCEL);
    });
    // One tool per child control of the dialog (the toolbar included).
    EXPECT_GE(toolCount, 12);

    EXPECT_STREQ(button.info.szText, "First tip");
    EXPECT_EQ(button.info.lpszText, button.info.szText);
    // No newline, or no string: no text, nothing written.
    for (const TextRequest* none : {&noNewline, &unknown}) {
        EXPECT_EQ(none->info.lpszText, nullptr);
        EXPECT_EQ(none->info.szText[0], '#');
        EXPECT_EQ(none->info.szText[79], '#');
    }
    EXPECT_EQ(handledNoNewline, 0);
    static_cast<void>(handledButton);

    // A tip of 101 characters is cut to the 79 that fit with the zero.
    EXPECT_EQ(std::string(edit.info.szText), "L" + std::string("0123456789012345678901234567890123456789"
                                                               "01234567890123456789012345678901234567"));
    EXPECT_EQ(edit.info.szText[79], '\0');
    EXPECT_EQ(edit.info.uFlags, UINT(TTF_IDISHWND));
    EXPECT_EQ(edit.info.lParam, 0x5A5A);

    // The whole string resource, loaded by the tooltip itself.
    EXPECT_EQ(slider.info.lpszText, MAKEINTRESOURCEA(IDC_SLIDER));
    EXPECT_EQ(slider.info.hinst, GetModuleHandleA(nullptr));
}

// Common Controls 6 brings its own buttons, which can tell their ideal
// size; the system's older buttons do not know the message.
bool KnowsItsIdealSize(intptr_t button)
{
    SIZE size{};
    return Ask(button, BCM_GETIDEALSIZE, 0, reinterpret_cast<LPARAM>(&size)) != 0 && size.cx > 0;
}

TEST(FrameworkDialog, ItsControlsAreThoseOfCommonControlsSix)
{
    TestDialog dialog;
    bool checkBoxIsVersionSix = false;
    RunDialog(dialog, [&](const WindowAutomation& automation, intptr_t window) {
        checkBoxIsVersionSix = KnowsItsIdealSize(automation.Control(window, IDC_CHECK));
        automation.PressButton(window, IDCANCEL);
    });
    EXPECT_TRUE(checkBoxIsVersionSix);

    // This program's own manifest asks for nothing: outside the framework's
    // windows a button is the older one.
    HWND plain = CreateWindowExA(0, "Button", "Check", WS_POPUP | BS_CHECKBOX, 0, 0, 80, 20, nullptr, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(plain, nullptr);
    EXPECT_FALSE(KnowsItsIdealSize(reinterpret_cast<intptr_t>(plain)));
    DestroyWindow(plain);
}

} // namespace
