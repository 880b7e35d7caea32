// A flat toolbar with tooltips, loaded from a toolbar resource and the
// bitmap of the same id (its light grey becomes the button face). Its
// commands and tooltip requests go to its parent.
#pragma once

#include "HuxLib/HUXWIN/win32/CWnd.h"

class CToolBar : public CWnd {
public:
    // A child of parent; ctrlStyle: the toolbar's own styles (TBSTYLE_FLAT,
    // TBSTYLE_TOOLTIPS); style: window styles. The parent positions it.
    void CreateEx(CWnd* parent, DWORD ctrlStyle, DWORD style, UINT id);
    // Buttons and images of toolbar resource `id`; false when the resource
    // is missing or malformed, or the toolbar refuses the buttons.
    bool LoadToolBar(UINT id);

    // The update pass: every button's enabled and checked state from
    // target's update handlers; buttons without one are disabled when
    // disableIfNoHandler.
    void OnUpdateCmdUI(CWnd& target, bool disableIfNoHandler);

    int GetButtonCount() const;
    // The command of the button at index, 0 for a separator.
    UINT GetItemID(int index) const;
    // TBSTATE_ bits of the button with the command.
    UINT GetButtonState(UINT command) const;
    HWND GetToolTips() const;
};
