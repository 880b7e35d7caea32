// "Pressure Controls Power" kept for the user between runs, as the value
// PressureControlsPower of HKCU\Software\Squelm (HuxUserStorage): read when
// the editor opens, written when it closes if the user changed it.
#pragma once

class PSPlimRememberedPressure {
public:
    // The kept state; off when none is kept.
    bool Restore();
    void Save(bool on) const;

private:
    bool m_opened = false;
};
