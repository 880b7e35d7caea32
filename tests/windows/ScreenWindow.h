// A bare top-level window of a known background colour for drawing tests,
// and reading its client area back from the screen once a marker shows.
#pragma once

#include <windows.h>

#include <stdexcept>

#include "testhost/PollUntil.h"
#include "testhost/win32/WindowCapture.h"

namespace ScreenTest {

inline COLORREF ColourAt(const SquelmHost::RgbImage& image, int x, int y)
{
    const uint8_t* pixel = image.At(x, y);
    return RGB(pixel[0], pixel[1], pixel[2]);
}

inline void Pump()
{
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

// The screen under a window once its pixel (x, y) shows the colour (the
// display shows what was drawn a moment later); the last reading when it
// never does, for the test to report.
inline SquelmHost::RgbImage CaptureWhen(HWND window, int x, int y, COLORREF colour)
{
    GdiFlush();
    SquelmHost::RgbImage captured;
    SquelmHost::PollUntil([&] {
        Pump();
        captured = SquelmHost::CaptureWindow(reinterpret_cast<intptr_t>(window));
        return !captured.Empty() && ColourAt(captured, x, y) == colour;
    });
    return captured;
}

class PlainWindow {
public:
    // A borderless window at (40, 40) of the size, filled with background.
    PlainWindow(int width, int height, COLORREF background) : m_brush(CreateSolidBrush(background))
    {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = DefWindowProcA;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "SquelmScreenTestWindow";
        RegisterClassA(&windowClass); // fails harmlessly once registered
        m_window = CreateWindowExA(WS_EX_TOPMOST, windowClass.lpszClassName, "", WS_POPUP, 40, 40, width, height,
                                   nullptr, nullptr, windowClass.hInstance, nullptr);
        if (!m_window)
            throw std::runtime_error("the test window was not created");
        ShowWindow(m_window, SW_SHOWNOACTIVATE);
        UpdateWindow(m_window);
        Pump();
        Fill({0, 0, width, height});
    }
    ~PlainWindow()
    {
        DestroyWindow(m_window);
        DeleteObject(m_brush);
    }
    PlainWindow(const PlainWindow&) = delete;
    PlainWindow& operator=(const PlainWindow&) = delete;

    HWND Handle() const { return m_window; }

    void Fill(const RECT& rect) const
    {
        const HDC dc = GetDC(m_window);
        FillRect(dc, &rect, m_brush);
        ReleaseDC(m_window, dc);
    }

    SquelmHost::RgbImage CaptureWhen(int x, int y, COLORREF colour) const
    {
        return ScreenTest::CaptureWhen(m_window, x, y, colour);
    }

private:
    HBRUSH m_brush;
    HWND m_window = nullptr;
};

} // namespace ScreenTest
