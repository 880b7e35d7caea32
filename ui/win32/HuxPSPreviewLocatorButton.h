// The preview locator: a bitmap button whose press opens a popup with the
// whole image's thumbnail, in which the user drags a frame to choose the
// part the preview shows. When the popup closes, the button's command goes
// to its parent.
#pragma once

#include "HuxLib/HUXCTRL/win32/HuxBitmapButton.h"
#include "ui/win32/HuxPSPreviewLocatorPopup.h"

class PSPlimEditorCommands;

class HuxPSPreviewLocatorButton : public HuxBitmapButton {
public:
    explicit HuxPSPreviewLocatorButton(PSPlimEditorCommands& commands) : m_popup(commands, this) {}

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    HuxPSPreviewLocatorPopup m_popup;
};
