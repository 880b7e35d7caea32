// An owner-drawn push button that shows a bitmap resource, with a face and
// a disabled (engraved) face derived from it in the current system colours,
// a hover highlight and a check state. Every decision is HuxButtonState's
// and HuxBitmapButtonSteps'; this class carries them out.
#pragma once

#include <windows.h>
// <windows.h> names a function of its own DrawState, which would rename
// HuxButtonState's; that function is not used here.
#undef DrawState

#include "HuxLib/HUXCTRL/HuxButtonState.h"
#include "HuxLib/HUXCTRL/win32/HuxOffscreenDC.h"
#include "HuxLib/HUXUTIL/win32/HuxGdiObject.h"
#include "HuxLib/HUXWIN/win32/CControls.h"

class HuxDIBBuffer;

class HuxBitmapButton : public CButton {
public:
    HuxBitmapButton();
    ~HuxBitmapButton() override;

    // Loads the bitmap resource and derives both faces from it; throws
    // std::runtime_error when there is no such bitmap.
    void SetBitmap(UINT resourceId);

    // The owner's rounded drawing variant (no focus frame).
    void SetRoundedHighlight(bool rounded) { m_state.SetRoundedHighlight(rounded); }
    bool Hot() const { return m_state.Hot(); }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool DrawItem(DRAWITEMSTRUCT& item) override;
    void OnTimer(UINT_PTR id) override;

protected:
    void PreSubclassWindow() override;
    // Makes a push button owner-drawn; other button types are left alone.
    virtual void SwitchToOwnerDraw();

private:
    void React(const HuxButtonReaction& reaction);
    void BuildFaces();
    HuxGdiObject<HBITMAP> BitmapFrom(const HuxDIBBuffer& picture) const;
    void DeleteFaces();

    HuxGdiObject<HBITMAP> m_source;
    HuxGdiObject<HBITMAP> m_face;
    HuxGdiObject<HBITMAP> m_disabledFace;
    int m_width = 0;
    int m_height = 0;
    UINT_PTR m_timerId = 0;
    HuxButtonState m_state;
    HuxOffscreenDC m_buffer;
};
