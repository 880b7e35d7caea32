// A paint whose drawing throws still ends: its context is back with the
// system (no longer the window's to release) and nothing is left to paint.
#include <gtest/gtest.h>

#include <stdexcept>

#include "HuxLib/HUXUTIL/win32/HuxPaintDC.h"
#include "ScreenWindow.h"

namespace {

TEST(PaintDC, AThrowingDrawStillEndsThePaint)
{
    const ScreenTest::PlainWindow window(30, 20, RGB(255, 255, 255));
    InvalidateRect(window.Handle(), nullptr, FALSE);
    HDC painted = nullptr;
    EXPECT_THROW(
        {
            const HuxPaintDC paint(window.Handle());
            painted = paint.Get();
            throw std::runtime_error("the draw failed");
        },
        std::runtime_error);
    ASSERT_NE(painted, nullptr);
    EXPECT_EQ(ReleaseDC(window.Handle(), painted), 0);
    EXPECT_FALSE(GetUpdateRect(window.Handle(), nullptr, FALSE));
}

} // namespace
