// The etched separator as the screen shows it: a shadow row over a
// highlight row, the rest of the control left as it was.
#include <gtest/gtest.h>

#include "HuxLib/HUXCTRL/win32/HuxLineStatic.h"
#include "ScreenWindow.h"

namespace {

using ScreenTest::PlainWindow;

constexpr COLORREF kBackground = RGB(10, 200, 30);

TEST(LineStatic, DrawsAShadowRowOverAHighlightRowAndErasesNothing)
{
    PlainWindow parent(50, 30, kBackground);
    const HWND item = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 5, 10, 30, 3, parent.Handle(),
                                      nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(item, nullptr);
    HuxLineStatic line;
    ASSERT_TRUE(line.SubclassWindow(item));
    // The parent's colour under the control, then a repaint with erasing:
    // the third row shows whether anything erased it.
    ScreenTest::Pump();
    parent.Fill({0, 0, 50, 30});
    RedrawWindow(item, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);

    const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
    const COLORREF highlight = GetSysColor(COLOR_BTNHIGHLIGHT);
    ASSERT_NE(shadow, highlight);
    const auto screen = parent.CaptureWhen(34, 11, highlight);
    ASSERT_FALSE(screen.Empty());
    for (int y = 0; y < 30; ++y) {
        for (int x = 0; x < 50; ++x) {
            const bool across = x >= 5 && x < 35;
            const COLORREF expected = across && y == 10 ? shadow : across && y == 11 ? highlight : kBackground;
            ASSERT_EQ(ScreenTest::ColourAt(screen, x, y), expected) << "at " << x << "," << y;
        }
    }
}

} // namespace
