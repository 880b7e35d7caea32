// The etched separator: a shadow row over a highlight row across the
// control, drawn without erasing the background first.
#pragma once

#include <windows.h>

#include "HuxLib/HUXWIN/win32/CControls.h"

class HuxLineStatic : public CStatic {
public:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnPaint() override;
};
