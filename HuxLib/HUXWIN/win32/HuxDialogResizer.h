// Makes a dialog made from a fixed template resizable: a sizing border and
// a maximise box around the template's client area, which is also the
// smallest; each child keeps to the edges its anchor names (HuxAnchorLayout).
// On a monitor of another resolution the whole layout, its smallest size
// and its font are scaled to it.
#pragma once

#include <windows.h>

#include <vector>

#include "HuxLib/HUXUTIL/win32/HuxGdiObject.h"
#include "HuxLib/HUXWIN/HuxAnchorLayout.h"

class HuxDialogResizer {
public:
    using AnchorOf = HuxAnchor (*)(int controlId);

    // Once every child exists: takes each child's place as the template's
    // layout, at the dialog's resolution, and adds the frame. (Windows
    // shows no caption "?" button next to a maximise box; F1 still asks for
    // a control's help.)
    void Attach(HWND dialog, AnchorOf anchorOf);
    bool Attached() const { return m_dialog != nullptr; }
    // WM_SIZE: every child moved at once.
    void LayOut(int clientWidth, int clientHeight) const;
    // WM_GETMINMAXINFO: the template's size is the smallest.
    void LimitSize(MINMAXINFO& info) const;
    // The template's client area at the present resolution in the frame the
    // window has now.
    SIZE MinimumSize() const;
    // WM_DPICHANGED, before the dialog takes its new size: the layout, the
    // smallest size and every control's font for `dpi`.
    void ChangeDpi(int dpi);

private:
    struct Child {
        HWND window;
        HuxRect rect;
        HuxAnchor anchor;
    };

    HWND m_dialog = nullptr;
    HuxPointI m_templateClient;
    int m_layoutDpi = 0; // the resolution m_templateClient and the children's rects were taken at
    int m_dpi = 0;       // the one shown now
    LOGFONTA m_layoutFont{};
    HuxGdiObject<HFONT> m_font; // the template's font for m_dpi, once it differs from the layout's
    std::vector<Child> m_children;
};
