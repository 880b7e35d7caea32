// Reading a window back from the screen: what the user sees of the test
// dialog, pixel for pixel, and as a PNG.
#include <gtest/gtest.h>

#include <filesystem>

#include "testhost/PollUntil.h"
#include "FrameworkTestDialog.h"
#include "testhost/PngIO.h"
#include "testhost/win32/WindowCapture.h"

namespace {

using FrameworkTest::RunDialog;
using FrameworkTest::TestDialog;
using SquelmHost::RgbImage;
using SquelmHost::WindowAutomation;

bool IsColour(const RgbImage& image, int x, int y, COLORREF colour)
{
    const uint8_t* pixel = image.At(x, y);
    return pixel[0] == GetRValue(colour) && pixel[1] == GetGValue(colour) && pixel[2] == GetBValue(colour);
}

TEST(WindowCapture, ShowsTheDialogAsDrawnAndSavesItAsPng)
{
    // The "black" box is one dark system colour (which one differs between
    // control versions), never the dialog's face.
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    TestDialog dialog;
    RgbImage captured;
    RECT dialogRect{};
    RECT boxRect{};
    const std::string png = (std::filesystem::temp_directory_path() / "squelm-capture-test.png").string();
    RunDialog(dialog, [&](const WindowAutomation& automation, intptr_t window) {
        const intptr_t box = automation.Control(window, IDC_BLACK_BOX);
        // Painting happens on the dialog's thread: wait until it is done.
        RedrawWindow(reinterpret_cast<HWND>(window), nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        FrameworkTest::Ask(window, WM_NULL);
        GetWindowRect(reinterpret_cast<HWND>(window), &dialogRect);
        GetWindowRect(reinterpret_cast<HWND>(box), &boxRect);
        // The display shows what was painted a moment later: read until
        // the box's middle shows (a failure shows the last reading).
        const int middleX = (boxRect.left + boxRect.right) / 2 - dialogRect.left;
        const int middleY = (boxRect.top + boxRect.bottom) / 2 - dialogRect.top;
        SquelmHost::PollUntil([&] {
            captured = SquelmHost::CaptureWindow(window);
            return !captured.Empty() && !IsColour(captured, middleX, middleY, face);
        });
        SquelmHost::SaveWindowPng(window, png);
        automation.PressButton(window, IDCANCEL);
    });
    ASSERT_EQ(captured.width, dialogRect.right - dialogRect.left);
    ASSERT_EQ(captured.height, dialogRect.bottom - dialogRect.top);

    // The box, in window coordinates, and the dialog face just beside it.
    const int left = boxRect.left - dialogRect.left;
    const int top = boxRect.top - dialogRect.top;
    const int right = boxRect.right - dialogRect.left;
    const int bottom = boxRect.bottom - dialogRect.top;
    const uint8_t* middle = captured.At((left + right) / 2, (top + bottom) / 2);
    const COLORREF box = RGB(middle[0], middle[1], middle[2]);
    EXPECT_NE(box, face);
    EXPECT_LT(int(middle[0]) + middle[1] + middle[2], 3 * 128);
    int framed = 0;
    for (int y = top; y < bottom; ++y) {
        for (int x = left; x < right; ++x)
            framed += IsColour(captured, x, y, box);
    }
    EXPECT_EQ(framed, (right - left) * (bottom - top));
    EXPECT_TRUE(IsColour(captured, right + 2, (top + bottom) / 2, face));
    EXPECT_TRUE(IsColour(captured, left - 3, (top + bottom) / 2, face));

    const RgbImage reloaded = SquelmHost::LoadRgbPng(png);
    EXPECT_EQ(reloaded.width, captured.width);
    EXPECT_EQ(reloaded.height, captured.height);
    EXPECT_EQ(reloaded.pixels, captured.pixels);
    std::filesystem::remove(png);

    EXPECT_TRUE(SquelmHost::CaptureWindow(0).Empty());
}

} // namespace
