#include "HuxLib/HUXWIN/win32/CControls.h"

#include <vector>

#include "HuxLib/HUXWIN/win32/CImageList.h"

int CButton::GetCheck() const { return static_cast<int>(SendMessage(BM_GETCHECK)); }

void CButton::SetCheck(int check) { SendMessage(BM_SETCHECK, static_cast<WPARAM>(check)); }

void CEdit::SetSel(int start, int end) { SendMessage(EM_SETSEL, static_cast<WPARAM>(start), end); }

void CEdit::LimitText(int characters) { SendMessage(EM_LIMITTEXT, static_cast<WPARAM>(characters)); }

int CComboBoxEx::InsertItem(int index, const Item& item)
{
    COMBOBOXEXITEMA entry{};
    entry.mask = CBEIF_TEXT | CBEIF_IMAGE | CBEIF_SELECTEDIMAGE | CBEIF_LPARAM;
    entry.iItem = index;
    std::string text = item.text; // the control copies it; the field is not const
    entry.pszText = text.data();
    entry.iImage = item.image;
    entry.iSelectedImage = item.selectedImage;
    entry.lParam = item.data;
    return static_cast<int>(SendMessage(CBEM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&entry)));
}

int CComboBoxEx::GetCount() const { return static_cast<int>(SendMessage(CB_GETCOUNT)); }

int CComboBoxEx::GetCurSel() const { return static_cast<int>(SendMessage(CB_GETCURSEL)); }

int CComboBoxEx::SetCurSel(int index) { return static_cast<int>(SendMessage(CB_SETCURSEL, static_cast<WPARAM>(index))); }

LPARAM CComboBoxEx::GetItemData(int index) const
{
    COMBOBOXEXITEMA entry{};
    entry.mask = CBEIF_LPARAM;
    entry.iItem = index;
    if (!SendMessage(CBEM_GETITEMA, 0, reinterpret_cast<LPARAM>(&entry)))
        return 0;
    return entry.lParam;
}

std::string CComboBoxEx::GetItemText(int index) const
{
    std::vector<char> text(256, '\0');
    COMBOBOXEXITEMA entry{};
    entry.mask = CBEIF_TEXT;
    entry.iItem = index;
    entry.pszText = text.data();
    entry.cchTextMax = static_cast<int>(text.size());
    if (!SendMessage(CBEM_GETITEMA, 0, reinterpret_cast<LPARAM>(&entry)))
        return {};
    return entry.pszText ? std::string(entry.pszText) : std::string();
}

void CComboBoxEx::SetImageList(CImageList* images)
{
    SendMessage(CBEM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images ? images->GetSafeHandle() : nullptr));
}

void CSliderCtrl::SetRange(int minimum, int maximum, bool redraw)
{
    SendMessage(TBM_SETRANGEMIN, FALSE, minimum);
    SendMessage(TBM_SETRANGEMAX, redraw, maximum);
}

int CSliderCtrl::GetRangeMin() const { return static_cast<int>(SendMessage(TBM_GETRANGEMIN)); }

int CSliderCtrl::GetRangeMax() const { return static_cast<int>(SendMessage(TBM_GETRANGEMAX)); }

void CSliderCtrl::SetPos(int position) { SendMessage(TBM_SETPOS, TRUE, position); }

int CSliderCtrl::GetPos() const { return static_cast<int>(SendMessage(TBM_GETPOS)); }

void CSpinButtonCtrl::SetRange32(int lower, int upper) { SendMessage(UDM_SETRANGE32, static_cast<WPARAM>(lower), upper); }

void CSpinButtonCtrl::GetRange32(int& lower, int& upper) const
{
    SendMessage(UDM_GETRANGE32, reinterpret_cast<WPARAM>(&lower), reinterpret_cast<LPARAM>(&upper));
}

int CSpinButtonCtrl::SetPos32(int position) { return static_cast<int>(SendMessage(UDM_SETPOS32, 0, position)); }

int CSpinButtonCtrl::GetPos32() const { return static_cast<int>(SendMessage(UDM_GETPOS32)); }

HWND CSpinButtonCtrl::SetBuddy(HWND buddy)
{
    return reinterpret_cast<HWND>(SendMessage(UDM_SETBUDDY, reinterpret_cast<WPARAM>(buddy)));
}
