// An image list made from a bitmap resource: equal-width images side by
// side, one colour masked out as transparent.
#pragma once

#include <windows.h>

#include <commctrl.h>

class CImageList {
public:
    CImageList() = default;
    ~CImageList();
    CImageList(const CImageList&) = delete;
    CImageList& operator=(const CImageList&) = delete;

    // Bitmap `bitmapId` of the framework's module, cut into images `width`
    // pixels wide; `grow` spare slots; pixels of `maskColour` (0x00BBGGRR)
    // transparent. False when the bitmap cannot be loaded.
    bool Create(UINT bitmapId, int width, int grow, COLORREF maskColour);
    HIMAGELIST GetSafeHandle() const { return m_list; }
    int GetImageCount() const;

private:
    HIMAGELIST m_list = nullptr;
};
