// A pen's pressure behind the mouse messages it makes. A pen's pointer
// messages come first and carry the reading; left to the default handling
// they become the mouse messages the control strokes with, which carry the
// pen's mark. The pointer functions are looked up at run time: systems
// without them have no pen input of this kind, and every move is the
// mouse's.
#pragma once

#include <windows.h>

#include <optional>

class PSPlimPenInput {
public:
    // A WM_POINTERDOWN or WM_POINTERUPDATE: remembers the pressure when the
    // pointer is a pen that reports it.
    void PointerMessage(WPARAM wParam);
    // The pressure of the pen that made the mouse message being handled;
    // none for a mouse's.
    std::optional<double> PressureOfMouseMessage() const;

private:
    std::optional<double> m_pressure;
};
