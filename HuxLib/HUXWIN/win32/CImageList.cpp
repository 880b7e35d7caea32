#include "HuxLib/HUXWIN/win32/CImageList.h"

#include "HuxLib/HUXWIN/win32/HuxCommonControls.h"

CImageList::~CImageList()
{
    if (m_list)
        ImageList_Destroy(m_list);
}

bool CImageList::Create(UINT bitmapId, int width, int grow, COLORREF maskColour)
{
    HuxEnsureCommonControls();
    const HuxVisualStyleScope styles;
    HIMAGELIST list = ImageList_LoadImageA(HuxResourceModule(), MAKEINTRESOURCEA(bitmapId), width, grow, maskColour,
                                           IMAGE_BITMAP, LR_CREATEDIBSECTION);
    if (!list)
        return false;
    if (m_list)
        ImageList_Destroy(m_list);
    m_list = list;
    return true;
}

int CImageList::GetImageCount() const { return m_list ? ImageList_GetImageCount(m_list) : 0; }
