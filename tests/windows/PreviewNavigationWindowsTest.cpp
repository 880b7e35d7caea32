// The zoom ratio label and the preview locator in a filter run: the label's
// text drawn centred, and the locator's popup opened by a press on the
// button, following the mouse and setting the view on the release.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "testhost/PollUntil.h"
#include "EditorSession.h"
#include "ScreenWindow.h"
#include "ui/HuxPSPreviewLocator.h"
#include "ui/HuxPSZoomRatio.h"
#include "ui/PSPlimEditorCommands.h"
#include "ui/win32/HuxPSPreviewLocatorButton.h"
#include "ui/win32/HuxPSZoomRatioStatic.h"

namespace {

using namespace EditorSessionTest;

constexpr UINT kLocatorId = 7012;

// The columns of the label's client area that hold anything but the
// button face, once something is drawn.
struct Ink {
    int left = -1;
    int right = -1;
};

Ink InkOf(HWND label)
{
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    Ink ink;
    SquelmHost::PollUntil([&] {
        Pump();
        const SquelmHost::RgbImage shot = SquelmHost::CaptureWindow(reinterpret_cast<intptr_t>(label));
        for (int x = 0; x < shot.width; ++x)
            for (int y = 0; y < shot.height; ++y)
                if (ScreenTest::ColourAt(shot, x, y) != face) {
                    ink.left = ink.left < 0 ? x : ink.left;
                    ink.right = x + 1;
                }
        return ink.left >= 0;
    });
    return ink;
}

int TextWidth(const std::string& text)
{
    const HDC screen = GetDC(nullptr);
    const HGDIOBJ previous = SelectObject(screen, GetStockObject(DEFAULT_GUI_FONT));
    SIZE size{};
    GetTextExtentPoint32A(screen, text.c_str(), int(text.size()), &size);
    SelectObject(screen, previous);
    ReleaseDC(nullptr, screen);
    return size.cx;
}

} // namespace

TEST(ZoomRatioLabel, DrawsTheRatioCentredAtEachLevel)
{
    RunSession(Quarters(640, 480), [](CPSPlimPluginApp& app) {
        app.SetPreviewSize(200, 150);
        HostWindow host(220, 60);
        HuxPSZoomRatioStatic label(&app, 1);
        label.CreateEx(0, "STATIC", "", WS_CHILD | WS_VISIBLE, RECT{10, 10, 210, 40}, &host, 7011);
        for (int zoomIns : {0, 2}) {
            for (int i = 0; i < zoomIns; ++i)
                app.ZoomIn();
            const std::string text = HuxPSZoomRatioText(app, true);
            RedrawWindow(label.m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
            const Ink ink = InkOf(label.m_hWnd);
            ASSERT_GE(ink.left, 0) << text << ": nothing drawn";
            // The glyphs fill the text's extent but for their side bearings,
            // around the label's middle (200 pixels wide).
            const int width = TextWidth(text);
            EXPECT_LE(ink.right - ink.left, width) << text;
            EXPECT_GE(ink.right - ink.left, width - 4) << text;
            EXPECT_NEAR((ink.left + ink.right) / 2.0, 100.0, 3.0) << text;
        }
    });
}

TEST(PreviewLocator, APressOpensThePopupOnItAndTheReleaseSetsTheViewAndTellsTheParent)
{
    RunSession(Quarters(640, 480), [](CPSPlimPluginApp& app) {
        app.SetPreviewSize(200, 150);
        app.ZoomIn();
        app.ZoomIn();
        ASSERT_TRUE(app.CanZoomOut());
        app.BuildThumbnail(PSPlimEditorCommands::kThumbnailBound, PSPlimEditorCommands::kThumbnailBound);
        const HuxImage2* thumbnail = app.GetThumbnail();
        ASSERT_NE(thumbnail, nullptr);
        const HuxRect filter = app.FilterRect();

        HostWindow host(200, 140);
        PSPlimEditorCommands commands(app);
        HuxPSPreviewLocatorButton button(commands);
        button.CreateEx(0, "BUTTON", "", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, RECT{150, 90, 180, 120}, &host,
                        kLocatorId);
        auto press = [&] {
            SendMessageA(button.m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, At(5, 7));
            return FindWindowA(nullptr, "Preview Locator");
        };

        // The press: the popup centred on it, the thumbnail filling its
        // client area, the mouse captured and the pointer on the frame.
        const HuxRect view = app.GetViewRect();
        const HWND popup = press();
        ASSERT_NE(popup, nullptr);
        EXPECT_TRUE(IsWindowVisible(popup));
        EXPECT_EQ(GetParent(popup), nullptr);
        POINT pressed{5, 7};
        ClientToScreen(button.m_hWnd, &pressed);
        RECT window{};
        GetWindowRect(popup, &window);
        EXPECT_NEAR((window.left + window.right) / 2.0, pressed.x, 1.0);
        EXPECT_NEAR((window.top + window.bottom) / 2.0, pressed.y, 1.0);
        RECT client{};
        GetClientRect(popup, &client);
        EXPECT_EQ(client.right, thumbnail->Width());
        EXPECT_EQ(client.bottom, thumbnail->AbsHeight());
        EXPECT_EQ(GetCapture(), popup);
        const HuxRect popupClient{0, 0, client.right, client.bottom};
        const HuxRect frame = HuxPSImageToPopup(view, filter, popupClient);
        POINT cursor{};
        GetCursorPos(&cursor);
        ScreenToClient(popup, &cursor);
        EXPECT_EQ(cursor.x, (frame.left + frame.right) / 2);
        EXPECT_EQ(cursor.y, (frame.top + frame.bottom) / 2);
        // The four-way move cursor while the frame is dragged.
        EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, MAKEINTRESOURCEA(32646)));

        // Released where it opened: the same view, and the button's command.
        SendMessageA(popup, WM_LBUTTONUP, 0, At(cursor.x, cursor.y));
        EXPECT_FALSE(IsWindow(popup));
        EXPECT_EQ(GetCapture(), nullptr);
        EXPECT_EQ(app.GetViewRect(), view);
        ASSERT_EQ(host.commands.size(), 1u);
        EXPECT_EQ(host.commands[0].id, kLocatorId);
        EXPECT_EQ(host.commands[0].code, UINT(BN_CLICKED));
        EXPECT_EQ(host.commands[0].control, button.m_hWnd);

        // Dragged beyond the top left: the frame, drawn inverted over the
        // thumbnail, stops at the image's corner, and so does the view.
        const HWND again = press();
        ASSERT_NE(again, nullptr);
        // The real cursor moves (the popup holds the mouse), to the screen's corner.
        SetCursorPos(0, 0);
        RECT againWindow{};
        GetWindowRect(again, &againWindow);
        POINT origin{0, 0};
        ClientToScreen(again, &origin);
        const int dx = origin.x - againWindow.left;
        const int dy = origin.y - againWindow.top;
        const COLORREF inverted = RGB(255 - GetRValue(kQuarters[0]), 255 - GetGValue(kQuarters[0]),
                                      255 - GetBValue(kQuarters[0]));
        const SquelmHost::RgbImage shot = ScreenTest::CaptureWhen(again, dx, dy, inverted);
        ASSERT_FALSE(shot.Empty());
        EXPECT_EQ(ScreenTest::ColourAt(shot, dx, dy), inverted);
        EXPECT_EQ(ScreenTest::ColourAt(shot, dx + frame.Width() / 2, dy + frame.Height() / 2), kQuarters[0]);
        POINT corner{0, 0};
        ScreenToClient(again, &corner);
        ASSERT_LT(corner.x, 0);
        ASSERT_LT(corner.y, 0);
        SendMessageA(again, WM_LBUTTONUP, 0, At(corner.x, corner.y));
        EXPECT_FALSE(IsWindow(again));
        EXPECT_EQ(app.GetViewRect(), (HuxRect{filter.left, filter.top, filter.left + view.Width(),
                                              filter.top + view.Height()}));
        EXPECT_EQ(host.commands.size(), 2u);

        // Another window takes the mouse mid-gesture: the popup closes and
        // nothing changes.
        const HuxRect chosen = app.GetViewRect();
        const HWND third = press();
        ASSERT_NE(third, nullptr);
        SetCursorPos(pressed.x + 40, pressed.y + 30);
        Pump();
        host.SetCapture();
        EXPECT_FALSE(IsWindow(third));
        EXPECT_EQ(GetCapture(), host.m_hWnd);
        ReleaseCapture();
        EXPECT_EQ(app.GetViewRect(), chosen);
        EXPECT_EQ(host.commands.size(), 2u);
    });
}
