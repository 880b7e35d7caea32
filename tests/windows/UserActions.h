// What the Windows tests do as a user and how they wait to see the result:
// clicks at the middle of a control, typing over a box's text, the F1 key,
// and reading back a text or a colour once the window's thread has caught
// up with the input.
#pragma once

#include <windows.h>

#include <stdexcept>
#include <string>

#include "testhost/PollUntil.h"
#include "ControlLibraryTestDialog.h"
#include "HuxLib/HUXCTRL/HuxColours.h"
#include "testhost/win32/WindowAutomation.h"
#include "testhost/win32/WindowCapture.h"

namespace UserActions {

inline HWND AsWindow(intptr_t window) { return reinterpret_cast<HWND>(window); }

inline void ClickCentre(const SquelmHost::WindowAutomation& automation, intptr_t control,
                        SquelmHost::MouseButton button = SquelmHost::MouseButton::Left)
{
    RECT client{};
    GetClientRect(AsWindow(control), &client);
    automation.Click(control, client.right / 2, client.bottom / 2, button);
}

// A click on the dialog's button, which then tells the dialog itself.
inline void ClickButton(const SquelmHost::WindowAutomation& automation, intptr_t dialog, int id)
{
    ClickCentre(automation, automation.Control(dialog, id));
}

// Focuses the box, selects its whole text and types over it.
inline void TypeInto(const SquelmHost::WindowAutomation& automation, intptr_t box, const std::string& text)
{
    automation.Click(box, 3, 3);
    PostMessageA(AsWindow(box), EM_SETSEL, 0, -1);
    for (const char c : text)
        PostMessageA(AsWindow(box), WM_CHAR, static_cast<unsigned char>(c), 1);
}

// F1 on the control that has the focus: the system makes the key into
// WM_KEYF1 for that control, whose default processing asks for help with
// WM_HELP up the parent chain. (A posted key message would not do: an edit
// box keeps F1 to itself; a real key press goes wherever the X server's
// focus is, which under a bare virtual display need not be the dialog.)
inline void PressF1On(intptr_t control)
{
    constexpr UINT kKeyF1 = 0x004D; // WM_KEYF1
    DWORD_PTR answer = 0;
    if (!SendMessageTimeoutA(AsWindow(control), kKeyF1, 0, 0, SMTO_NORMAL, 20000, &answer))
        throw std::runtime_error("F1 could not be pressed");
}

// The window's text once it reads `expected`, or what it reads after a few
// seconds of waiting for that.
inline std::string TextOnceItReads(const SquelmHost::WindowAutomation& automation, intptr_t window,
                                   const std::string& expected)
{
    std::string text;
    SquelmHost::PollUntil([&] {
        text = automation.Describe(window).text;
        return text == expected;
    });
    return text;
}

// The window on the screen once the pixel at x (its middle when -1) of its
// middle row shows the colour, or as it is after a few seconds of waiting.
inline SquelmHost::RgbImage ShotOnceItShows(intptr_t window, HuxColourRef colour, int x = -1)
{
    SquelmHost::RgbImage shot;
    SquelmHost::PollUntil([&] {
        shot = SquelmHost::CaptureWindow(window);
        return !shot.Empty() &&
               ControlLibraryTest::IsPixel(shot, x < 0 ? shot.width / 2 : x, shot.height / 2, colour);
    });
    return shot;
}

// Whether the middle of the window shows the colour, waiting a few seconds
// for it.
inline bool ShowsColour(intptr_t window, HuxColourRef colour)
{
    const SquelmHost::RgbImage shot = ShotOnceItShows(window, colour);
    return !shot.Empty() && ControlLibraryTest::IsPixel(shot, shot.width / 2, shot.height / 2, colour);
}

} // namespace UserActions
