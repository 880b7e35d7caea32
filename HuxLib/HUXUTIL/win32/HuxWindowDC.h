// A window's device context (a null window: the screen's) for the scope,
// released to the system when the scope ends.
#pragma once

#include <windows.h>

class HuxWindowDC {
public:
    explicit HuxWindowDC(HWND window) : m_window(window), m_dc(GetDC(window)) {}
    ~HuxWindowDC()
    {
        if (m_dc)
            ReleaseDC(m_window, m_dc);
    }
    HuxWindowDC(const HuxWindowDC&) = delete;
    HuxWindowDC& operator=(const HuxWindowDC&) = delete;

    HDC Get() const { return m_dc; }

private:
    HWND m_window;
    HDC m_dc;
};
