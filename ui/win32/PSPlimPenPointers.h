// A pen's pointer messages read into the samples the control strokes with.
// The pointer functions are looked up at run time, so that the plug-in
// loads where they are missing: such a system (before Windows 8; Wine,
// which has no GetPointerPenInfo) sends no pen pointer messages to read,
// and its pens reach the control as the mouse does.
#pragma once

#include <windows.h>

#include <optional>

#include "ui/PSPlimPenInput.h"

class PSPlimPenPointers {
public:
    PSPlimPenPointers();

    // True when a pen's own messages are read, so that the mouse messages
    // the system makes from them repeat what the control had.
    bool Read() const { return m_type && m_penInfo; }
    // A WM_POINTERDOWN, WM_POINTERUPDATE or WM_POINTERUP: the sample of a
    // pen, none for another pointer or one that cannot be read.
    std::optional<PSPlimPenSample> SampleOf(UINT message, WPARAM wParam) const;

private:
    using GetPointerTypeFunction = BOOL(WINAPI*)(UINT32, POINTER_INPUT_TYPE*);
    using GetPointerPenInfoFunction = BOOL(WINAPI*)(UINT32, POINTER_PEN_INFO*);

    GetPointerTypeFunction m_type = nullptr;
    GetPointerPenInfoFunction m_penInfo = nullptr;
};
