#include "HuxLib/HUXCTRL/win32/HuxIntegerEditBox.h"

void HuxIntegerEditBox::SetRange(int32_t minimum, int32_t maximum, bool wrap)
{
    m_model.SetRange(minimum, maximum, wrap);
    CreateSpin();
}

void HuxIntegerEditBox::SetValue(int32_t n, bool committed)
{
    const int32_t shown = m_model.SetValue(n);
    if (m_hWnd)
        SetText(HuxFormatInt(shown).c_str(), committed);
}

int32_t HuxIntegerEditBox::GetValue() const
{
    if (!m_hWnd)
        return m_model.StoredValue();
    return m_model.ValueOf(GetWindowText());
}

void HuxIntegerEditBox::Validate()
{
    if (const auto bound = m_model.Validate(GetWindowText()))
        SetValue(*bound, true);
}

void HuxIntegerEditBox::StepBy(int32_t delta)
{
    SetWindowText(HuxFormatInt(m_model.StepBy(GetWindowText(), delta)).c_str());
}

void HuxIntegerEditBox::PreSubclassWindow()
{
    SetValue(m_model.StoredValue(), true);
    HuxEditBox::PreSubclassWindow();
}
