// A colour swatch: shows its colour and, when clicked, lets the user choose
// another through the colour chooser, then tells its owner (or its parent
// when it has none) with WM_COMMAND (its id, notification 0).
#pragma once

#include <windows.h>

#include "HuxLib/HUXCTRL/HuxColourChooser.h"
#include "HuxLib/HUXCTRL/HuxColours.h"
#include "HuxLib/HUXWIN/win32/CControls.h"

class HuxColourStatic : public CStatic {
public:
    // Without a chooser (null) the swatch ignores clicks.
    explicit HuxColourStatic(HuxColourChooser* chooser) : m_chooser(chooser) {}

    HuxColourRef m_colour = 0; // 0x00BBGGRR

    // Sets the colour and repaints a swatch on the screen.
    void SetColour(HuxColourRef colour);
    HuxColourRef GetColour() const { return m_colour; }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnPaint() override;
    void OnLButtonUp(UINT flags, POINT point) override;

private:
    HuxColourChooser* m_chooser;
};
