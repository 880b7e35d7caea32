// The editor's resources inside the built Squelm.8bf, as Windows uses them:
// both dialogs created from their templates with every control of the right
// class, text, visibility and place; the tooltips' strings; the bitmaps and
// the pan cursor.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "EditorStrings.h"
#include "PluginFile.h"
#include "testhost/win32/WindowCapture.h"
#include "resources/ResourceIds.h"

namespace {

struct Expected {
    int id;
    const char* className;   // as Windows reports the window's class
    const char* text;
    bool visible;
    RECT dialogUnits;        // left, top, width, height
};

class EditorResources : public ::testing::Test {
protected:
    void SetUp() override
    {
        INITCOMMONCONTROLSEX classes{sizeof classes, ICC_USEREX_CLASSES | ICC_BAR_CLASSES};
        ASSERT_TRUE(InitCommonControlsEx(&classes));
        module_ = LoadLibraryA(PluginFile().c_str());
        ASSERT_NE(module_, nullptr) << PluginFile();
    }
    void TearDown() override
    {
        if (dialog_) {
            DestroyWindow(dialog_);
        }
        if (module_) {
            FreeLibrary(module_);
        }
    }

    static INT_PTR CALLBACK NoHandling(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

    std::string Text(HWND window)
    {
        char text[256] = {};
        GetWindowTextA(window, text, sizeof text);
        return text;
    }

    void ExpectDialog(int templateId, const char* caption, const std::vector<Expected>& controls)
    {
        dialog_ = CreateDialogParamA(module_, MAKEINTRESOURCEA(templateId), nullptr, &NoHandling, 0);
        ASSERT_NE(dialog_, nullptr) << "template " << templateId;
        EXPECT_EQ(Text(dialog_), caption);
        const LONG style = GetWindowLongA(dialog_, GWL_STYLE);
        EXPECT_EQ(style & (WS_POPUP | WS_CAPTION | WS_SYSMENU), WS_POPUP | WS_CAPTION | WS_SYSMENU);
        // The caption's ? button: Windows turns the template's DS_CONTEXTHELP
        // into WS_EX_CONTEXTHELP; Wine keeps it in the style.
        EXPECT_TRUE((style & DS_CONTEXTHELP) || (GetWindowLongA(dialog_, GWL_EXSTYLE) & WS_EX_CONTEXTHELP))
            << std::hex << "style 0x" << style << ", extended 0x" << GetWindowLongA(dialog_, GWL_EXSTYLE);

        // The dialog's own children in creation order (group boxes share id -1).
        std::vector<HWND> children;
        for (HWND child = GetWindow(dialog_, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            children.push_back(child);
        }
        ASSERT_EQ(children.size(), controls.size());
        for (size_t i = 0; i < controls.size(); ++i) {
            const Expected& want = controls[i];
            HWND child = children[i];
            SCOPED_TRACE("control " + std::to_string(want.id));
            EXPECT_EQ(GetDlgCtrlID(child), want.id);
            char className[64] = {};
            GetClassNameA(child, className, sizeof className);
            EXPECT_STREQ(className, want.className);
            if (std::string(want.className) != WC_COMBOBOXEXA) {
                EXPECT_EQ(Text(child), want.text);
            }
            EXPECT_EQ((GetWindowLongA(child, GWL_STYLE) & WS_VISIBLE) != 0, want.visible);
            // The dialog manager maps the position and the size each on
            // their own, as MapDialogRect maps each field.
            RECT expected = want.dialogUnits;
            MapDialogRect(dialog_, &expected);
            RECT got;
            GetWindowRect(child, &got);
            MapWindowPoints(nullptr, dialog_, reinterpret_cast<POINT*>(&got), 2);
            EXPECT_EQ(got.left, expected.left);
            EXPECT_EQ(got.top, expected.top);
            EXPECT_EQ(got.right - got.left, expected.right);
            if (std::string(want.className) != WC_COMBOBOXEXA) {   // a closed combo box takes its own height
                EXPECT_EQ(got.bottom - got.top, expected.bottom);
            }
        }
        SaveScreenshot(templateId);
    }

    // The dialog as a user first sees it, for looking at: shown, painted,
    // read back from the screen into screenshots/ of the build directory.
    void SaveScreenshot(int templateId)
    {
        ShowWindow(dialog_, SW_SHOWNORMAL);
        for (int round = 0; round < 20; ++round) {
            MSG message;
            while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
                TranslateMessage(&message);
                DispatchMessageA(&message);
            }
            Sleep(25);
        }
        CreateDirectoryA("screenshots", nullptr);
        SquelmHost::SaveWindowPng(reinterpret_cast<intptr_t>(dialog_),
                                  "screenshots/dialog-" + std::to_string(templateId) + ".png");
    }

    HMODULE module_ = nullptr;
    HWND dialog_ = nullptr;
};

TEST_F(EditorResources, EditorDialogBuildsEveryControl)
{
    ExpectDialog(IDD_SQUELM_EDITOR, "Squelm!", {
        {9002, "Static", "Toolbar goes here", false, {7, 0, 194, 19}},
        {7015, "Static", "", false, {212, 0, 116, 20}},
        {9011, "Static", "Left Button Tool:", true, {7, 24, 54, 8}},
        {9007, WC_COMBOBOXEXA, "", true, {7, 33, 60, 87}},
        {9012, "Static", "Right Button Tool:", true, {73, 24, 58, 8}},
        {9006, WC_COMBOBOXEXA, "", true, {73, 33, 60, 105}},
        {9013, "Static", "Tool Size:", true, {142, 24, 32, 8}},
        {9004, TRACKBAR_CLASSA, "Slider1", true, {142, 33, 90, 17}},
        {9014, "Static", "Tool Power:", true, {238, 24, 39, 8}},
        {9005, TRACKBAR_CLASSA, "Slider1", true, {238, 33, 90, 17}},
        {9003, "Static", "Plim Control", false, {7, 55, 321, 225}},
        {7010, "Button", "In", true, {7, 286, 20, 20}},
        {7012, "Button", "Move", true, {33, 286, 20, 20}},
        {7004, "Button", "Out", true, {59, 286, 20, 20}},
        {IDOK, "Button", "OK", true, {166, 292, 50, 14}},
        {IDCANCEL, "Button", "Cancel", true, {222, 292, 50, 14}},
        {9001, "Button", "&Help", true, {278, 292, 50, 14}},
        {9025, "Static", "Static", true, {84, 290, 57, 13}},
    });
}

TEST_F(EditorResources, OptionsDialogBuildsEveryControl)
{
    ExpectDialog(IDD_SQUELM_OPTIONS, "Squelm! Options", {
        {9027, "Static", "&Grid Colour:", true, {7, 7, 38, 8}},
        {9008, "Static", "Grid Colour Control", true, {7, 16, 35, 18}},
        {9028, "Static", "&Tool Size Indicator:", true, {70, 7, 62, 8}},
        {9009, "Static", "Tool Colour Control", true, {70, 16, 35, 18}},
        {-1, "Button", "Grid Size", true, {8, 42, 130, 42}},
        {9029, "Static", "Points &Across:", true, {17, 52, 46, 8}},
        {9015, "Edit", "", true, {17, 61, 44, 14}},
        {9030, "Static", "Points &Down:", true, {79, 52, 43, 8}},
        {9016, "Edit", "", true, {79, 61, 44, 14}},
        {9010, "Button", "Use &interpolation", true, {7, 90, 69, 10}},
        {9026, "Button", "&Knockout non-selected areas", true, {147, 7, 109, 10}},
        {9011, "Static", "Knockout Colour Control", true, {188, 17, 35, 18}},
        {9020, "Button", "&Repeat edge pixels", true, {155, 55, 77, 10}},
        {9023, "Button", "&Use this colour", true, {155, 71, 63, 10}},
        {9031, "Button", "Trans&parent", true, {221, 71, 53, 10}},
        {9024, "Static", "", true, {187, 86, 35, 18}},
        {-1, "Button", "When area outside image is exposed", true, {148, 42, 130, 69}},
        {IDOK, "Button", "OK", true, {119, 116, 50, 14}},
        {IDCANCEL, "Button", "Cancel", true, {173, 116, 50, 14}},
        {9001, "Button", "&Help", true, {228, 116, 50, 14}},
    });
}

// Every string of Editor.rc's table loads from the plug-in as written.
TEST_F(EditorResources, ToolbarTipsAndZoomStringsLoad)
{
    for (const auto& [id, written] : kEditorStrings) {
        char text[128] = {};
        LoadStringA(module_, UINT(id), text, sizeof text);
        EXPECT_STREQ(text, written) << id;
    }
}

TEST_F(EditorResources, BitmapsAndCursorLoad)
{
    const struct { int id, width, height; } bitmaps[] = {
        {IDR_EDITOR_TOOLBAR, 192, 15}, {IDB_TOOL_IMAGES, 96, 16},
        {IDB_ZOOM_IN, 16, 16}, {IDB_ZOOM_OUT, 16, 16}, {IDB_ZOOM_LOCATOR, 16, 16}};
    for (const auto& b : bitmaps) {
        HANDLE image = LoadImageA(module_, MAKEINTRESOURCEA(b.id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION);
        ASSERT_NE(image, nullptr) << b.id;
        DIBSECTION dib{};
        ASSERT_EQ(GetObjectA(image, sizeof dib, &dib), static_cast<int>(sizeof dib)) << b.id;
        EXPECT_EQ(dib.dsBm.bmWidth, b.width) << b.id;
        EXPECT_EQ(dib.dsBm.bmHeight, b.height) << b.id;
        EXPECT_EQ(dib.dsBm.bmBitsPixel, 4) << b.id;
        DeleteObject(image);
    }
    HCURSOR cursor = LoadCursorA(module_, MAKEINTRESOURCEA(IDC_PAN_CURSOR));
    ASSERT_NE(cursor, nullptr);
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(cursor, &info));
    EXPECT_FALSE(info.fIcon);
    EXPECT_EQ(info.xHotspot, 9u);
    EXPECT_EQ(info.yHotspot, 9u);
    DeleteObject(info.hbmMask);
    if (info.hbmColor) {
        DeleteObject(info.hbmColor);
    }
}

}
