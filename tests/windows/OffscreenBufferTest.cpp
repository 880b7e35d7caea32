// A window's off-screen buffer: kept while the client size stays, rebuilt
// at the new size when it changes, flushed to the screen in one copy.
#include <gtest/gtest.h>

#include "HuxLib/HUXCTRL/win32/HuxOffscreenDC.h"
#include "HuxLib/HUXWIN/win32/CWnd.h"
#include "ScreenWindow.h"

namespace {

SIZE BitmapSizeIn(HDC dc)
{
    BITMAP bitmap{};
    GetObjectA(GetCurrentObject(dc, OBJ_BITMAP), sizeof bitmap, &bitmap);
    return {bitmap.bmWidth, bitmap.bmHeight};
}

TEST(OffscreenBuffer, FollowsTheClientSizeAndKeepsItsBitmapBetweenPaints)
{
    HuxOffscreenDC buffer;
    EXPECT_EQ(buffer.Begin(), nullptr); // no owner yet

    CWnd owner;
    owner.CreateEx(WS_EX_TOPMOST, nullptr, "", WS_POPUP | WS_VISIBLE, RECT{40, 40, 90, 70}, nullptr, 0);
    buffer.SetOwner(&owner);
    const HDC first = buffer.Begin();
    ASSERT_NE(first, nullptr);
    const HGDIOBJ bitmap = GetCurrentObject(first, OBJ_BITMAP);
    EXPECT_EQ(BitmapSizeIn(first).cx, 50);
    EXPECT_EQ(BitmapSizeIn(first).cy, 30);
    EXPECT_EQ(buffer.Begin(), first);
    EXPECT_EQ(GetCurrentObject(first, OBJ_BITMAP), bitmap);

    owner.MoveWindow(RECT{40, 40, 100, 60});
    const HDC resized = buffer.Begin();
    ASSERT_NE(resized, nullptr);
    EXPECT_EQ(BitmapSizeIn(resized).cx, 60);
    EXPECT_EQ(BitmapSizeIn(resized).cy, 20);

    // Drawn into the buffer, on the screen after one flush.
    const COLORREF colour = RGB(20, 140, 220);
    const HBRUSH brush = CreateSolidBrush(colour);
    const RECT all{0, 0, 60, 20};
    FillRect(resized, &all, brush);
    DeleteObject(brush);
    SetPixel(resized, 59, 19, RGB(250, 10, 10));
    ScreenTest::Pump();
    buffer.Flush();
    const auto screen = ScreenTest::CaptureWhen(owner.m_hWnd, 59, 19, RGB(250, 10, 10));
    ASSERT_FALSE(screen.Empty());
    EXPECT_EQ(ScreenTest::ColourAt(screen, 0, 0), colour);
    EXPECT_EQ(ScreenTest::ColourAt(screen, 30, 10), colour);
    EXPECT_EQ(ScreenTest::ColourAt(screen, 59, 19), RGB(250, 10, 10));
}

} // namespace
