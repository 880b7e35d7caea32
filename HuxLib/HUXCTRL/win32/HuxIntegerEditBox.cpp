#include "HuxLib/HUXCTRL/win32/HuxIntegerEditBox.h"

void HuxIntegerEditBox::SetRange(int32_t minimum, int32_t maximum, bool wrap)
{
    m_model.SetRange(minimum, maximum, wrap);
    CreateSpin();
    if (HasSlider())
        SetSliderRange(m_model.Minimum(), m_model.Maximum());
}

void HuxIntegerEditBox::SetSliderRange(int32_t a, int32_t b)
{
    m_model.SetSliderRange(a, b);
    if (!HasSlider())
        return;
    m_slider.SetRange(m_model.Minimum(), m_model.Maximum(), true);
    m_slider.SetClamp(m_model.SliderMinimum(), m_model.SliderMaximum());
}

void HuxIntegerEditBox::SetValue(int32_t n, bool committed)
{
    const int32_t shown = m_model.SetValue(n);
    if (m_hWnd)
        SetText(HuxFormatInt(shown).c_str(), committed);
    if (HasSlider())
        m_slider.SetPos(shown);
}

int32_t HuxIntegerEditBox::GetValue() const
{
    if (!m_hWnd)
        return m_model.StoredValue();
    return m_model.ValueOf(GetWindowText());
}

void HuxIntegerEditBox::MoveSlider()
{
    if (!HasSlider())
        return;
    m_slider.SetPos(GetValue());
    m_slider.Invalidate();
}

void HuxIntegerEditBox::OnValueChanged() { MoveSlider(); }

void HuxIntegerEditBox::Validate()
{
    if (const auto bound = m_model.Validate(GetWindowText()))
        SetValue(*bound, true);
}

void HuxIntegerEditBox::StepBy(int32_t delta)
{
    SetWindowText(HuxFormatInt(m_model.StepBy(GetWindowText(), delta)).c_str());
    MoveSlider();
}

void HuxIntegerEditBox::PreSubclassWindow()
{
    SetValue(m_model.StoredValue(), true);
    HuxEditBox::PreSubclassWindow();
}
