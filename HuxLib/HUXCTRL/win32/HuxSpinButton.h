// The up-down control of an edit box: its arrows step the box it is the
// buddy of (HuxEditBox::StepBy) instead of moving a position of its own.
#pragma once

#include <windows.h>

#include "HuxLib/HUXWIN/win32/CControls.h"

class HuxEditBox;

class HuxSpinButton : public CSpinButtonCtrl {
public:
    // Sent to the parent on every arrow step: wParam the up-down position,
    // lParam the step's delta.
    static constexpr UINT kStepMessage = WM_USER + 255;

    bool OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    void OnLButtonDown(UINT flags, POINT point) override;
    void OnLButtonUp(UINT flags, POINT point) override;

private:
    // The edit box this spin is the buddy of, or null.
    HuxEditBox* BuddyBox() const;
};
