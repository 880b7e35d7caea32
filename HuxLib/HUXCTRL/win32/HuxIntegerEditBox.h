// An edit box for a whole number in a range, with a spin beside it: what it
// accepts, clamps and steps is decided by HuxIntegerBoxModel; out-of-range
// text is clamped when the box loses the focus, never refused.
#pragma once

#include <cstdint>

#include "HuxLib/HUXCTRL/HuxIntegerBoxModel.h"
#include "HuxLib/HUXCTRL/win32/HuxEditBox.h"

class HuxIntegerEditBox : public HuxEditBox {
public:
    // Range 0 to 100, digits only.
    HuxIntegerEditBox() = default;

    // Stores the range and creates the spin beside the box (the box needs
    // its window and a parent of the framework by then).
    void SetRange(int32_t minimum, int32_t maximum, bool wrap = false);
    // Clamps n into the range, keeps it and shows it.
    void SetValue(int32_t n, bool committed = true);
    // The text's number (not clamped), or the last value set when empty.
    int32_t GetValue() const;
    // The slider companion's clamp range: [a, b] within the box's range.
    void SetSliderRange(int32_t a, int32_t b);
    // The text read as a number, clamped and shown.
    virtual void SetTextAsNumber(const char* text, bool committed) { SetValue(HuxParseInt(text), committed); }

    void OnValueChanged() override;
    void Validate() override;
    HuxSliderPercent GetSliderPercent() const override { return m_model.SliderPercent(GetWindowText()); }
    void StepBy(int32_t delta) override;

protected:
    // A box attached to a template control shows the value it holds.
    void PreSubclassWindow() override;
    HuxCharFilter& Characters() override { return m_model.Characters(); }

private:
    // The slider companion at the box's value.
    void MoveSlider();

    HuxIntegerBoxModel m_model;
};
