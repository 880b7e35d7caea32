// The bitmap button as the screen shows it and as it reacts: its face in
// the system colours, engraved when disabled, shifted while pressed,
// following a change of the system colours; lit by hover and focus.
#include <gtest/gtest.h>

#include <vector>

#include "testhost/PollUntil.h"
#include "FrameworkTestIds.h"
#include "HuxLib/HUXCTRL/HuxButtonState.h"
#include "HuxLib/HUXCTRL/win32/HuxBitmapButton.h"
#include "HuxLib/HUXCTRL/win32/HuxDrawSteps.h"
#include "ScreenWindow.h"

namespace {

using ScreenTest::ColourAt;

constexpr int kWidth = 8;
constexpr int kHeight = 6;
constexpr int kButtonId = 77;

// What each pixel of the test picture (ButtonTest.rc) becomes on the face.
enum class Face { ButtonFace, Highlight, Shadow, Black, Red };
Face FaceOf(int x, int y)
{
    if (y == 1 && (x == 1 || x == 2))
        return Face::Black;
    if ((x == 7 && y == 0) || (x == 5 && y == 3))
        return Face::Highlight; // near-white and white
    if (x == 6 && y == 4)
        return Face::Shadow; // grey
    if (x == 3 && y == 4)
        return Face::Red; // no system colour's shade: kept
    return Face::ButtonFace; // light grey
}

COLORREF ColourOf(Face face)
{
    switch (face) {
    case Face::ButtonFace: return GetSysColor(COLOR_BTNFACE);
    case Face::Highlight: return GetSysColor(COLOR_BTNHIGHLIGHT);
    case Face::Shadow: return GetSysColor(COLOR_BTNSHADOW);
    case Face::Black: return RGB(0, 0, 0);
    case Face::Red: return RGB(200, 30, 60);
    }
    return 0;
}

// The engraved picture, one pixel larger: shadow under the dark pixels
// (black, grey and the red), highlight one down and right of them.
COLORREF EngravedAt(int x, int y)
{
    const auto dark = [](int px, int py) {
        if (px < 0 || py < 0 || px >= kWidth || py >= kHeight)
            return false;
        const Face f = FaceOf(px, py);
        return f == Face::Black || f == Face::Shadow || f == Face::Red;
    };
    if (dark(x, y))
        return GetSysColor(COLOR_BTNSHADOW);
    if (dark(x - 1, y - 1))
        return GetSysColor(COLOR_BTNHIGHLIGHT);
    return GetSysColor(COLOR_BTNFACE);
}

// A button from a push-button template item, attached to its object.
class ButtonOnScreen {
public:
    ButtonOnScreen()
    {
        parent.CreateEx(WS_EX_TOPMOST, nullptr, "", WS_POPUP | WS_VISIBLE, RECT{40, 40, 120, 100}, nullptr, 0);
        const HWND item = CreateWindowExA(0, "BUTTON", "", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 10, 10, 24, 20,
                                          parent.m_hWnd, reinterpret_cast<HMENU>(INT_PTR(kButtonId)),
                                          GetModuleHandleA(nullptr), nullptr);
        if (!item || !button.SubclassWindow(item))
            throw std::runtime_error("the button was not attached");
        button.SetBitmap(IDB_TEST_BUTTON);
    }

    // Where the core puts the face for an item state, in the button.
    HuxRect ImageRect(UINT itemState) const
    {
        RECT client{};
        GetClientRect(button.m_hWnd, &client);
        const HuxButtonState state;
        const auto style = static_cast<uint32_t>(GetWindowLongPtrA(button.m_hWnd, GWL_STYLE));
        for (const HuxDrawStep& step : HuxBitmapButtonSteps(
                 state.DrawState(HuxFromRECT(client), itemState, style, true, kWidth, kHeight))) {
            if (step.kind == HuxDrawStep::Kind::CopyFace || step.kind == HuxDrawStep::Kind::CopyDisabledFace)
                return step.rect;
        }
        throw std::runtime_error("no face is drawn");
    }

    SquelmHost::RgbImage Redrawn(int x, int y, COLORREF colour)
    {
        RedrawWindow(button.m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        return ScreenTest::CaptureWhen(button.m_hWnd, x, y, colour);
    }

    CWnd parent;
    HuxBitmapButton button;
};

// Compares the face's pixels at the image rectangle and the button face in
// a ring of two pixels around it.
void ExpectFace(const SquelmHost::RgbImage& screen, const HuxRect& image)
{
    ASSERT_FALSE(screen.Empty());
    ASSERT_EQ(image.Width(), kWidth);
    for (int y = -2; y < kHeight + 2; ++y) {
        for (int x = -2; x < kWidth + 2; ++x) {
            const bool inside = x >= 0 && y >= 0 && x < kWidth && y < kHeight;
            const COLORREF expected = inside ? ColourOf(FaceOf(x, y)) : GetSysColor(COLOR_BTNFACE);
            ASSERT_EQ(ColourAt(screen, image.left + x, image.top + y), expected) << "at " << x << "," << y;
        }
    }
}

TEST(BitmapButton, APushButtonBecomesOwnerDrawnAndShowsItsFaceInTheSystemColours)
{
    ButtonOnScreen on;
    EXPECT_EQ(GetWindowLongPtrA(on.button.m_hWnd, GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW);
    const HuxRect image = on.ImageRect(0);
    ExpectFace(on.Redrawn(image.left + 1, image.top + 1, RGB(0, 0, 0)), image);
}

TEST(BitmapButton, DisabledShowsThePictureEngravedOnePixelLarger)
{
    ButtonOnScreen on;
    on.button.EnableWindow(false);
    const HuxRect image = on.ImageRect(ODS_DISABLED);
    ASSERT_EQ(image.Width(), kWidth + 1);
    ASSERT_EQ(image.Height(), kHeight + 1);
    const auto screen = on.Redrawn(image.left + 2, image.top + 2, GetSysColor(COLOR_BTNHIGHLIGHT));
    ASSERT_FALSE(screen.Empty());
    for (int y = 0; y <= kHeight; ++y) {
        for (int x = 0; x <= kWidth; ++x)
            ASSERT_EQ(ColourAt(screen, image.left + x, image.top + y), EngravedAt(x, y)) << "at " << x << "," << y;
    }
}

TEST(BitmapButton, HeldDownByTheMouseTheFaceMovesDownAndRight)
{
    ButtonOnScreen on;
    const HuxRect resting = on.ImageRect(0);
    const HuxRect pressed = on.ImageRect(ODS_SELECTED);
    ASSERT_EQ(pressed.left, resting.left + 1);
    ASSERT_EQ(pressed.top, resting.top + 1);
    SendMessageA(on.button.m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    ScreenTest::Pump();
    const auto screen = ScreenTest::CaptureWhen(on.button.m_hWnd, pressed.left + 1, pressed.top + 1, RGB(0, 0, 0));
    SendMessageA(on.button.m_hWnd, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    ExpectFace(screen, pressed);
}

TEST(BitmapButton, ChecksMoveTheFaceLikeAPress)
{
    ButtonOnScreen on;
    on.button.SendMessage(BM_SETCHECK, BST_CHECKED);
    const HuxRect image = on.ImageRect(0);
    ExpectFace(on.Redrawn(image.left + 2, image.top + 2, RGB(0, 0, 0)), HuxRectOffset(image, 1, 1));
}

// Puts a system colour back however the test ends.
class SystemColourChange {
public:
    SystemColourChange(int index, COLORREF colour) : m_index(index), m_old(GetSysColor(index))
    {
        SetSysColors(1, &m_index, &colour);
    }
    ~SystemColourChange() { SetSysColors(1, &m_index, &m_old); }

private:
    int m_index;
    COLORREF m_old;
};

TEST(BitmapButton, AfterASystemColourChangeTheFaceFollows)
{
    ButtonOnScreen on;
    const HuxRect image = on.ImageRect(0);
    const COLORREF face = RGB(40, 90, 160);
    ASSERT_NE(GetSysColor(COLOR_BTNFACE), face);
    const SystemColourChange change(COLOR_BTNFACE, face);
    ASSERT_EQ(GetSysColor(COLOR_BTNFACE), face);
    on.button.SendMessage(WM_SYSCOLORCHANGE);
    ExpectFace(on.Redrawn(image.left, image.top, face), image);
}

// Pumps this thread's messages until the button's hot flag has the value,
// for at most about five seconds; returns the flag.
bool WaitForHot(const HuxBitmapButton& button, bool hot)
{
    SquelmHost::PollUntil([&] {
        ScreenTest::Pump();
        return button.Hot() == hot;
    });
    return button.Hot();
}

TEST(BitmapButton, HoverAndFocusLightTheButtonAndItsTimerEndsTheHoverOnceThePointerIsOutside)
{
    ButtonOnScreen on;
    const HWND window = on.button.m_hWnd;
    // The pointer far from the button: only the timer can find it gone.
    ASSERT_TRUE(SetCursorPos(300, 300));
    EXPECT_FALSE(on.button.Hot());
    SendMessageA(window, WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
    EXPECT_TRUE(on.button.Hot());
    EXPECT_FALSE(WaitForHot(on.button, false));

    SendMessageA(window, WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
    ASSERT_TRUE(on.button.Hot());
    SendMessageA(window, WM_MOUSELEAVE, 0, 0);
    EXPECT_FALSE(on.button.Hot());

    SendMessageA(window, WM_SETFOCUS, 0, 0);
    EXPECT_TRUE(on.button.Hot());
    SendMessageA(window, WM_KILLFOCUS, 0, 0);
    EXPECT_FALSE(on.button.Hot());

    SendMessageA(window, WM_SETFOCUS, 0, 0);
    on.button.EnableWindow(false);
    EXPECT_FALSE(on.button.Hot());
}

} // namespace
