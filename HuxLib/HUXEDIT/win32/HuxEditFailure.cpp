#include "HuxLib/HUXEDIT/HuxUndoList.h"

#include <windows.h>

namespace HuxEditor {

void ShowEditFailure(const char* message)
{
    ::MessageBoxA(nullptr, message, nullptr, MB_OK);
}

} // namespace HuxEditor
