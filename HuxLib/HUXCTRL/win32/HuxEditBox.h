// An edit box that filters the characters typed into it, keeps a spin
// button beside itself in step with it, and offers hooks for validating
// and stepping its value. Its own notifications (EN_CHANGE, its colours)
// come back to it from the parent; the parent still sees EN_CHANGE.
#pragma once

#include <windows.h>

#include <cstdint>

#include "HuxLib/HUXCTRL/HuxCharFilter.h"
#include "HuxLib/HUXCTRL/HuxColours.h"
#include "HuxLib/HUXCTRL/HuxIntegerBoxModel.h"
#include "HuxLib/HUXCTRL/win32/HuxPSPSlider.h"
#include "HuxLib/HUXCTRL/win32/HuxSpinButton.h"
#include "HuxLib/HUXUTIL/win32/HuxGdiObject.h"
#include "HuxLib/HUXWIN/win32/CControls.h"

class HuxEditBox : public CEdit {
public:
    // Every character allowed; the system's window colours.
    HuxEditBox();

    // HuxCharFilter's flags: which characters the user may type.
    void SetAllowedCharacters(unsigned flags) { Characters().SetAllowed(flags); }
    void SetColours(HuxColourRef text, HuxColourRef background);

    // committed: the text is a finished value, not an intermediate one.
    virtual void SetText(const char* text, bool committed);
    // The text changed while the user worked in the box or its spin.
    virtual void OnValueChanged() {}
    // The box lost the focus: bring its text into shape.
    virtual void Validate() {}
    // Where the value and zero lie on a slider companion, in percent.
    virtual HuxSliderPercent GetSliderPercent() const { return {}; }
    void SetInt(int32_t n);
    // An arrow of the spin: +1 up, -1 down.
    virtual void StepBy(int32_t) {}
    virtual void OnSpinPress() {}
    virtual void OnSpinRelease() {}

    // The slider companion: its window, when created, is a child of the box.
    HuxPSPSlider& Slider() { return m_slider; }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

protected:
    virtual HuxCharFilter& Characters() { return m_characters; }
    bool HasSpin() const { return m_spin.GetSafeHwnd() != nullptr; }
    bool HasSlider() const { return m_slider.GetSafeHwnd() != nullptr; }
    // Creates the spin beside the box (once), the box its buddy.
    void CreateSpin();

    HuxSpinButton m_spin;
    HuxPSPSlider m_slider;

private:
    void RepaintSpin(bool erase);
    // The spin at the box's right edge, as the up-down control placed it.
    void PlaceSpin();
    // The slider as wide as the box's client area.
    void FitSlider();

    HuxCharFilter m_characters;
    HuxColourRef m_textColour;
    HuxColourRef m_backgroundColour;
    // Handed to the box with every WM_CTLCOLOREDIT, so it lives as long.
    HuxGdiObject<HBRUSH> m_backgroundBrush;
    int m_spinOffset = 0; // spin's left edge minus the box's right edge
};
