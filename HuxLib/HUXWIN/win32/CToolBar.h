// A flat toolbar with tooltips, loaded from a toolbar resource, its images
// cut from a bitmap drawn for the display's scale (light grey shows the
// button face). Its commands and tooltip requests go to its parent.
#pragma once

#include "HuxLib/HUXWIN/HuxDpiScaling.h"
#include "HuxLib/HUXWIN/win32/CImageList.h"
#include "HuxLib/HUXWIN/win32/CWnd.h"

class CToolBar : public CWnd {
public:
    // A child of parent; ctrlStyle: the toolbar's own styles (TBSTYLE_FLAT,
    // TBSTYLE_TOOLTIPS); style: window styles. The parent positions it.
    void CreateEx(CWnd* parent, DWORD ctrlStyle, DWORD style, UINT id);
    // Buttons of toolbar resource `id`, which show the images SetImages
    // gives them; false when the resource is missing or malformed, or the
    // toolbar refuses the buttons.
    bool LoadToolBar(UINT id);
    // The buttons' images, cut from bitmap `bitmapId` drawn at `scale` of
    // the toolbar resource's image size; the buttons take their size. False
    // when the bitmap does not load.
    bool SetImages(UINT bitmapId, HuxArtScale scale);

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

private:
    HuxPointI m_imageSize; // the resource's, at 100 %
    CImageList m_images;
};
