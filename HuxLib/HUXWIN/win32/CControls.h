// The standard and common controls the dialogs use, each a CWnd attached to
// a dialog item (DDX_Control) with the operations the dialogs need.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <string>

#include "HuxLib/HUXWIN/win32/CWnd.h"

class CImageList;

class CStatic : public CWnd {};

class CButton : public CWnd {
public:
    int GetCheck() const;
    void SetCheck(int check);
};

class CEdit : public CWnd {
public:
    void SetSel(int start, int end);
    void LimitText(int characters);
};

// The extended combo box: items with text, image, selected image and data.
class CComboBoxEx : public CWnd {
public:
    struct Item {
        std::string text;
        int image = 0;
        int selectedImage = 0;
        LPARAM data = 0;
    };

    // Inserts at `index` (-1: at the end); returns the index, or -1.
    int InsertItem(int index, const Item& item);
    int GetCount() const;
    int GetCurSel() const;
    int SetCurSel(int index);
    LPARAM GetItemData(int index) const;
    std::string GetItemText(int index) const;
    void SetImageList(CImageList* images);
};

class CSliderCtrl : public CWnd {
public:
    void SetRange(int minimum, int maximum, bool redraw = false);
    int GetRangeMin() const;
    int GetRangeMax() const;
    void SetPos(int position);
    int GetPos() const;
};

class CSpinButtonCtrl : public CWnd {
public:
    void SetRange32(int lower, int upper);
    void GetRange32(int& lower, int& upper) const;
    int SetPos32(int position);
    int GetPos32() const;
    HWND SetBuddy(HWND buddy);
};
