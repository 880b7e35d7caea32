#include "HuxLib/HUXCTRL/win32/HuxSpinButton.h"

#include "HuxLib/HUXCTRL/win32/HuxEditBox.h"

HuxEditBox* HuxSpinButton::BuddyBox() const
{
    const auto buddy = reinterpret_cast<HWND>(SendMessage(UDM_GETBUDDY));
    return dynamic_cast<HuxEditBox*>(FromHandlePermanent(buddy));
}

bool HuxSpinButton::OnChildNotify(UINT message, WPARAM, LPARAM lParam, LRESULT* result)
{
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (message != WM_NOTIFY || header->code != UDN_DELTAPOS)
        return false;
    const auto& step = *reinterpret_cast<const NMUPDOWN*>(lParam);
    ::SendMessageA(GetParent(), kStepMessage, static_cast<WPARAM>(step.iPos), step.iDelta);
    if (HuxEditBox* box = BuddyBox())
        box->StepBy(step.iDelta);
    *result = 0; // let the arrow go on
    return true;
}

void HuxSpinButton::OnLButtonDown(UINT, POINT)
{
    if (HuxEditBox* box = BuddyBox())
        box->OnSpinPress();
    Default();
}

void HuxSpinButton::OnLButtonUp(UINT, POINT)
{
    if (HuxEditBox* box = BuddyBox())
        box->OnSpinRelease();
    Default();
}
