// A window's off-screen drawing buffer: paint the whole client area into
// Begin()'s memory context, then Flush() it to the screen in one copy. The
// bitmap is rebuilt only when the client size changes, so repaints
// allocate nothing.
#pragma once

#include <windows.h>

#include <optional>

#include "HuxLib/HUXCTRL/HuxOffscreenSize.h"
#include "HuxLib/HUXUTIL/win32/HuxGdiObject.h"
#include "HuxLib/HUXUTIL/win32/HuxGdiSelection.h"
#include "HuxLib/HUXUTIL/win32/HuxMemoryDC.h"

class CWnd;

class HuxOffscreenDC {
public:
    HuxOffscreenDC() = default;
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
    // Declared in the order of making: they go in reverse.
    HuxGdiObject<HBITMAP> m_bitmap;
    HuxMemoryDC m_dc;
    std::optional<HuxSelection> m_selection;
};
