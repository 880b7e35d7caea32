// Makes a dialog made from a fixed template resizable: a sizing border and
// a maximise box around the template's client area, which is also the
// smallest; each child keeps to the edges its anchor names (HuxAnchorLayout).
#pragma once

#include <windows.h>

#include <vector>

#include "HuxLib/HUXWIN/HuxAnchorLayout.h"

class HuxDialogResizer {
public:
    using AnchorOf = HuxAnchor (*)(int controlId);

    // Once every child exists: takes each child's place as the template's
    // layout and adds the frame. (Windows shows no caption "?" button next
    // to a maximise box; F1 still asks for a control's help.)
    void Attach(HWND dialog, AnchorOf anchorOf);
    bool Attached() const { return m_dialog != nullptr; }
    // WM_SIZE: every child moved at once.
    void LayOut(int clientWidth, int clientHeight) const;
    // WM_GETMINMAXINFO: the template's size is the smallest.
    void LimitSize(MINMAXINFO& info) const;
    SIZE MinimumSize() const { return m_minimum; }

private:
    struct Child {
        HWND window;
        HuxRect rect;
        HuxAnchor anchor;
    };

    HWND m_dialog = nullptr;
    HuxPointI m_templateClient;
    SIZE m_minimum{};
    std::vector<Child> m_children;
};
