// The paint of a window's invalid region, from BeginPaint to EndPaint: the
// paint ends when the scope does, a throwing draw included, so the region
// is validated and the context goes back to the system in every case.
#pragma once

#include <windows.h>

class HuxPaintDC {
public:
    explicit HuxPaintDC(HWND window) : m_window(window), m_dc(BeginPaint(window, &m_paint)) {}
    ~HuxPaintDC() { EndPaint(m_window, &m_paint); }
    HuxPaintDC(const HuxPaintDC&) = delete;
    HuxPaintDC& operator=(const HuxPaintDC&) = delete;

    HDC Get() const { return m_dc; }

private:
    HWND m_window;
    PAINTSTRUCT m_paint{};
    HDC m_dc;
};
