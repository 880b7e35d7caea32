// The system's message box.
#include "HuxLib/HUXWIN/HuxMessageBox.h"

#include <windows.h>

int HuxMessageBox(intptr_t ownerWindow, const char* text, const char* caption, unsigned flags)
{
    // Without an owner (some hosts pass none) the box is modal to the whole
    // task, so the host's windows cannot be used behind it.
    if (ownerWindow == 0)
        flags |= MB_TASKMODAL;
    return MessageBoxA(reinterpret_cast<HWND>(ownerWindow), text, caption, flags);
}
