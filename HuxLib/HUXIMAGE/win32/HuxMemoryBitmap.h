// A bitmap selected into a memory device context, given back: the bitmap
// leaves the context first, since a selected bitmap cannot be deleted.
#pragma once

#include <windows.h>

inline void HuxReleaseMemoryBitmap(HDC& dc, HBITMAP& bitmap, HGDIOBJ& previous)
{
    if (dc) {
        SelectObject(dc, previous);
        DeleteDC(dc);
    }
    if (bitmap)
        DeleteObject(bitmap);
    dc = nullptr;
    bitmap = nullptr;
    previous = nullptr;
}
