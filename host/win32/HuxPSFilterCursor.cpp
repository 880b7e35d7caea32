#include <windows.h>

#include "host/HuxPSFilter.h"

intptr_t HuxPSFilter::GetDragCursor() const
{
    return reinterpret_cast<intptr_t>(LoadCursorA(nullptr, MAKEINTRESOURCEA(32646))); // IDC_SIZEALL
}
