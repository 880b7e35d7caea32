// A window's off-screen drawing buffer: paint the whole client area into
// Begin()'s memory context, then Flush() it to the screen in one copy. The
// bitmap is rebuilt only when the client size changes, so repaints
// allocate nothing.
#pragma once

#include <windows.h>

#include "HuxLib/HUXCTRL/HuxOffscreenSize.h"

class CWnd;

class HuxOffscreenDC {
public:
    HuxOffscreenDC() = default;
    ~HuxOffscreenDC();
    HuxOffscreenDC(const HuxOffscreenDC&) = delete;
    HuxOffscreenDC& operator=(const HuxOffscreenDC&) = delete;

    // The window whose client area is buffered; set once.
    void SetOwner(CWnd* owner) { m_owner = owner; }

    // The memory context, holding a bitmap of the owner's client size;
    // unchanged (null before the first build) without an owner window.
    HDC Begin();
    // Copies the rectangle (default: the whole buffer) to the same place of
    // the target (default: the owner's client area).
    void Flush(HDC target = nullptr, const RECT* rect = nullptr);

private:
    void Release();

    CWnd* m_owner = nullptr;
    HuxOffscreenSize m_size;
    HBITMAP m_bitmap = nullptr;
    HDC m_dc = nullptr;
    HGDIOBJ m_previous = nullptr;
};
