// The locator's popup: the thumbnail of the whole filter rectangle with an
// inverted frame that follows the cursor; the release sets the view. The
// editor commands decide the frame and the view.
#pragma once

#include <optional>

#include "HuxLib/HUXCTRL/win32/HuxOffscreenDC.h"
#include "HuxLib/HUXWIN/win32/CWnd.h"
#include "ui/HuxPSPreviewLocator.h"

class HuxPSPreviewLocatorButton;
class PSPlimEditorCommands;

class HuxPSPreviewLocatorPopup : public CWnd {
public:
    HuxPSPreviewLocatorPopup(PSPlimEditorCommands& commands, HuxPSPreviewLocatorButton* button)
        : m_commands(commands), m_button(button)
    {
        m_backBuffer.SetOwner(this);
    }

    // A top-level popup centred on the screen point, capturing the mouse;
    // true once it exists (CWnd::CreateEx throws when Windows refuses it).
    // A popup still open from a gesture that never ended goes first.
    bool Create(int screenX, int screenY);

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnPaint() override;
    void OnMouseMove(UINT flags, POINT point) override;
    void OnLButtonUp(UINT flags, POINT point) override;

private:
    void BeginGesture();
    // Closes the popup without a release: the view stays as it was.
    void CancelGesture();

    PSPlimEditorCommands& m_commands;
    HuxPSPreviewLocatorButton* m_button;
    std::optional<HuxPSLocatorFrame> m_frame; // during the gesture
    HuxOffscreenDC m_backBuffer;
};
