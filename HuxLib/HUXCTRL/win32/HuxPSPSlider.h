// The slider companion of an edit box: a flat bar, child of the box, that
// shows the box's value against zero and sets the box's value by clicking
// and dragging. A drag beyond either end jumps to that end, then keeps
// stepping on a timer, the faster the further the pointer is.
#pragma once

#include <windows.h>

#include <cstdint>

#include "HuxLib/HUXCTRL/HuxSliderModel.h"
#include "HuxLib/HUXCTRL/win32/HuxOffscreenDC.h"
#include "HuxLib/HUXWIN/win32/CControls.h"

class HuxEditBox;

class HuxPSPSlider : public CSliderCtrl {
public:
    static constexpr UINT_PTR kAutoScrollTimer = 1;
    static constexpr UINT kAutoScrollInterval = 200; // milliseconds

    HuxPSPSlider();

    // The range that clicks and drags keep to, inside the control's range.
    void SetClamp(int32_t minimum, int32_t maximum) { m_model.SetClamp(minimum, maximum); }
    void ClearClamp() { m_model.ClearClamp(); }
    // Multiplies the auto-scroll step.
    void SetStepMultiplier(int32_t multiplier) { m_model.SetStepMultiplier(multiplier); }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnPaint() override;
    void OnLButtonDown(UINT flags, POINT point) override;
    void OnMouseMove(UINT flags, POINT point) override;
    void OnLButtonUp(UINT flags, POINT point) override;
    void OnTimer(UINT_PTR id) override;

private:
    // The edit box this slider belongs to, or null.
    HuxEditBox* Box() const;
    int32_t ClientWidth() const;
    // Sets the position, hands it to the box and repaints.
    void MoveTo(int32_t position, bool erase);
    void StopTimer();

    HuxOffscreenDC m_buffer;
    HuxSliderModel m_model;
    UINT_PTR m_timer = 0;
};
