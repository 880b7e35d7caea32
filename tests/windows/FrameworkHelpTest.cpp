// Help under Windows: the "What's This?" menu and F1 in a real dialog, and
// the help file's path beside a library in a directory whose name is long
// and not ASCII.
#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <vector>

#include "FrameworkTestDialog.h"
#include "HuxLib/HUXWIN/HuxHelpPath.h"
#include "HuxLib/HUXWIN/win32/HuxText.h"
#include "PluginFile.h"
#include "support/HelpRecorder.h"

namespace {

using FrameworkTest::RunDialog;
using FrameworkTest::TestDialog;
using SquelmHost::WindowAutomation;

constexpr unsigned kVkDown = 0x28;
constexpr unsigned kVkReturn = 0x0D;
constexpr const char* kMenuClass = "#32768";

struct RecordedHelp : testing::Test {
    std::vector<HuxHtmlHelpCall> calls;
    RecordedHelp()
    {
        SetHelpRecorder([this](const HuxHtmlHelpCall& call) { calls.push_back(call); });
    }
    ~RecordedHelp() override { SetHelpRecorder({}); }
};

POINT CentreOf(intptr_t window)
{
    RECT rect{};
    GetWindowRect(reinterpret_cast<HWND>(window), &rect);
    return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

TEST_F(RecordedHelp, WhatsThisOverAControlOffersTheMenuAndShowsItsPopup)
{
    TestDialog dialog;
    intptr_t edit = 0;
    bool menuShown = false;
    RunDialog(dialog, [&](const WindowAutomation& automation, intptr_t window) {
        edit = automation.Control(window, IDC_EDIT);
        const POINT point = CentreOf(edit);
        PostMessageA(reinterpret_cast<HWND>(window), WM_CONTEXTMENU, static_cast<WPARAM>(edit),
                     MAKELPARAM(point.x, point.y));
        const intptr_t menu = automation.WaitForWindow(kMenuClass);
        menuShown = menu != 0;
        if (menu) {
            automation.Key(menu, kVkDown);
            automation.Key(menu, kVkReturn);
            automation.WaitForClose(menu);
        }
        automation.PressButton(window, IDCANCEL);
    });
    EXPECT_TRUE(menuShown);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].window, edit);
    EXPECT_EQ(calls[0].path, "C:\\help\\Test.chm::/Text/Test.txt");
    EXPECT_EQ(calls[0].command, kHuxHelpContextMenu);
    EXPECT_EQ(calls[0].data, reinterpret_cast<uintptr_t>(FrameworkTest::kHelpIds));
}

TEST_F(RecordedHelp, WhatsThisAwayFromTheListedControlsShowsNothing)
{
    TestDialog dialog;
    intptr_t menu = -1;
    RunDialog(dialog, [&](const WindowAutomation& automation, intptr_t window) {
        // The check box is not in the help-id table.
        const POINT point = CentreOf(automation.Control(window, IDC_CHECK));
        PostMessageA(reinterpret_cast<HWND>(window), WM_CONTEXTMENU, 0, MAKELPARAM(point.x, point.y));
        menu = WindowAutomation(std::chrono::milliseconds(500)).WaitForWindow(kMenuClass);
        automation.PressButton(window, IDCANCEL);
    });
    EXPECT_EQ(menu, 0);
    EXPECT_TRUE(calls.empty());
}

TEST_F(RecordedHelp, F1OnAControlShowsItsPopupHelp)
{
    TestDialog dialog;
    intptr_t slider = 0;
    RunDialog(dialog, [&](const WindowAutomation& automation, intptr_t window) {
        slider = automation.Control(window, IDC_SLIDER);
        HELPINFO info{};
        info.cbSize = sizeof info;
        info.iContextType = HELPINFO_WINDOW;
        info.iCtrlId = IDC_SLIDER;
        info.hItemHandle = reinterpret_cast<HANDLE>(slider);
        FrameworkTest::Ask(window, WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
        automation.PressButton(window, IDCANCEL);
    });
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].window, slider);
    EXPECT_EQ(calls[0].command, kHuxHelpWmHelp);
}

// A directory whose name has characters of no ANSI code page and makes the
// whole path longer than MAX_PATH.
std::wstring AwkwardRoot()
{
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    return std::wstring(temp) + L"Squelm \u03A9\u2713\u4E2D";
}

std::wstring AwkwardDirectory()
{
    std::wstring directory = AwkwardRoot();
    for (int level = 0; level < 3; ++level)
        directory += L"\\" + std::wstring(90, wchar_t(L'a' + level));
    return directory;
}

TEST_F(RecordedHelp, TheHelpFileOfALibraryInALongNonAsciiDirectoryIsFound)
{
    const std::filesystem::path directory(AwkwardDirectory());
    std::filesystem::create_directories(directory);
    const std::filesystem::path library = directory / L"Squelm.8bf";
    std::filesystem::copy_file(HuxWideFromUtf8(PluginFile()), library,
                               std::filesystem::copy_options::overwrite_existing);
    std::ofstream(directory / L"Squelm.chm", std::ios::binary) << "help";
    ASSERT_GT(library.native().size(), size_t(MAX_PATH));

    HMODULE module = LoadLibraryExW(library.c_str(), nullptr, DONT_RESOLVE_DLL_REFERENCES);
    ASSERT_NE(module, nullptr) << GetLastError();
    const std::string modulePath = HuxModuleFilePath(module);
    FreeLibrary(module);
    EXPECT_EQ(HuxWideFromUtf8(modulePath), library.native());

    const std::string helpFile = HuxFileBesideModule(modulePath, kHuxHelpFileName);
    HuxHtmlHelp(0, helpFile, "::/Squelm/Welcome.htm", kHuxHelpDisplayTopic, 0);
    ASSERT_EQ(calls.size(), 1u);
    const std::string& path = calls[0].path;
    const size_t topic = path.find("::/Squelm/Welcome.htm");
    ASSERT_NE(topic, std::string::npos);
    // The ANSI path HtmlHelpA gets names the very file.
    HANDLE file = CreateFileA(path.substr(0, topic).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                              nullptr);
    EXPECT_NE(file, INVALID_HANDLE_VALUE) << path;
    char content[8] = {};
    DWORD read = 0;
    if (file != INVALID_HANDLE_VALUE) {
        ReadFile(file, content, sizeof content, &read, nullptr);
        CloseHandle(file);
    }
    EXPECT_EQ(std::string(content, read), "help");

    std::error_code ignored;
    std::filesystem::remove_all(std::filesystem::path(AwkwardRoot()), ignored);
}

} // namespace
